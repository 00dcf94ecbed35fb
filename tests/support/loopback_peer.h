#pragma once
// Old name of support/wait.h, kept until its last includer moves.
#include "support/wait.h"
