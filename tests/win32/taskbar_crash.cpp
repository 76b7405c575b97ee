// Hides the task bar and then leaves as told: "crash" (an access violation), "throw" (an
// exception nobody catches) or "exit" (exit() from the middle of the program).
#include <cstdlib>
#include <cstring>
#include <stdexcept>

#include "platform/win32/taskbar.h"

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  SetTaskbarShown(false);
  if (std::strcmp(argv[1], "crash") == 0) {
    volatile int* nowhere = nullptr;
    *nowhere = 1;
  } else if (std::strcmp(argv[1], "throw") == 0) {
    throw std::runtime_error("nobody catches this");
  } else if (std::strcmp(argv[1], "exit") == 0) {
    std::exit(3);
  }
  return 2;
}
