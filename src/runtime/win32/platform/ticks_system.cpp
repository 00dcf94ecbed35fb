#include <windows.h>

#include "runtime/portable/ticks.h"

TickCount SystemTick() {
  return GetTickCount();
}
