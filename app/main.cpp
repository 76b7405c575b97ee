// The game's entry point: it works from the program's folder, however it was started.
#include <cstdio>
#include <exception>
#include <future>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>

#include "app/player_folder.h"
#include "app/tform1.h"
#include "app/window_platform.h"
#include "game/cp1251.h"
#include "game/random.h"
#include "platform/file_system.h"
#include "platform/single_instance.h"
#include "view/catalogue.h"

namespace {

void ReportFailure(const std::string& what) {
  std::fprintf(stderr, "%s: %s\n", kApplicationTitle, what.c_str());
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
int RunGame(WindowPlatform& platform, const GameFolders& folders,
            std::future<GamePictures>& pictures) {
  const std::string& folder = folders.shipped;
  ClockRandom random;
  random.SeedFromClock();
  TForm1 form(platform, random, FormOptions{folder, AssetsFolder(folder), DefaultSnapshotPath(),
                                            folders.player, folders.levels});
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

// Answers --version and --help; true when the command line asks to play.
bool ReadCommandLine(int argc, char** argv, int& exitCode) {
  const std::string usage = "usage: quillmere [--version | --help]\n";
  if (argc < 2) return true;
  const std::string option = argv[1];
  exitCode = 0;
  if (argc == 2 && option == "--version") {
    std::printf("quillmere %s\n", QUILLMERE_VERSION);
  } else if (argc == 2 && option == "--help") {
    std::printf("%sPlays Quillmere full-screen; the keys are in the player's guide.\n",
                usage.c_str());
  } else {
    std::fputs(usage.c_str(), stderr);
    exitCode = 2;
  }
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  if (int exitCode = 0; !ReadCommandLine(argc, argv, exitCode)) return exitCode;
  std::string why;
  std::optional<GameFolders> folders = EnterGameFolder(why);
  if (!folders) {
    ReportFailure(why);
    return 1;
  }
  // Before any file is touched: a second copy only says so and ends.
  const SingleInstance instance(DefaultInstanceLockPath(), SingleInstance::Kind::kGame);
  if (instance.AnotherIsRunning()) {
    ShowMessageWithoutWindow(kApplicationTitle, Utf8ToCp1251(kAlreadyRunningText));
    return 1;
  }
  SetUpPlayerFiles(*folders, why);
  if (!why.empty()) ReportFailure(why);
  std::future<GamePictures> pictures;
  const std::unique_ptr<WindowPlatform> platform = OpenPlatform(folders->shipped, pictures);
  if (!platform) return 1;
  const std::string assets = AssetsFolder(folders->shipped);
  platform->SetSoundFolder(assets + "sounds" + assets.back());
  try {
    return RunGame(*platform, *folders, pictures);
  } catch (const std::exception& error) {
    ReportFailure(error.what());
    return 1;
  }
}
