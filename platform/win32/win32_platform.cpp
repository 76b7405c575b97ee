#include "platform/win32/win32_platform.h"

#include <windows.h>
// The platform's own MessageBox, not the Windows macro for MessageBoxW.
#undef MessageBox

#include <stdexcept>
#include <utility>

#include "platform/win32/taskbar.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/win32_dialogs.h"

namespace {

constexpr wchar_t kWindowClass[] = L"QuillmereWindow";
constexpr UINT kTimerIntervalMs = 200;
// The result of Handle that leaves the message to the default window procedure.
constexpr std::intptr_t kDefault = -1;

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* platform = reinterpret_cast<Win32Platform*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (platform == nullptr) return DefWindowProcW(window, message, wParam, lParam);
  const LRESULT handled = platform->Handle(message, wParam, lParam);
  return handled >= 0 ? handled : DefWindowProcW(window, message, wParam, lParam);
}

void RegisterWindowClass() {
  static const bool registered = [] {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    windowClass.lpszClassName = kWindowClass;
    return RegisterClassExW(&windowClass) != 0;
  }();
  if (!registered) throw std::runtime_error("cannot register the game's window class");
}

std::runtime_error WindowsError(const std::string& what) {
  return std::runtime_error(what + " (Windows error " + std::to_string(GetLastError()) + ")");
}

bool AltHeld(LPARAM lParam) { return (lParam & (1 << 29)) != 0; }

}  // namespace

Win32Platform::Win32Platform(const std::string& title, const std::function<void()>& whileShowing)
    : title_(WideFromCp1251(title)) {
  // Real pixels: a scaled desktop would otherwise blur the game and report a smaller screen.
  SetProcessDPIAware();
  RegisterWindowClass();
  screenWidth_ = GetSystemMetrics(SM_CXSCREEN);
  screenHeight_ = GetSystemMetrics(SM_CYSCREEN);
  if (screenWidth_ <= 0 || screenHeight_ <= 0) throw WindowsError("cannot read the screen size");
  if (whileShowing) whileShowing();
  window_ = CreateWindowExW(0, kWindowClass, title_.c_str(), WS_POPUP | WS_VISIBLE, 0, 0,
                            screenWidth_, screenHeight_, nullptr, nullptr,
                            GetModuleHandleW(nullptr), this);
  if (window_ == nullptr) throw WindowsError("cannot create the game window");
  SetForegroundWindow(window_);
  SetFocus(window_);
}

Win32Platform::~Win32Platform() {
  if (TaskbarHiddenByUs()) SetTaskbarShown(true);
  if (timerId_ != 0) KillTimer(window_, timerId_);
  SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
  DestroyWindow(window_);
}

// The kept frame takes, and the window shows, only the changed areas; a frame of another size
// is taken and shown whole.
void Win32Platform::Present(const Surface& windowSurface, const std::vector<Rect>& changed) {
  if (windowSurface.Empty()) return;
  const HDC dc = GetDC(window_);
  if (frame_.width != windowSurface.width || frame_.height != windowSurface.height) {
    frame_ = windowSurface;
    Draw(dc);
  } else {
    const Rect whole{0, 0, frame_.width, frame_.height};
    for (const Rect& each : changed) {
      const Rect area = Intersect(each, whole);
      if (area.Empty()) continue;
      BlitPart(frame_, area.left, area.top, windowSurface, area);
      DrawArea(dc, area);
    }
  }
  ReleaseDC(window_, dc);
}

void Win32Platform::DrawArea(void* dc, const Rect& area) const {
  // The rows of the area alone make the picture handed over, so that its first row is the
  // area's top whichever way the system counts source rows.
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = frame_.width;
  info.bmiHeader.biHeight = -area.height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  SetDIBitsToDevice(static_cast<HDC>(dc), area.left, area.top, static_cast<DWORD>(area.width),
                    static_cast<DWORD>(area.height), area.left, 0, 0,
                    static_cast<UINT>(area.height), frame_.Row(area.top), &info, DIB_RGB_COLORS);
}

void Win32Platform::Draw(void* dc) const {
  const HDC target = static_cast<HDC>(dc);
  RECT client{};
  GetClientRect(window_, &client);
  const HBRUSH black = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
  if (frame_.Empty()) {
    FillRect(target, &client, black);
    return;
  }
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = frame_.width;
  info.bmiHeader.biHeight = -frame_.height;  // top row first, as the game keeps its pictures
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  SetDIBitsToDevice(target, 0, 0, static_cast<DWORD>(frame_.width),
                    static_cast<DWORD>(frame_.height), 0, 0, 0, static_cast<UINT>(frame_.height),
                    frame_.pixels.data(), &info, DIB_RGB_COLORS);
  const RECT right{frame_.width, 0, client.right, client.bottom};
  const RECT below{0, frame_.height, frame_.width, client.bottom};
  if (right.left < right.right) FillRect(target, &right, black);
  if (below.top < below.bottom) FillRect(target, &below, black);
}

