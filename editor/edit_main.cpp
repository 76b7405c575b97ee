// quillmere-edit: the level editor in a real window. `quillmere-edit [LEVEL]` opens LEVEL (a
// path relative to the folder it was started from), or starts a new level.
#include <cstdio>
#include <exception>
#include <future>
#include <memory>
#include <optional>
#include <string>

#include "editor/editor_window.h"
#include "game/cp1251.h"
#include "game/random.h"
#include "platform/file_system.h"
#include "view/catalogue.h"

#ifdef _WIN32
#include "platform/win32/win32_platform.h"
using WindowPlatform = Win32Platform;
#else
#include "platform/linux/sdl_platform.h"
using WindowPlatform = SdlPlatform;
#endif

namespace {

void ReportFailure(const std::string& what) {
  std::fprintf(stderr, "quillmere-edit: %s\n", what.c_str());
}

}  // namespace

int main(int argc, char** argv) {
  if (argc > 2) {
    ReportFailure("usage: quillmere-edit [LEVEL]");
    return 2;
  }
  const std::string startFolder = CurrentFolder();
  std::string level = argc == 2 ? argv[1] : "";
  if (!level.empty() && !IsAbsolutePath(level)) level = startFolder + level;
  const std::optional<std::string> folder = ProgramFolder();
  if (!folder || !EnterFolder(*folder)) {
    ReportFailure("cannot work in the program's folder: " + LastFileErrorText());
    return 1;
  }
  try {
    std::future<GamePictures> pictures;
    WindowPlatform platform("Quillmere", [&] {
      pictures = std::async(std::launch::async | std::launch::deferred, DecodeGamePictures,
                            AssetsFolder(*folder), true);
    });
    ClockRandom random;
    random.SeedFromClock();
    EditorWindow editor(platform, random, EditorOptions{*folder, AssetsFolder(*folder)});
    try {
      editor.LoadPictures(pictures.get());
    } catch (const std::runtime_error& error) {
      ReportFailure(error.what());
      platform.MessageBox(
          kEditorTitle,
          Utf8ToCp1251(std::string("Не удалось загрузить файл игры:\r") + error.what()));
      return 1;
    }
    editor.Start(level);
    return platform.Run(editor);
  } catch (const std::exception& error) {
    ReportFailure(error.what());
    return 1;
  }
}
