#include "platform/linux/sdl_platform.h"

#include <SDL.h>
#include <SDL_syswm.h>

#include <algorithm>
#include <chrono>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <system_error>

#include "game/cp1251.h"
#include "platform/linux/window_watchdog.h"

#ifdef _WIN32
#include <windows.h>
#undef MessageBox
#endif

namespace {

constexpr std::uint32_t kTimerIntervalMs = 200;
constexpr std::uint8_t kNoWindowsKey = 255;
constexpr std::chrono::milliseconds kWindowLateAfter{5000};
constexpr std::chrono::milliseconds kWindowGiveUpAfter{15000};

static_assert(SDL_NUM_SCANCODES <= 512, "the held-key table is indexed by scancode");

struct FixedKey {
  SDL_Scancode scancode;
  std::uint8_t vk;
};

// Keys whose code does not depend on Num Lock.
constexpr FixedKey kFixedKeys[] = {
    {SDL_SCANCODE_RETURN, 13},       {SDL_SCANCODE_KP_ENTER, 13},   {SDL_SCANCODE_ESCAPE, 27},
    {SDL_SCANCODE_BACKSPACE, 8},     {SDL_SCANCODE_TAB, 9},         {SDL_SCANCODE_SPACE, 32},
    {SDL_SCANCODE_LEFT, 37},         {SDL_SCANCODE_UP, 38},         {SDL_SCANCODE_RIGHT, 39},
    {SDL_SCANCODE_DOWN, 40},         {SDL_SCANCODE_LSHIFT, 16},     {SDL_SCANCODE_RSHIFT, 16},
    {SDL_SCANCODE_LCTRL, 17},        {SDL_SCANCODE_RCTRL, 17},      {SDL_SCANCODE_LALT, 18},
    {SDL_SCANCODE_RALT, 18},         {SDL_SCANCODE_PAUSE, 19},      {SDL_SCANCODE_CAPSLOCK, 20},
    {SDL_SCANCODE_PAGEUP, 33},       {SDL_SCANCODE_PAGEDOWN, 34},   {SDL_SCANCODE_END, 35},
    {SDL_SCANCODE_HOME, 36},         {SDL_SCANCODE_PRINTSCREEN, 44}, {SDL_SCANCODE_INSERT, 45},
    {SDL_SCANCODE_DELETE, 46},       {SDL_SCANCODE_LGUI, 91},       {SDL_SCANCODE_RGUI, 92},
    {SDL_SCANCODE_APPLICATION, 93},  {SDL_SCANCODE_KP_MULTIPLY, 106}, {SDL_SCANCODE_KP_PLUS, 107},
    {SDL_SCANCODE_KP_MINUS, 109},    {SDL_SCANCODE_KP_DIVIDE, 111}, {SDL_SCANCODE_NUMLOCKCLEAR, 144},
    {SDL_SCANCODE_SCROLLLOCK, 145},  {SDL_SCANCODE_MUTE, 173},      {SDL_SCANCODE_VOLUMEDOWN, 174},
    {SDL_SCANCODE_VOLUMEUP, 175},    {SDL_SCANCODE_AUDIONEXT, 176}, {SDL_SCANCODE_AUDIOPREV, 177},
    {SDL_SCANCODE_AUDIOSTOP, 178},   {SDL_SCANCODE_AUDIOPLAY, 179}, {SDL_SCANCODE_SEMICOLON, 186},
    {SDL_SCANCODE_EQUALS, 187},      {SDL_SCANCODE_COMMA, 188},     {SDL_SCANCODE_MINUS, 189},
    {SDL_SCANCODE_PERIOD, 190},      {SDL_SCANCODE_SLASH, 191},     {SDL_SCANCODE_GRAVE, 192},
    {SDL_SCANCODE_LEFTBRACKET, 219}, {SDL_SCANCODE_BACKSLASH, 220}, {SDL_SCANCODE_RIGHTBRACKET, 221},
    {SDL_SCANCODE_APOSTROPHE, 222},  {SDL_SCANCODE_NONUSBACKSLASH, 226},
};

// The keypad's digit keys: with Num Lock on they type digits, otherwise they move like the
// navigation keys.
struct KeypadKey {
  SDL_Scancode scancode;
  std::uint8_t digitVk;
  std::uint8_t navigationVk;
};
constexpr KeypadKey kKeypadKeys[] = {
    {SDL_SCANCODE_KP_0, 96, 45},  {SDL_SCANCODE_KP_1, 97, 35},  {SDL_SCANCODE_KP_2, 98, 40},
    {SDL_SCANCODE_KP_3, 99, 34},  {SDL_SCANCODE_KP_4, 100, 37}, {SDL_SCANCODE_KP_5, 101, 12},
    {SDL_SCANCODE_KP_6, 102, 39}, {SDL_SCANCODE_KP_7, 103, 36}, {SDL_SCANCODE_KP_8, 104, 38},
    {SDL_SCANCODE_KP_9, 105, 33}, {SDL_SCANCODE_KP_PERIOD, 110, 46},
};

int LetterDigitOrFunctionKey(int scancode) {
  if (scancode >= SDL_SCANCODE_A && scancode <= SDL_SCANCODE_Z) return 'A' + scancode - SDL_SCANCODE_A;
  if (scancode >= SDL_SCANCODE_1 && scancode <= SDL_SCANCODE_9) return '1' + scancode - SDL_SCANCODE_1;
  if (scancode == SDL_SCANCODE_0) return '0';
  if (scancode >= SDL_SCANCODE_F1 && scancode <= SDL_SCANCODE_F12) {
    return 112 + scancode - SDL_SCANCODE_F1;
  }
  if (scancode >= SDL_SCANCODE_F13 && scancode <= SDL_SCANCODE_F24) {
    return 124 + scancode - SDL_SCANCODE_F13;
  }
  return 0;
}

bool IsInvisibleDriver(const std::string& driver) {
  return driver == "offscreen" || driver == "dummy" || driver == "evdev";
}

// Whether the user named `driver` in SDL_VIDEODRIVER (a comma-separated list).
bool DriverRequested(const std::string& driver) {
  const char* const hint = SDL_GetHint(SDL_HINT_VIDEODRIVER);
  if (hint == nullptr) return false;
  std::string list(hint);
  std::transform(list.begin(), list.end(), list.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  std::size_t start = 0;
  for (;;) {
    const std::size_t comma = list.find(',', start);
    if (list.substr(start, comma - start) == driver) return true;
    if (comma == std::string::npos) return false;
    start = comma + 1;
  }
}

// Whether OpenGL can draw with a graphics device here. Without one (a virtual machine, a
// virtual screen) Mesa draws OpenGL with the processor, which costs some 90 MB and more time
// per frame than SDL's own software drawing.
bool HasGraphicsDevice() {
#ifdef _WIN32
  return true;
#else
  std::error_code error;
  if (std::filesystem::exists("/dev/nvidiactl", error)) return true;
  for (const auto& entry : std::filesystem::directory_iterator("/dev/dri", error)) {
    if (entry.path().filename().string().rfind("renderD", 0) == 0) return true;
  }
  return false;
#endif
}

// Picks SDL's software renderer where OpenGL has no graphics device; SDL_RENDER_DRIVER set
// by the user still decides.
void ChooseRenderer() {
  if (!HasGraphicsDevice()) SDL_SetHint(SDL_HINT_RENDER_DRIVER, "software");
  const char* const driver = SDL_GetHint(SDL_HINT_RENDER_DRIVER);
  if (driver != nullptr && SDL_strcasecmp(driver, "software") == 0) {
    // Otherwise SDL loads OpenGL to see whether it could draw the window's picture faster.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
  }
}

std::runtime_error SdlError(const std::string& what) {
  return std::runtime_error(what + ": " + SDL_GetError());
}

}  // namespace

int VirtualKeyFromScancode(int scancode, bool numLock) {
  if (const int vk = LetterDigitOrFunctionKey(scancode)) return vk;
  for (const FixedKey& key : kFixedKeys) {
    if (key.scancode == scancode) return key.vk;
  }
  for (const KeypadKey& key : kKeypadKeys) {
    if (key.scancode == scancode) return numLock ? key.digitVk : key.navigationVk;
  }
  return kNoWindowsKey;
}

std::string MessageTextToUtf8(const std::string& cp1251) {
  std::string lines;
  for (std::size_t i = 0; i < cp1251.size(); ++i) {
    if (cp1251[i] != '\r') {
      lines += cp1251[i];
    } else if (i + 1 >= cp1251.size() || cp1251[i + 1] != '\n') {
      lines += '\n';
    }
  }
  return Cp1251ToUtf8(lines);
}

void ShowMessageWithoutWindow(const std::string& caption, const std::string& text) {
  const std::string captionUtf8 = MessageTextToUtf8(caption);
  const std::string textUtf8 = MessageTextToUtf8(text);
  std::fprintf(stderr, "%s: %s\n", captionUtf8.c_str(), textUtf8.c_str());
  if (GtkDialogsAvailable()) {
    ShowGtkMessageBox(captionUtf8, textUtf8, DialogOwner{});
  } else {
    SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_INFORMATION, captionUtf8.c_str(), textUtf8.c_str(),
                             nullptr);
  }
}

