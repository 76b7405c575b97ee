// quillmere-edit: the level editor in a real window. `quillmere-edit [LEVEL]` opens LEVEL (a
// path relative to the folder it was started from), or starts a new level. It finds the game's
// pictures as the game does; an installed editor's dialogs start in the player's data folder and
// the shipped levels are only read.
#include <cstdio>
#include <exception>
#include <future>
#include <memory>
#include <optional>
#include <string>

#include "app/player_folder.h"
#include "app/window_platform.h"
#include "editor/editor_window.h"
#include "game/cp1251.h"
#include "game/random.h"
#include "platform/file_system.h"
#include "view/catalogue.h"

namespace {

void ReportFailure(const std::string& what) {
  std::fprintf(stderr, "quillmere-edit: %s\n", what.c_str());
}

// Where the editor's dialogs start and which levels it never saves over.
EditorOptions OptionsFor(const GameFolders& folders) {
  const std::string& shipped = folders.shipped;
  return EditorOptions{folders.player.empty() ? shipped : folders.player, AssetsFolder(shipped),
                       IsInstalledBuild() ? shipped : ""};
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
  std::string why;
  std::optional<GameFolders> folders = EnterGameFolder(why);
  if (!folders) {
    ReportFailure(why);
    return 1;
  }
  SetUpPlayerFiles(*folders, why);
  if (!why.empty()) ReportFailure(why);
  try {
    const EditorOptions options = OptionsFor(*folders);
    std::future<GamePictures> pictures;
    WindowPlatform platform("Quillmere", [&] {
      pictures = std::async(std::launch::async | std::launch::deferred, DecodeGamePictures,
                            options.assetsFolder, true);
    });
    ClockRandom random;
    random.SeedFromClock();
    EditorWindow editor(platform, random, options);
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
