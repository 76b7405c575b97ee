// quillmere-headless: the whole game against a virtual screen, driven by a script.
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <optional>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "app/edit_script_runner.h"
#include "app/script_commands.h"
#include "app/script_runner.h"
#include "app/tform1.h"
#include "platform/file_system.h"
#include "game/cp1251.h"
#include "platform/single_instance.h"
#include "view/catalogue.h"
#include "view/design_scale.h"

namespace {

struct Options {
  int width = kDesignWidth;
  int height = kDesignHeight;
  std::string folder;
  std::string snapshot;
  std::string script;
  bool help = false;
  bool sounds = false;  // a line "sound NAME" as each sound starts
  bool edit = false;    // the level editor instead of the game
  std::string level;    // the level the editor opens
};

constexpr const char* kUsage =
    "usage: quillmere-headless [--screen WxH] [--folder DIR] [--snapshot PATH] [--sounds] "
    "SCRIPT\n"
    "       quillmere-headless [--screen WxH] [--folder DIR] --edit [LEVEL] SCRIPT\n"
    "       quillmere-headless --help\n";

int Usage(const std::string& why) {
  std::cerr << "quillmere-headless: " << why << "\n" << kUsage;
  return 2;
}

// --help: what the driver does and how it is called.
int Help() {
  std::cout << kUsage
            << "Runs the game against a virtual screen, driven by the commands of SCRIPT (a file,\n"
               "or - for standard input); what the game shows is printed on standard output.\n"
               "  --screen WxH     the screen size the game sees (default 800x600)\n"
               "  --folder DIR     the program's folder: levels, High.scr, Player.cfg, saves\n"
               "                   (default: the current folder)\n"
               "  --snapshot PATH  the snapshot file of this run (default: the game's own, under\n"
               "                   the one-copy lock)\n"
               "  --sounds         a line \"sound NAME\" as each sound starts\n"
               "  --edit [LEVEL]   the level editor instead of the game, on LEVEL or a new level;\n"
               "                   dump prints the level as the editor saves it\n"
               "  --help           this text\n"
               "Commands: key, tick, random, dialog, answer, paint, close, dump, board,\n"
               "screenshot.\n"
               "Exit code 0 when the script ran to its end or the window was closed, 1 when the\n"
               "game is already running, 2 for a bad command line or script line.\n";
  return 0;
}

std::optional<std::string> ParseOptions(int argc, char** argv, Options& o) {
  std::vector<std::string> names;  // the level and the script, or the script
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    const bool hasValue = i + 1 < argc;
    if (arg == "--screen" && hasValue) {
      char x = 0;
      std::istringstream in(argv[++i]);
      if (!(in >> o.width >> x >> o.height) || x != 'x' || o.width <= 0 || o.height <= 0 ||
          o.width > 16384 || o.height > 16384 || in.peek() != EOF) {
        return "bad screen size " + std::string(argv[i]);
      }
    } else if (arg == "--folder" && hasValue) {
      o.folder = argv[++i];
    } else if (arg == "--snapshot" && hasValue) {
      o.snapshot = argv[++i];
    } else if (arg == "--help") {
      o.help = true;
    } else if (arg == "--sounds") {
      o.sounds = true;
    } else if (arg == "--edit") {
      o.edit = true;
    } else if (names.size() < 2 && (arg == "-" || arg.rfind("--", 0) != 0)) {
      names.push_back(arg);
    } else {
      return "unexpected argument " + arg;
    }
  }
  if (names.empty()) return o.help ? std::nullopt : std::optional<std::string>("no script given");
  if (names.size() == 2 && !o.edit) return "unexpected argument " + names[1];
  o.script = names.back();
  if (names.size() == 2) o.level = names[0];
  return std::nullopt;
}

// Reads the commands of `script` ("-": standard input); 0, or the exit code of a failure.
int ReadScript(const std::string& script, std::vector<ScriptCommand>& commands) {
  std::ifstream file;
  if (script != "-") {
    file.open(script, std::ios::binary);
    if (!file) return Usage("cannot read script " + script);
  }
  std::istream& in = script == "-" ? std::cin : file;
  std::string line;
  int number = 0;
  while (std::getline(in, line)) {
    ++number;
    std::string why;
    const auto command = ParseScriptLine(line, why);
    if (!why.empty()) {
      std::cerr << script << ":" << number << ": " << why << "\n";
      return 2;
    }
    if (command) commands.push_back(*command);
  }
  return 0;
}

std::string ProgramFolderOf(const Options& o, const std::string& startFolder) {
  if (o.folder.empty()) return startFolder;
  return Absolute(o.folder.back() == '/' ? o.folder : o.folder + "/", startFolder);
}

// The level editor against the virtual screen; it writes none of the game's files and takes no
// lock.
int RunEditor(const Options& o, const std::string& startFolder) {
  std::vector<ScriptCommand> commands;
  if (const int failed = ReadScript(o.script, commands)) return failed;
  const std::string level = o.level.empty() ? "" : Absolute(o.level, startFolder);
  const std::string programFolder = ProgramFolderOf(o, startFolder);
  if (!EnterFolder(programFolder)) return Usage("cannot enter folder " + o.folder);
  ScriptedPlatform platform(o.width, o.height, std::cout);
  ForcedRandom random;
  const std::string assets = AssetsFolder(ProgramFolder().value_or(startFolder));
  EditorWindow editor(platform, random, EditorOptions{programFolder, assets, ""});
  editor.LoadPictures(DecodeGamePictures(assets, false));
  editor.Start(level);
  std::cout.flush();
  EditScriptContext context{editor, platform, random, programFolder, startFolder, std::cout};
  for (const ScriptCommand& c : commands) {
    if (!RunEditScriptCommand(c, context)) break;
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  Options o;
  if (const auto error = ParseOptions(argc, argv, o)) return Usage(*error);
  if (o.help) return Help();
  const std::string startFolder = CurrentFolder();
  if (o.edit) return RunEditor(o, startFolder);
  // A run on the game's own snapshot must not share it with a game being played, nor a game
  // start beside it; such runs may go side by side. Runs with a snapshot of their own take no
  // lock at all.
  std::optional<SingleInstance> instance;
  if (o.snapshot.empty()) {
    instance.emplace(DefaultInstanceLockPath(), SingleInstance::Kind::kReplay);
    if (instance->AnotherIsRunning()) {
      ScriptedPlatform(o.width, o.height, std::cout)
          .MessageBox(kApplicationTitle, Utf8ToCp1251(kAlreadyRunningText));
      return 1;
    }
  }
  std::vector<ScriptCommand> commands;
  if (const int failed = ReadScript(o.script, commands)) return failed;
  const std::string programFolder = ProgramFolderOf(o, startFolder);
  if (!EnterFolder(programFolder)) return Usage("cannot enter folder " + o.folder);
  ScriptedPlatform platform(o.width, o.height, std::cout);
  if (o.sounds) platform.Sounds().PrintLines();
  ForcedRandom random;
  const std::string assets = AssetsFolder(ProgramFolder().value_or(startFolder));
  TForm1 form(platform, random,
              FormOptions{programFolder, assets,
                          o.snapshot.empty() ? DefaultSnapshotPath()
                                             : Absolute(o.snapshot, startFolder)});
  // Scripts run without the pictures as well: whatever is missing stays blank.
  form.LoadPictures(DecodeGamePictures(assets, false));
  form.FormCreate();
  std::cout.flush();
  ScriptContext context{form, platform, random, programFolder, startFolder, std::cout};
  for (const ScriptCommand& c : commands) {
    if (!RunScriptCommand(c, context)) break;
  }
  return 0;
}