bool TickGate::Start() {
  const std::lock_guard lock(mutex_);
  if (running_) return false;
  running_ = true;
  pending_ = false;
  return true;
}

void TickGate::Stop() {
  const std::lock_guard lock(mutex_);
  running_ = false;
  pending_ = false;
  ++generation_;
}

bool TickGate::Running() const {
  const std::lock_guard lock(mutex_);
  return running_;
}

std::optional<std::uint32_t> TickGate::Offer() {
  const std::lock_guard lock(mutex_);
  if (!running_ || pending_) return std::nullopt;
  pending_ = true;
  return generation_;
}

bool TickGate::Accept(std::uint32_t tag) {
  const std::lock_guard lock(mutex_);
  if (tag != generation_) return false;
  pending_ = false;
  return running_;
}

SdlPlatform::SdlPlatform(const std::string& title, const std::function<void()>& whileShowing) {
#ifndef _WIN32
  // The dialogs draw without OpenGL; left to itself GTK loads it (90 MB without a graphics
  // device) only to choose the colours of their windows.
  setenv("GDK_GL", "disable", 0);
#endif
  // A dialog takes the focus from the full-screen window, which must stay on the screen.
  SDL_SetHint(SDL_HINT_VIDEO_MINIMIZE_ON_FOCUS_LOSS, "0");
  SDL_SetHint(SDL_HINT_APP_NAME, title.c_str());
  if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_TIMER) != 0) {
    throw SdlError("cannot open the game window (is there a display?)");
  }
  const std::string driver = SDL_GetCurrentVideoDriver();
  if (IsInvisibleDriver(driver) && !DriverRequested(driver)) {
    SDL_Quit();
    throw std::runtime_error("no display found: SDL chose its invisible '" + driver +
                             "' video driver (set SDL_VIDEODRIVER=" + driver +
                             " to run like that on purpose)");
  }
  try {
    OpenWindow(title, whileShowing);
  } catch (...) {
    SDL_Quit();
    throw;
  }
}

