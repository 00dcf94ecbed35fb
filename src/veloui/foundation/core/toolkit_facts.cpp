#include "veloui/foundation/core/toolkit_facts.h"

ToolkitFacts SystemFacts;
