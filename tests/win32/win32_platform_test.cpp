// The Win32 back end under Wine on a virtual screen: the order of the handlers around a modal
// box, the file dialog's answer, the task bar on every way out, and the texts given to Windows.
#include <gtest/gtest.h>

#include <windows.h>
#undef MessageBox  // the platform's own

#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "game/cp1251.h"
#include "platform/win32/taskbar.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/win32_dialogs.h"
#include "platform/win32/win32_platform.h"
#include "view/surface.h"

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

constexpr char kTitle[] = "Quillmere test";

class Recorder : public WindowEvents {
 public:
  std::function<void(int)> key = [](int) {};
  std::function<void(int)> tick = [](int) {};
  std::vector<std::string> log;

  void OnKeyDown(int vk, bool) override { Run("key " + std::to_string(vk), [&] { key(vk); }); }
  void OnTimer() override { Run("tick", [&] { tick(++ticks_); }); }
  void OnPaint() override { ++paints; }
  int paints = 0;
  void OnClose() override {
    Run("close", [] {});
    closed_ = true;
  }
  bool IsClosed() const override { return closed_; }

 private:
  void Run(const std::string& what, const std::function<void()>& handler) {
    log.push_back(inside_ ? "overlap " + what : what);
    inside_ = true;
    handler();
    inside_ = false;
  }
  bool inside_ = false;
  bool closed_ = false;
  int ticks_ = 0;
};

// The first top-level window of this process (tests may run side by side) whose class is
// `className` and whose owner is `owner`.
HWND OurWindow(const wchar_t* className, HWND owner) {
  struct Search {
    const wchar_t* className;
    HWND owner;
    HWND found;
  } search{className, owner, nullptr};
  EnumWindows(
      [](HWND window, LPARAM data) -> BOOL {
        auto* s = reinterpret_cast<Search*>(data);
        wchar_t name[32] = {};
        GetClassNameW(window, name, 32);
        DWORD process = 0;
        GetWindowThreadProcessId(window, &process);
        if (process != GetCurrentProcessId() || std::wstring(name) != s->className ||
            GetWindow(window, GW_OWNER) != s->owner) {
          return TRUE;
        }
        s->found = window;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND GameWindow() { return OurWindow(L"QuillmereWindow", nullptr); }

// A message box or file dialog over the game's window, or null.
HWND OwnedDialog() { return OurWindow(L"#32770", GameWindow()); }

// Answers the dialog of the game's window from another thread: `act` is tried on it until it
// says it acted, and again while the dialog stays open (it may not have been ready), for 30 s.
std::thread Helper(std::function<bool(HWND)> act) {
  return std::thread([act] {
    const auto end = std::chrono::steady_clock::now() + 30s;
    auto actedAt = end;
    while (std::chrono::steady_clock::now() < end) {
      const HWND dialog = OwnedDialog();
      if (dialog == nullptr && actedAt != end) return;
      if (dialog != nullptr && (actedAt == end || std::chrono::steady_clock::now() > actedAt + 3s) &&
          act(dialog)) {
        actedAt = std::chrono::steady_clock::now();
      }
      std::this_thread::sleep_for(50ms);
    }
  });
}

TEST(Win32Platform, TicksAndKeysWaitWhileAHandlerShowsABox) {
  Win32Platform platform(kTitle);
  Recorder events;
  std::thread closer;
  events.tick = [&](int n) {
    if (n == 1) PostMessageW(GameWindow(), WM_KEYDOWN, 'M', 0);
    if (n == 2) PostMessageW(GameWindow(), WM_CLOSE, 0, 0);
  };
  events.key = [&](int) {
    closer = Helper([](HWND box) {
      // Ticks come while the box is open; a key for the game then must not reach it later.
      std::this_thread::sleep_for(700ms);
      PostMessageW(GameWindow(), WM_KEYDOWN, 'Z', 0);
      PostMessageW(box, WM_COMMAND, IDOK, 0);
      return true;
    });
    platform.MessageBox(kTitle, Utf8ToCp1251("Проба"));
    events.log.push_back("box closed");
  };
  events.log.clear();
  platform.SetTimerEnabled(true);
  EXPECT_EQ(platform.Run(events), 0);
  closer.join();
  EXPECT_EQ(events.log, (std::vector<std::string>{"tick", "key 77", "box closed", "tick", "close"}));
}

// Uncovered (after the save dialog, say), the window shows its last frame again; asked to paint
// afresh, the game would draw no board behind the shop.
TEST(Win32Platform, AnUncoveredWindowShowsItsLastFrameAgain) {
  Win32Platform platform(kTitle);
  Recorder events;
  const Surface frame(platform.ScreenWidth(), platform.ScreenHeight(), Rgb(0x20, 0x80, 0xC0));
  platform.Present(frame, {Rect{0, 0, frame.width, frame.height}});
  COLORREF seen = CLR_INVALID;
  events.tick = [&](int n) {
    if (n == 1) InvalidateRect(GameWindow(), nullptr, FALSE);
    if (n == 2) {
      const HDC dc = GetDC(GameWindow());
      seen = GetPixel(dc, 10, 10);
      ReleaseDC(GameWindow(), dc);
      PostMessageW(GameWindow(), WM_CLOSE, 0, 0);
    }
  };
  platform.SetTimerEnabled(true);
  EXPECT_EQ(platform.Run(events), 0);
  EXPECT_EQ(events.paints, 0);
  EXPECT_EQ(seen, RGB(0x20, 0x80, 0xC0));
}

TEST(Win32Platform, AHandlersExceptionLeavesTheLoop) {
  Win32Platform platform(kTitle);
  Recorder events;
  events.key = [](int) { throw std::logic_error("broken handler"); };
  PostMessageW(GameWindow(), WM_KEYDOWN, VK_RETURN, 0);
  EXPECT_THROW(platform.Run(events), std::logic_error);
}

TEST(Win32Platform, TheOpenDialogAnswersWithTheFullPathAndKeepsTheWorkingFolder) {
  const fs::path folder = fs::temp_directory_path() / L"quillmere_dialog_Уровни";
  fs::create_directories(folder);
  std::ofstream(folder / L"Пещера.lvl") << "3\r\n";
  const fs::path before = fs::current_path();
  Win32Platform platform(kTitle);
  std::thread typist = Helper([](HWND dialog) {
    // The file name box of the dialog (cmb13, or edt1 in older layouts), once it is there.
    HWND name = GetDlgItem(dialog, 0x47C);
    if (name == nullptr) name = GetDlgItem(dialog, 0x480);
    if (name == nullptr || !IsWindowVisible(name)) return false;
    SendMessageW(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"Пещера.lvl"));
    PostMessageW(dialog, WM_COMMAND, IDOK, 0);
    return true;
  });
  const std::string initial = *Cp1251FromWide(folder.wstring()) + "\\";
  const std::optional<std::string> chosen = platform.OpenDialog(
      FileDialogSetup{Utf8ToCp1251("Файлы уровней Kolbrin|*.lvl"), initial, ""});
  typist.join();
  ASSERT_TRUE(chosen.has_value());
  EXPECT_EQ(*chosen, initial + Utf8ToCp1251("Пещера.lvl"));
  EXPECT_EQ(fs::current_path(), before);
  fs::remove_all(folder);
}

// The task bar of the desktop (Wine's explorer has one, kept hidden) after a helper program hid
// it and ended in the way named.
bool TaskbarShownAfter(const char* way) {
  wchar_t module[MAX_PATH];
  GetModuleFileNameW(nullptr, module, MAX_PATH);
  std::wstring command = L"\"" + (fs::path(module).parent_path() / L"taskbar-crash.exe").wstring() +
                         L"\" " + WideFromUtf8(way);
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &process)) {
    ADD_FAILURE() << "cannot start taskbar-crash.exe";
    return false;
  }
  WaitForSingleObject(process.hProcess, 30000);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  // After a crash the task bar's own process shows it when it gets to the request.
  for (int i = 0; i < 100; ++i) {
    if (IsWindowVisible(FindWindowW(L"Shell_TrayWnd", nullptr))) return true;
    std::this_thread::sleep_for(50ms);
  }
  return false;
}