void SdlPlatform::OpenWindow(const std::string& title,
                             const std::function<void()>& whileShowing) {
  SDL_DisplayMode desktop;
  if (SDL_GetDesktopDisplayMode(0, &desktop) != 0) throw SdlError("cannot read the screen size");
  screenWidth_ = desktop.w;
  screenHeight_ = desktop.h;
  ChooseRenderer();
  // Hidden until the renderer exists: a renderer that needs another kind of window makes the
  // window anew, and a window already on the screen would wait for the window manager twice.
  window_ = SDL_CreateWindow(title.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                             screenWidth_, screenHeight_,
                             SDL_WINDOW_FULLSCREEN_DESKTOP | SDL_WINDOW_BORDERLESS |
                                 SDL_WINDOW_HIDDEN);
  if (window_ == nullptr) throw SdlError("cannot create the game window");
  renderer_ = SDL_CreateRenderer(window_, -1, 0);
  if (renderer_ == nullptr) throw SdlError("cannot draw into the game window");
  SDL_RendererInfo info{};
  keepsFrame_ = SDL_GetRendererInfo(renderer_, &info) == 0 && info.name != nullptr &&
                SDL_strcmp(info.name, "software") == 0;
  if (whileShowing) whileShowing();
  {
    // SDL waits without a time limit for the window manager to show the window.
    const WindowWatchdog watchdog(
        kWindowLateAfter, kWindowGiveUpAfter,
        [](const std::string& text) { std::fputs(text.c_str(), stderr); },
        [] { std::_Exit(1); });
    SDL_ShowWindow(window_);
  }
  timerEventType_ = SDL_RegisterEvents(1);
  if (timerEventType_ == static_cast<std::uint32_t>(-1)) throw SdlError("no event for the timer");
  SDL_ShowCursor(SDL_DISABLE);
  SDL_StopTextInput();
  SDL_SysWMinfo wm;
  SDL_VERSION(&wm.version);
  if (SDL_GetWindowWMInfo(window_, &wm) && wm.subsystem == SDL_SYSWM_X11) {
    x11Window_ = wm.info.x11.window;
  }
}

SdlPlatform::~SdlPlatform() {
  if (timerId_ != 0) SDL_RemoveTimer(timerId_);
  if (texture_ != nullptr) SDL_DestroyTexture(texture_);
  if (renderer_ != nullptr) SDL_DestroyRenderer(renderer_);
  if (window_ != nullptr) SDL_DestroyWindow(window_);
  SDL_Quit();
}

