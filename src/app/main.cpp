// The program's entry. It grows into the whole start-up, main loop and shut-down.
#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  return 0;
}