TEST(Taskbar, ComesBackOnEveryWayOut) {
  const HWND taskbar = FindWindowW(L"Shell_TrayWnd", nullptr);
  ASSERT_NE(taskbar, nullptr) << "no task bar on this desktop";
  SetTaskbarShown(false);
  EXPECT_FALSE(IsWindowVisible(taskbar));
  EXPECT_TRUE(TaskbarHiddenByUs());
  SetTaskbarShown(true);
  EXPECT_TRUE(IsWindowVisible(taskbar));
  {
    Win32Platform platform(kTitle);
    platform.SetTaskbarVisible(false);
  }
  EXPECT_TRUE(IsWindowVisible(taskbar)) << "the closed window left the task bar hidden";
  for (const char* way : {"exit", "throw", "crash"}) {
    EXPECT_TRUE(TaskbarShownAfter(way)) << way;
    ShowWindow(taskbar, SW_SHOWNORMAL);
  }
  ShowWindow(taskbar, SW_HIDE);  // as Wine keeps it
}

TEST(Win32Texts, FiltersAndMessagesInTheSystemsForm) {
  EXPECT_EQ(DialogFilter(Utf8ToCp1251("Файлы уровней Kolbrin|*.lvl")),
            std::wstring(L"Файлы уровней Kolbrin\0*.lvl\0\0", 29));
  EXPECT_EQ(DialogFilter("A|*.a;*.b|B|*.c"), std::wstring(L"A\0*.a;*.b\0B\0*.c\0\0", 17));
  EXPECT_EQ(DialogFilter("Odd"), std::wstring(L"Odd\0*\0\0", 7));
  EXPECT_EQ(BoxText(Utf8ToCp1251("Игра оптимизирована.\rВы можете")),
            L"Игра оптимизирована.\r\nВы можете");
  EXPECT_EQ(BoxText("a\r\nb\nc\r"), L"a\r\nb\r\nc\r\n");
}

}  // namespace