void SdlPlatform::Present(const Surface& windowSurface, const std::vector<Rect>& changed) {
  if (windowSurface.Empty()) return;
  const bool fresh = texture_ == nullptr || textureWidth_ != windowSurface.width ||
                     textureHeight_ != windowSurface.height;
  if (fresh) {
    if (texture_ != nullptr) SDL_DestroyTexture(texture_);
    texture_ = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_RGB888, SDL_TEXTUREACCESS_STREAMING,
                                 windowSurface.width, windowSurface.height);
    if (texture_ == nullptr) throw SdlError("cannot show the picture");
    textureWidth_ = windowSurface.width;
    textureHeight_ = windowSurface.height;
  }
  // The texture keeps the last frame: a tick that moved a few cells uploads only those. A new
  // texture holds nothing yet.
  const Rect whole{0, 0, windowSurface.width, windowSurface.height};
  std::vector<SDL_Rect> areas;
  for (const Rect& each : fresh ? std::vector<Rect>{whole} : changed) {
    const Rect area = Intersect(each, whole);
    if (!area.Empty()) areas.push_back(SDL_Rect{area.left, area.top, area.width, area.height});
  }
  const int pitch = windowSurface.width * static_cast<int>(sizeof(std::uint32_t));
  for (const SDL_Rect& area : areas) {
    SDL_UpdateTexture(texture_, &area, windowSurface.Row(area.y) + area.x, pitch);
  }
  hasFrame_ = true;
  if (fresh || !keepsFrame_) {
    Redisplay();
    return;
  }
  // The software renderer draws into the window's own picture, which keeps the last frame.
  for (const SDL_Rect& area : areas) SDL_RenderCopy(renderer_, texture_, &area, &area);
  SDL_RenderPresent(renderer_);
}

void SdlPlatform::Redisplay() {
  int width = 0;
  int height = 0;
  const bool covered = hasFrame_ && SDL_GetRendererOutputSize(renderer_, &width, &height) == 0 &&
                       width <= textureWidth_ && height <= textureHeight_;
  if (!covered) {
    SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
    SDL_RenderClear(renderer_);
  }
  if (hasFrame_) {
    const SDL_Rect to{0, 0, textureWidth_, textureHeight_};
    SDL_RenderCopy(renderer_, texture_, nullptr, &to);
  }
  SDL_RenderPresent(renderer_);
}

std::uint32_t SdlPlatform::OnTimerThread(std::uint32_t interval, void* self) {
  SdlPlatform& platform = *static_cast<SdlPlatform*>(self);
  if (const std::optional<std::uint32_t> tag = platform.ticks_.Offer()) {
    SDL_Event event{};
    event.type = platform.timerEventType_;
    event.user.code = static_cast<Sint32>(*tag);
    SDL_PushEvent(&event);
  }
  return interval;
}

void SdlPlatform::SetTimerEnabled(bool enabled) {
  if (!enabled) {
    ticks_.Stop();
    if (timerId_ != 0) SDL_RemoveTimer(timerId_);
    timerId_ = 0;
    return;
  }
  if (!ticks_.Start()) return;
  timerId_ = SDL_AddTimer(kTimerIntervalMs, &SdlPlatform::OnTimerThread, this);
  if (timerId_ == 0) {
    ticks_.Stop();
    throw SdlError("cannot start the timer");
  }
}

bool SdlPlatform::IsKeyDown(int vk) const {
  return vk > 0 && std::find(heldVk_.begin(), heldVk_.end(), vk) != heldVk_.end();
}

void SdlPlatform::MessageBox(const std::string& caption, const std::string& text) {
  const std::string captionUtf8 = MessageTextToUtf8(caption);
  const std::string textUtf8 = MessageTextToUtf8(text);
  // Before its first frame the window has shown nothing yet: black behind the box.
  if (!hasFrame_) Redisplay();
  if (GtkDialogsAvailable()) {
    ShowGtkMessageBox(captionUtf8, textUtf8, Owner());
  } else {
    SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_INFORMATION, captionUtf8.c_str(), textUtf8.c_str(),
                             window_);
  }
  AfterDialog();
}

std::optional<std::string> SdlPlatform::OpenDialog(const FileDialogSetup& setup) {
  return FileDialog(FileDialogKind::kOpen, setup);
}

std::optional<std::string> SdlPlatform::SaveDialog(const FileDialogSetup& setup) {
  return FileDialog(FileDialogKind::kSave, setup);
}