void Win32Platform::SetTimerEnabled(bool enabled) {
  if (enabled == (timerId_ != 0)) return;
  if (!enabled) {
    KillTimer(window_, timerId_);
    timerId_ = 0;
    tickWaiting_ = false;
    return;
  }
  // Each start gets a new id: a tick of the stopped timer that still waits in the queue (KillTimer
  // leaves it there) is then recognised and dropped.
  const UINT_PTR id = ++lastTimerId_;
  if (SetTimer(window_, id, kTimerIntervalMs, nullptr) == 0) throw WindowsError("cannot start the timer");
  timerId_ = id;
}

bool Win32Platform::IsKeyDown(int vk) const {
  return vk > 0 && vk < 255 && GetKeyState(vk) < 0;
}

void Win32Platform::MessageBox(const std::string& caption, const std::string& text) {
  ShowMessageBoxWin32(window_, caption, text);
  AfterDialog();
}

std::optional<std::string> Win32Platform::OpenDialog(const FileDialogSetup& setup) {
  std::optional<std::string> chosen =
      RunFileDialogWin32(window_, FileDialogMode::kOpen, setup, Cp1251FromWideLossy(title_));
  AfterDialog();
  return chosen;
}

std::optional<std::string> Win32Platform::SaveDialog(const FileDialogSetup& setup) {
  std::optional<std::string> chosen =
      RunFileDialogWin32(window_, FileDialogMode::kSave, setup, Cp1251FromWideLossy(title_));
  AfterDialog();
  return chosen;
}

// Keys typed into a box that still wait in the queue were meant for the box, not the game; the
// window was covered and is drawn again once the queue is empty.
void Win32Platform::AfterDialog() {
  MSG message;
  while (PeekMessageW(&message, nullptr, WM_KEYFIRST, WM_KEYLAST, PM_REMOVE)) {
  }
  SetForegroundWindow(window_);
  SetFocus(window_);
  InvalidateRect(window_, nullptr, FALSE);
}

void Win32Platform::SetTaskbarVisible(bool visible) { SetTaskbarShown(visible); }

int Win32Platform::Run(WindowEvents& events) {
  events_ = &events;
  quit_ = false;
  int code = 0;
  while (!quit_ && !events.IsClosed() && !failure_) {
    MSG message;
    const BOOL got = GetMessageW(&message, nullptr, 0, 0);
    if (got == 0) {
      code = static_cast<int>(message.wParam);
      break;
    }
    if (got < 0) {
      code = 1;
      break;
    }
    DispatchMessageW(&message);
  }
  events_ = nullptr;
  if (failure_) std::rethrow_exception(std::exchange(failure_, nullptr));
  return code;
}

template <typename Handler>
void Win32Platform::Deliver(Handler&& handler) {
  if (events_ == nullptr || inHandler_ || failure_ || events_->IsClosed()) return;
  inHandler_ = true;
  try {
    handler(*events_);
  } catch (...) {
    // An exception must not unwind through the system's frames of the message loop.
    failure_ = std::current_exception();
  }
  inHandler_ = false;
  DeliverWaiting();
}

void Win32Platform::DeliverWaiting() {
  if (closeWaiting_) {
    closeWaiting_ = false;
    Deliver([](WindowEvents& events) { events.OnClose(); });
  } else if (tickWaiting_) {
    tickWaiting_ = false;
    Deliver([](WindowEvents& events) { events.OnTimer(); });
  }
}

// The kept frame holds the whole of the last picture: shown again, the window looks exactly as
// it did before it was covered (by a dialog, say). Painted afresh by the game, the board behind
// the shop would be lost, since only play draws the board.
void Win32Platform::Paint() {
  PAINTSTRUCT paint;
  const HDC dc = BeginPaint(window_, &paint);
  Draw(dc);
  EndPaint(window_, &paint);
}

std::intptr_t Win32Platform::Handle(unsigned message, std::uintptr_t wParam, std::intptr_t lParam) {
  switch (message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: {
      const int vk = static_cast<int>(wParam);
      const bool shift = GetKeyState(VK_SHIFT) < 0;
      Deliver([vk, shift](WindowEvents& events) { events.OnKeyDown(vk, shift); });
      // Alt+F4 still closes the window; no other key opens the (absent) window menu.
      return message == WM_SYSKEYDOWN && vk == VK_F4 && AltHeld(lParam) ? kDefault : 0;
    }
    case WM_SYSKEYUP:
    case WM_SYSCHAR:
      return 0;
    case WM_TIMER:
      if (wParam != timerId_ || timerId_ == 0) return 0;
      if (inHandler_) {
        tickWaiting_ = true;
      } else {
        Deliver([](WindowEvents& events) { events.OnTimer(); });
      }
      return 0;
    case WM_PAINT:
      Paint();
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_SETCURSOR:
      // A keyboard game: no mouse pointer over its window.
      SetCursor(nullptr);
      return TRUE;
    case WM_CLOSE:
      if (inHandler_) {
        closeWaiting_ = true;
      } else {
        Deliver([](WindowEvents& events) { events.OnClose(); });
      }
      return 0;
    case WM_ENDSESSION:
      // Windows ends the session: the game closes as if the player had left it.
      if (wParam != 0) Deliver([](WindowEvents& events) { events.OnClose(); });
      return 0;
    default:
      return kDefault;
  }
}
