// Times what a player sees on an X screen, from outside the program, with one detector for the
// game and for any other program:
//   quillmere-screen-probe launch X Y W H -- PROGRAM [ARGS...]
//     starts PROGRAM and prints "MS PID": the milliseconds until the rectangle shows anything
//     but black, and the program's process id (it keeps running).
//   quillmere-screen-probe key KEYSYM X Y W H
//     presses and releases KEYSYM and prints the milliseconds until the rectangle changes.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <fcntl.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
constexpr auto kPollEvery = std::chrono::microseconds(500);
constexpr auto kGiveUpAfter = std::chrono::seconds(20);

struct Area {
  int x, y, w, h;
};

std::vector<unsigned long> Grab(Display* d, const Area& a) {
  XImage* image = XGetImage(d, DefaultRootWindow(d), a.x, a.y, static_cast<unsigned>(a.w),
                            static_cast<unsigned>(a.h), AllPlanes, ZPixmap);
  std::vector<unsigned long> pixels;
  if (image == nullptr) return pixels;
  for (int y = 0; y < a.h; ++y) {
    for (int x = 0; x < a.w; ++x) pixels.push_back(XGetPixel(image, x, y) & 0xFFFFFF);
  }
  XDestroyImage(image);
  return pixels;
}

bool AllBlack(const std::vector<unsigned long>& pixels) {
  for (const unsigned long p : pixels) {
    if (p != 0) return false;
  }
  return !pixels.empty();
}

double Since(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// Polls until `done(pixels)`; the milliseconds from `start`, or -1 after the time limit.
template <typename Done>
double WaitFor(Display* d, const Area& a, Clock::time_point start, Done done) {
  while (Clock::now() - start < kGiveUpAfter) {
    if (done(Grab(d, a))) return Since(start);
    std::this_thread::sleep_for(kPollEvery);
  }
  return -1;
}

int Usage() {
  std::fputs("usage: quillmere-screen-probe launch X Y W H -- PROGRAM [ARGS...]\n"
             "       quillmere-screen-probe key KEYSYM X Y W H\n", stderr);
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 7) return Usage();
  Display* d = XOpenDisplay(nullptr);
  if (d == nullptr) {
    std::fputs("quillmere-screen-probe: no X display\n", stderr);
    return 1;
  }
  const std::string mode = argv[1];
  if (mode == "launch" && argc >= 8 && std::strcmp(argv[6], "--") == 0) {
    const Area a{std::atoi(argv[2]), std::atoi(argv[3]), std::atoi(argv[4]), std::atoi(argv[5])};
    const Clock::time_point start = Clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
      // The program must not hold the probe's output open: the caller reads it to its end.
      const int null = open("/dev/null", O_WRONLY);
      dup2(null, STDOUT_FILENO);
      dup2(null, STDERR_FILENO);
      execvp(argv[7], argv + 7);
      _exit(127);
    }
    const double ms = WaitFor(d, a, start, [](const auto& p) { return !AllBlack(p); });
    std::printf("%.1f %d\n", ms, static_cast<int>(pid));
    return ms < 0 ? 1 : 0;
  }
  if (mode == "key" && argc == 7) {
    const Area a{std::atoi(argv[3]), std::atoi(argv[4]), std::atoi(argv[5]), std::atoi(argv[6])};
    const KeyCode code = XKeysymToKeycode(d, XStringToKeysym(argv[2]));
    const std::vector<unsigned long> before = Grab(d, a);
    const Clock::time_point start = Clock::now();
    XTestFakeKeyEvent(d, code, True, CurrentTime);
    XTestFakeKeyEvent(d, code, False, CurrentTime);
    XFlush(d);
    const double ms = WaitFor(d, a, start, [&](const auto& p) { return p != before; });
    std::printf("%.1f\n", ms);
    return ms < 0 ? 1 : 0;
  }
  return Usage();
}