std::optional<std::string> SdlPlatform::FileDialog(FileDialogKind kind,
                                                   const FileDialogSetup& setup) {
  if (!GtkDialogsAvailable()) {
    std::fputs("Quillmere: no file dialog without GTK\n", stderr);
    return std::nullopt;
  }
  std::optional<std::string> chosen = RunGtkFileDialog(kind, setup, Owner());
  AfterDialog();
  return chosen;
}

// Keys typed into a dialog reach the game window too when it gets the focus back first; they
// were meant for the dialog. The window was covered, so its last frame is shown again.
void SdlPlatform::AfterDialog() {
  SDL_PumpEvents();
  SDL_FlushEvents(SDL_KEYDOWN, SDL_TEXTINPUT);
  heldVk_.fill(0);
  SDL_RaiseWindow(window_);
  Redisplay();
  repaintPending_ = true;
}

DialogOwner SdlPlatform::Owner() {
  return DialogOwner{x11Window_, screenWidth_, screenHeight_, [this] { return RedrawUncovered(); }};
}

bool SdlPlatform::RedrawUncovered() {
  SDL_PumpEvents();
  bool uncovered = false;
  SDL_FilterEvents(
      [](void* seen, SDL_Event* event) -> int {
        if (event->type != SDL_WINDOWEVENT || event->window.event != SDL_WINDOWEVENT_EXPOSED) {
          return 1;
        }
        *static_cast<bool*>(seen) = true;
        return 0;
      },
      &uncovered);
  if (uncovered) Redisplay();
  return uncovered;
}

void SdlPlatform::SetTaskbarVisible(bool visible) {
#ifdef _WIN32
  if (HWND taskbar = FindWindowA("Shell_TrayWnd", nullptr)) {
    ShowWindow(taskbar, visible ? SW_SHOWNORMAL : SW_HIDE);
  }
#else
  // The full-screen window already covers the desktop's panels.
  static_cast<void>(visible);
#endif
}

int SdlPlatform::Run(WindowEvents& events) {
  quit_ = false;
  while (!quit_ && !events.IsClosed()) {
    SDL_Event event;
    // Like a window's paint message, a repaint waits until no other event is queued.
    const bool got = repaintPending_ ? SDL_PollEvent(&event) : SDL_WaitEvent(&event);
    if (got) {
      Dispatch(events, event);
    } else if (repaintPending_) {
      // The texture holds the whole of the last frame: shown again, the window looks exactly
      // as it did before it was covered. Painted afresh by the game, the board behind the shop
      // would be lost, since only play draws the board.
      repaintPending_ = false;
      Redisplay();
    } else {
      std::fprintf(stderr, "Quillmere: the event loop failed: %s\n", SDL_GetError());
      return 1;
    }
  }
  return 0;
}

void SdlPlatform::Dispatch(WindowEvents& events, const SDL_Event& event) {
  if (event.type == timerEventType_) {
    if (ticks_.Accept(static_cast<std::uint32_t>(event.user.code))) events.OnTimer();
    return;
  }
  switch (event.type) {
    case SDL_KEYDOWN:
      KeyDown(events, event.key);
      break;
    case SDL_KEYUP:
      heldVk_[event.key.keysym.scancode] = 0;
      break;
    case SDL_WINDOWEVENT:
      WindowEvent(events, event);
      break;
    case SDL_QUIT:
      events.OnClose();
      break;
    default:
      break;
  }
}

void SdlPlatform::KeyDown(WindowEvents& events, const SDL_KeyboardEvent& key) {
  const SDL_Keysym& keysym = key.keysym;
  const int vk = VirtualKeyFromScancode(keysym.scancode, (keysym.mod & KMOD_NUM) != 0);
  heldVk_[keysym.scancode] = static_cast<std::uint8_t>(vk);
  events.OnKeyDown(vk, (keysym.mod & KMOD_SHIFT) != 0);
}

void SdlPlatform::WindowEvent(WindowEvents& events, const SDL_Event& event) {
  switch (event.window.event) {
    case SDL_WINDOWEVENT_EXPOSED:
    case SDL_WINDOWEVENT_SHOWN:
    case SDL_WINDOWEVENT_RESTORED:
    case SDL_WINDOWEVENT_SIZE_CHANGED:
      repaintPending_ = true;
      break;
    case SDL_WINDOWEVENT_FOCUS_LOST:
      heldVk_.fill(0);
      break;
    case SDL_WINDOWEVENT_CLOSE:
      events.OnClose();
      break;
    default:
      break;
  }
}
