// The game's entry point: it works from the program's folder, however it was started.
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <exception>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>

#include "app/tform1.h"
#include "game/cp1251.h"
#include "menu/snapshot_file.h"
#include "platform/sdl_platform.h"
#include "platform/single_instance.h"

namespace {

void ReportFailure(const std::string& what) {
  std::fprintf(stderr, "%s: %s\n", kApplicationTitle, what.c_str());
}

// The directory of the running executable as a full path ending with '/', or nothing.
std::optional<std::string> ProgramFolder() {
  std::string path(PATH_MAX, '\0');
  const ssize_t length = readlink("/proc/self/exe", path.data(), path.size());
  if (length <= 0 || static_cast<std::size_t>(length) >= path.size()) {
    ReportFailure(std::string("cannot find the program's folder: ") + std::strerror(errno));
    return std::nullopt;
  }
  path.resize(static_cast<std::size_t>(length));
  return path.substr(0, path.rfind('/') + 1);
}

// The game opens its levels, tables and settings by names relative to the working folder.
bool EnterFolder(const std::string& folder) {
  if (chdir(folder.c_str()) == 0) return true;
  ReportFailure("cannot work in " + folder + ": " + std::strerror(errno));
  return false;
}

std::unique_ptr<SdlPlatform> OpenPlatform() {
  try {
    return std::make_unique<SdlPlatform>(kApplicationTitle);
  } catch (const std::exception& error) {
    ReportFailure(error.what());
    return nullptr;
  }
}

// Runs the window until it is closed; a missing picture ends the game before it starts.
int RunGame(SdlPlatform& platform, const std::string& folder) {
  TForm1 form(platform, FormOptions{folder, folder + "assets/", DefaultSnapshotPath(), true});
  try {
    form.LoadPictures();
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
  const std::optional<std::string> folder = ProgramFolder();
  if (!folder || !EnterFolder(*folder)) return 1;
  // Before any file is touched: a second copy only says so and ends.
  const SingleInstance instance(DefaultInstanceLockPath(), SingleInstance::Kind::kGame);
  if (instance.AnotherIsRunning()) {
    ShowMessageWithoutWindow(kApplicationTitle, Utf8ToCp1251(kAlreadyRunningText));
    return 1;
  }
  const std::unique_ptr<SdlPlatform> platform = OpenPlatform();
  if (!platform) return 1;
  try {
    return RunGame(*platform, *folder);
  } catch (const std::exception& error) {
    ReportFailure(error.what());
    return 1;
  }
}
