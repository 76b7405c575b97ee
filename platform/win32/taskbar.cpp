#include "platform/win32/taskbar.h"

#include <windows.h>

#include <atomic>
#include <csignal>
#include <cstdlib>
#include <exception>

namespace {

std::atomic<HWND> hiddenTaskbar{nullptr};
LPTOP_LEVEL_EXCEPTION_FILTER previousFilter = nullptr;
std::terminate_handler previousTerminate = nullptr;

void ShowAgain() {
  if (const HWND taskbar = hiddenTaskbar.exchange(nullptr)) ShowWindow(taskbar, SW_SHOWNORMAL);
}

LONG WINAPI OnCrash(EXCEPTION_POINTERS* exception) {
  // A crashed program should not wait for another one to answer: the task bar's process shows
  // it when it gets to the request.
  if (const HWND taskbar = hiddenTaskbar.exchange(nullptr)) ShowWindowAsync(taskbar, SW_SHOWNORMAL);
  return previousFilter != nullptr ? previousFilter(exception) : EXCEPTION_CONTINUE_SEARCH;
}

[[noreturn]] void OnTerminate() {
  ShowAgain();
  if (previousTerminate != nullptr) previousTerminate();
  std::abort();
}

extern "C" void OnAbort(int) { ShowAgain(); }

// Installed once, the first time the task bar is hidden.
void InstallRescue() {
  static const bool installed = [] {
    std::atexit(ShowAgain);
    previousFilter = SetUnhandledExceptionFilter(OnCrash);
    previousTerminate = std::set_terminate(OnTerminate);
    std::signal(SIGABRT, OnAbort);
    return true;
  }();
  static_cast<void>(installed);
}

}  // namespace

void SetTaskbarShown(bool shown) {
  const HWND taskbar = FindWindowW(L"Shell_TrayWnd", nullptr);
  if (shown) {
    hiddenTaskbar = nullptr;
    if (taskbar != nullptr) ShowWindow(taskbar, SW_SHOWNORMAL);
    return;
  }
  if (taskbar == nullptr) return;
  InstallRescue();
  hiddenTaskbar = taskbar;
  ShowWindow(taskbar, SW_HIDE);
}

bool TaskbarHiddenByUs() { return hiddenTaskbar.load() != nullptr; }
