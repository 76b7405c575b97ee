// The game's entry point: it works from the program's folder, however it was started.
#include <cstdio>
#include <exception>
#include <future>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>

#include "app/tform1.h"
#include "game/cp1251.h"
#include "game/random.h"
#include "platform/file_system.h"
#include "platform/single_instance.h"
#include "view/catalogue.h"

// The real window of this operating system's build: Win32 on Windows, SDL2 and GTK 3 elsewhere.
#ifdef _WIN32
#include "platform/win32/win32_platform.h"
using WindowPlatform = Win32Platform;
#else
#include "platform/linux/sdl_platform.h"
using WindowPlatform = SdlPlatform;
#endif

namespace {

void ReportFailure(const std::string& what) {
  std::fprintf(stderr, "%s: %s\n", kApplicationTitle, what.c_str());
}

// The folder the game works in: its own, wherever it was started from; the levels, tables and
// settings are opened by names relative to it.
std::optional<std::string> EnterProgramFolder() {
  const std::optional<std::string> folder = ProgramFolder();
  if (!folder) {
    ReportFailure("cannot find the program's folder: " + LastFileErrorText());
    return std::nullopt;
  }
  if (!EnterFolder(*folder)) {
    ReportFailure("cannot work in " + *folder + ": " + LastFileErrorText());
    return std::nullopt;
  }
  return folder;
}

// Decodes the pictures on another thread: opening the window mostly waits for the window manager.
std::future<GamePictures> StartDecodingPictures(const std::string& folder) {
  return std::async(std::launch::async | std::launch::deferred, DecodeGamePictures,
                    AssetsFolder(folder), true);
}

// Opens the window; the pictures are decoded while it is shown.
std::unique_ptr<WindowPlatform> OpenPlatform(const std::string& folder,
                                             std::future<GamePictures>& pictures) {
  try {
    return std::make_unique<WindowPlatform>(
        kApplicationTitle, [&] { pictures = StartDecodingPictures(folder); });
  } catch (const std::exception& error) {
    ReportFailure(error.what());
    return nullptr;
  }
}

// Runs the window until it is closed; a missing picture ends the game before it starts.
int RunGame(WindowPlatform& platform, const std::string& folder,
            std::future<GamePictures>& pictures) {
  ClockRandom random;
  random.SeedFromClock();
  TForm1 form(platform, random, FormOptions{folder, AssetsFolder(folder), DefaultSnapshotPath()});
  try {
    form.LoadPictures(pictures.get());
  } catch (const std::runtime_error& error) {
    ReportFailure(error.what());
    platform.MessageBox(kApplicationTitle,
                        Utf8ToCp1251(std::string("Не удалось загрузить файл игры:\r") + error.what()));
    return 1;
  }
  form.FormCreate();
  return platform.Run(form);
}

}  // namespace

int main() {
  const std::optional<std::string> folder = EnterProgramFolder();
  if (!folder) return 1;
  // Before any file is touched: a second copy only says so and ends.
  const SingleInstance instance(DefaultInstanceLockPath(), SingleInstance::Kind::kGame);
  if (instance.AnotherIsRunning()) {
    ShowMessageWithoutWindow(kApplicationTitle, Utf8ToCp1251(kAlreadyRunningText));
    return 1;
  }
  std::future<GamePictures> pictures;
  const std::unique_ptr<WindowPlatform> platform = OpenPlatform(*folder, pictures);
  if (!platform) return 1;
  try {
    return RunGame(*platform, *folder, pictures);
  } catch (const std::exception& error) {
    ReportFailure(error.what());
    return 1;
  }
}
