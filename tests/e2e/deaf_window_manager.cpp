// A window manager that takes the screen and then never shows a window: what the game meets when
// the player's window manager hangs. It runs until it is killed.
#include <X11/Xlib.h>

#include <cstdio>

namespace {

bool anotherManager = false;

int OnError(Display*, XErrorEvent*) {
  anotherManager = true;
  return 0;
}

}  // namespace

int main() {
  Display* const display = XOpenDisplay(nullptr);
  if (display == nullptr) {
    std::fputs("deaf_window_manager: no display\n", stderr);
    return 1;
  }
  XSetErrorHandler(OnError);
  XSelectInput(display, DefaultRootWindow(display), SubstructureRedirectMask);
  XSync(display, False);
  if (anotherManager) {
    std::fputs("deaf_window_manager: another window manager runs\n", stderr);
    return 1;
  }
  std::puts("ready");
  std::fflush(stdout);
  for (;;) {
    XEvent event;
    XNextEvent(display, &event);  // map requests are read and dropped
  }
}
