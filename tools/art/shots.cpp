// ImShot1 … ImShot3: the menu's preview pictures, 280 × 210. Each is a real screen of play:
// the game itself loads a small level, the keys and ticks below are played on it through the
// same script runner as quillmere-headless, and the 800 × 600 window surface is reduced with an
// area filter. The third ends at the exit, with the shop over the board and 0026 on the counter.
#include <unistd.h>

#include <array>
#include <climits>
#include <cstdio>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/script_runner.h"
#include "app/tform1.h"
#include "platform/scripted/scripted_platform.h"
#include "tools/art/catalogue.h"

namespace art {
namespace {

constexpr int kScreenWidth = 800;
constexpr int kScreenHeight = 600;

struct ShotScene {
  std::vector<const char*> rows;  // legend below; 'P' is the player's start
  int rubiesRequired;
  std::vector<const char*> script;  // quillmere-headless commands played after start-up
};

// Board legend: '#' outer wall, 'W' wall, '*' ruby, 'P' player, '.' earth, 'O' rock, ' ' empty,
// 'X' closed exit, 'E' exit, '>' 'v' '<' '^' creatures by heading, 's' slime.
int CodeOf(char c) {
  switch (c) {
    case '#': return 0;
    case '*': return 1;
    case 'P': return 2;
    case '.': return 3;
    case 'O': return 4;
    case 'X': return 6;
    case 'E': return 7;
    case '>': return 8;
    case 'v': return 9;
    case '<': return 10;
    case '^': return 11;
    case 's': return 12;
    case 'W': return 13;
    default: return 5;
  }
}

const std::array<ShotScene, 3> kScenes{{
    {{
         "##############################",
         "#....O...*...O.. ...O....*..O#",
         "#.OO...W.....*..WWWW.........#",
         "#..*...W..>.....W  ss..O..*..#",
         "#......W........W sss........#",
         "#WWWWW.W.O..OO..W  ss...OO...#",
         "#.....*W........WWWW.........#",
         "#.O.....   *  ..O......*.....#",
         "#...OO..  P   ...*..O....O...#",
         "#..*....   ...O..............#",
         "#WWWW..WWWWWWWW..v.....WWWWW.#",
         "#....O.   ....W..  ....W   W.#",
         "#.*..   ^  ...W..O..*..W > W.#",
         "#....   ...*..W........W   W.#",
         "#..O......O...WWW..X...WWWWW.#",
         "#....*....O..................#",
         "#..*....OO....*...O.....*....#",
         "#.O...*......O......*.....O..#",
         "##############################",
     },
     16,
     {"key enter", "tick 3", "key up", "tick", "key right", "tick 2", "key right", "tick 2"}},
    {{
         "###########################",
         "#.O...*.....ssss......O...#",
         "#.....WWWWW.sssss..O......#",
         "#*....W   W..sss...*...*..#",
         "#.O...W > W.....OO........#",
         "#.....W   W...........O...#",
         "#WWW..WWWWW.O....WWWWW....#",
         "#..W.........    W....*...#",
         "#*.W..OO..   P   W.*......#",
         "#..W.....    *   W....O...#",
         "#..WWW....O..........X....#",
         "#.....ss.......WWWWWWW....#",
         "#.O..ssss..<...W......*...#",
         "#...ssssss.....W..*.......#",
         "#*...ssss..O...W..O....ss.#",
         "#.....ss.......W......ssss#",
         "#.O.......*.............ss#",
         "###########################",
     },
     12,
     {"key enter", "tick 2", "key down", "tick", "key right", "tick 3", "key right", "key right",
      "tick 4"}},
    {{
         "################################",
         "#..O..*....WWWW...O......*..O..#",
         "#.....OO...W  W..*.............#",
         "#..*.......W v W......ss...O...#",
         "#WWW...O...W  W...ss.ssss......#",
         "#  W.......WW WW.ssss.ss...*...#",
         "# >W...*........sssss..........#",
         "#  W.....O......ssss.....O.....#",
         "#WWW..OO.............O.........#",
         "#P***************************X.#",
         "#WWWWWWWWWWWWWWWWWWWWWWWWWWWWWW#",
         "#.*.....WWWWWWW......O....*....#",
         "#......W.....*W.......O........#",
         "#..OO..W..O...W..^.........*...#",
         "#......WWWWWWWW................#",
         "#...*.......O.......*.....O....#",
         "################################",
     },
     1,
     // 27 rubies with one required: the exit opens, and finishing adds 26 to the money.
     {"key enter", "tick", "key right", "key right", "key right", "key right", "key right",
      "key right", "key right", "key right", "key right", "tick", "key right", "key right",
      "key right", "key right", "key right", "key right", "key right", "key right", "key right",
      "tick", "key right", "key right", "key right", "key right", "key right", "key right",
      "key right", "key right", "key right", "tick", "key right"}},
}};

std::string LevelText(const ShotScene& scene) {
  int px = 0;
  int py = 0;
  std::string cells;
  for (std::size_t y = 0; y < scene.rows.size(); ++y) {
    const std::string row = scene.rows[y];
    for (std::size_t x = 0; x < row.size(); ++x) {
      if (row[x] == 'P') {
        px = static_cast<int>(x);
        py = static_cast<int>(y);
      }
      cells += (x > 0 ? " " : "") + std::to_string(CodeOf(row[x]));
    }
    cells += "\r\n";
  }
  return std::to_string(std::string(scene.rows[0]).size()) + "\r\n" +
         std::to_string(scene.rows.size()) + "\r\n" + std::to_string(px) + "\r\n" +
         std::to_string(py) + "\r\n" + std::to_string(scene.rubiesRequired) + "\r\n" + cells;
}

void WriteFile(const std::string& path, const std::string& bytes) {
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (f == nullptr || std::fwrite(bytes.data(), 1, bytes.size(), f) != bytes.size()) {
    if (f != nullptr) std::fclose(f);
    throw std::runtime_error("cannot write " + path);
  }
  std::fclose(f);
}

// The game's own window after playing `scene`, with `assetsDir` as its pictures.
Surface PlayScene(const ShotScene& scene, const std::string& assetsDir) {
  char folderName[] = "/tmp/quillmere-shot-XXXXXX";
  if (::mkdtemp(folderName) == nullptr) throw std::runtime_error("cannot make a scratch folder");
  const std::string folder = std::string(folderName) + "/";
  WriteFile(folder + "Level1.cam", LevelText(scene));
  char previous[PATH_MAX];
  if (::getcwd(previous, sizeof previous) == nullptr || ::chdir(folder.c_str()) != 0) {
    throw std::runtime_error("cannot enter " + folder);
  }
  std::ostringstream shown;
  ScriptedPlatform platform(kScreenWidth, kScreenHeight, shown);
  ForcedRandom random;
  Surface screen;
  {
    // The previews themselves are not painted yet, so pictures may be missing here.
    TForm1 form(platform, random, FormOptions{folder, assetsDir + "/", folder + "snapshot.tmp"});
    form.LoadPictures(DecodeGamePictures(assetsDir + "/", false));
    form.FormCreate();
    ScriptContext context{form, platform, random, folder, folder, shown};
    for (const char* line : scene.script) {
      std::string error;
      const auto command = ParseScriptLine(line, error);
      if (command) RunScriptCommand(*command, context);
    }
    screen = form.Window().Screen();
  }
  const bool back = ::chdir(previous) == 0;
  std::remove((folder + "Level1.cam").c_str());
  std::remove((folder + "snapshot.tmp").c_str());
  ::rmdir(folderName);
  if (!back) throw std::runtime_error("cannot return to " + std::string(previous));
  // A message box would mean the scene went wrong (the player died, a file was refused).
  if (!shown.str().empty()) throw std::runtime_error("the scene showed: " + shown.str());
  return screen;
}

}  // namespace

Image PaintShot(int n, const std::string& assetsDir) {
  const Surface screen = PlayScene(kScenes[static_cast<std::size_t>(n - 1)], assetsDir);
  Image img(screen.width, screen.height);
  for (int y = 0; y < screen.height; ++y) {
    for (int x = 0; x < screen.width; ++x) img.Set(x, y, FromRgb(screen.At(x, y)));
  }
  return Downscale(img, 280, 210);
}

}  // namespace art
