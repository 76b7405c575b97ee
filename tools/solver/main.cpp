// quillmere-solve: finds a way through a level with the game's own rules and writes it as a
// replay script for quillmere-headless; or checks a replay that exists.
//
//   quillmere-solve [--waypoints FILE] [--weight W] [--ruby-weights K,...] [--max-states N]
//                   [--items A,B,C,D]
//                   [--exact] [--verbose] [--seeds N] [--out SCRIPT] LEVEL
//   quillmere-solve --check SCRIPT [--seeds N] LEVEL
//
// A waypoints file guides the search through a large level: its lines "way X Y [RUBIES]"
// (reach that cell with at least that many rubies) and "blast X Y [RUBIES]" (the creature on
// that cell is gone, blown up as its pocket is meant to be) end one stretch each; other lines
// are passed over (a level's source may serve); the last stretch always ends at the exit.
// The replay starts at the main menu of a folder whose Level1.cam is the level.
#include <array>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "game/runtime_error.h"
#include "tools/solver/play_step.h"
#include "tools/solver/replay_check.h"
#include "tools/solver/search.h"

namespace {

struct Options {
  std::string level;
  std::string waypoints;
  std::string out;
  std::string check;
  SearchLimits limits;
  // Each stretch is tried with these weights of a missing ruby in turn until one finds a way:
  // a light weight finds short ways on small boards, a heavy one gets through large mines.
  std::vector<int> rubyWeights{5, 40};
  std::array<int, 4> items{};
  int seeds = 8;
};

int Usage(const std::string& why) {
  std::cerr << "quillmere-solve: " << why << "\n"
            << "usage: quillmere-solve [--waypoints FILE] [--weight W] [--ruby-weights K,...] "
               "[--max-states N] "
               "[--items A,B,C,D] [--exact] [--verbose] [--seeds N] [--out SCRIPT] LEVEL\n"
            << "       quillmere-solve --check SCRIPT [--seeds N] LEVEL\n";
  return 2;
}

bool ParseOptions(int argc, char** argv, Options& o, std::string& why) {
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    const bool hasValue = i + 1 < argc;
    if (arg == "--waypoints" && hasValue) {
      o.waypoints = argv[++i];
    } else if (arg == "--weight" && hasValue) {
      o.limits.weight = std::atof(argv[++i]);
    } else if (arg == "--ruby-weights" && hasValue) {
      o.rubyWeights.clear();
      std::istringstream in(argv[++i]);
      for (std::string w; std::getline(in, w, ',');) o.rubyWeights.push_back(std::atoi(w.c_str()));
      if (o.rubyWeights.empty()) return why = "no ruby weights", false;
    } else if (arg == "--max-states" && hasValue) {
      o.limits.maxStates = std::strtoull(argv[++i], nullptr, 10);
    } else if (arg == "--items" && hasValue) {
      char comma = 0;
      std::istringstream in(argv[++i]);
      in >> o.items[0] >> comma >> o.items[1] >> comma >> o.items[2] >> comma >> o.items[3];
      if (!in) return why = "bad item counts", false;
    } else if (arg == "--verbose") {
      o.limits.progress = &std::cerr;
    } else if (arg == "--exact") {
      o.limits.exactStates = true;
    } else if (arg == "--seeds" && hasValue) {
      o.seeds = std::atoi(argv[++i]);
    } else if (arg == "--out" && hasValue) {
      o.out = argv[++i];
    } else if (arg == "--check" && hasValue) {
      o.check = argv[++i];
    } else if (o.level.empty() && arg.rfind("--", 0) != 0) {
      o.level = arg;
    } else {
      return why = "unexpected argument " + arg, false;
    }
  }
  if (o.level.empty()) return why = "no level given", false;
  return true;
}

std::vector<SearchGoal> ReadWaypoints(const std::string& path) {
  std::vector<SearchGoal> goals;
  if (!path.empty()) {
    std::ifstream in(path);
    if (!in) throw std::runtime_error("cannot read " + path);
    std::string line;
    while (std::getline(in, line)) {
      std::istringstream fields(line);
      std::string word;
      if (!(fields >> word) || (word != "way" && word != "blast")) continue;
      SearchGoal g;
      g.exit = false;
      g.blast = word == "blast";
      if (!(fields >> g.x >> g.y)) throw std::runtime_error("bad waypoint line: " + line);
      fields >> g.rubies;
      goals.push_back(g);
    }
  }
  goals.push_back(SearchGoal{});
  return goals;
}

std::string ReadText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// The board in the legend of the level sources, the player as 'P'.
std::string BoardPicture(const GameState& s) {
  static const char kLegend[] = "%*P.O XE><^vs#";
  std::string picture;
  for (int y = 0; y < s.world.BoardHeight; ++y) {
    for (int x = 0; x < s.world.BoardWidth; ++x) {
      const int code = s.world.Board(x, y) % 100;
      picture += x == s.world.PlayerX && y == s.world.PlayerY ? 'P'
                 : code <= 13                                 ? kLegend[code]
                                                              : '?';
    }
    picture += '\n';
  }
  return picture;
}

std::string BaseName(const std::string& path) { return path.substr(path.find_last_of('/') + 1); }

// The replay: Enter on Return at the menu, a tick, then each key press with its tick (waits
// gathered into one tick line), and a dump that shows the shop.
std::string ReplayScript(const std::string& level, const std::vector<StepAction>& actions,
                         std::size_t explored) {
  std::size_t keys = 0;
  for (const StepAction& a : actions) keys += a.key != 0 ? 1 : 0;
  std::ostringstream out;
  out << "# " << BaseName(level) << ": " << keys << " key presses over " << actions.size() + 1
      << " ticks, found by quillmere-solve (" << explored << " states explored).\n"
      << "key enter\n";
  int waits = 1;  // the tick right after entering the level
  for (const StepAction& a : actions) {
    if (a.key == 0) {
      ++waits;
      continue;
    }
    if (waits > 0)
      out << (waits == 1 ? std::string("tick") : "tick " + std::to_string(waits)) << "\n";
    waits = 0;
    out << KeyLine(a) << "\n";
    waits = 1;
  }
  out << "dump\n";
  return out.str();
}

std::string AssetsFolder() { return std::string(QUILLMERE_SOURCE_DIR) + "/assets/"; }

int Check(const Options& o, const std::string& script) {
  std::string shown;
  const bool exact = ReplayReachesExit(o.level, script, AssetsFolder(), shown);
  const int seeds = SeedsReachingExit(o.level, script, o.seeds);
  std::cout << "replay with the driver's generator: " << (exact ? "reaches the exit" : "FAILS")
            << "\nother slime growth: " << seeds << " of " << o.seeds << " seeds reach the exit\n";
  if (!exact) std::cout << shown.substr(0, 2000);
  return exact && seeds == o.seeds ? 0 : 1;
}

int Solve(const Options& o) {
  GameState state = LoadLevelForPlay(o.level);
  for (int i = 0; i < 4; ++i)
    state.campaign.Inventory[i + 1] = o.items[static_cast<std::size_t>(i)];
  NoGrowth noGrowth;
  PlayStep(state, StepAction{}, noGrowth);  // the tick after entering the level
  std::vector<StepAction> plan;
  std::size_t expanded = 0;
  std::size_t generated = 0;
  const std::vector<SearchGoal> goals = ReadWaypoints(o.waypoints);
  for (std::size_t i = 0; i < goals.size(); ++i) {
    GameState end;
    SearchResult r;
    for (const int rubyWeight : o.rubyWeights) {
      SearchLimits limits = o.limits;
      limits.rubyWeight = rubyWeight;
      r = Search(state, goals[i], limits, &end);
      expanded += r.expanded;
      generated += r.generated;
      if (r.found) break;
    }
    std::cerr << "stretch " << i + 1 << "/" << goals.size() << ": "
              << (r.found ? std::to_string(r.actions.size()) + " steps" : std::string("not found"))
              << ", " << r.expanded << " states explored\n";
    if (!r.found) {
      std::cerr << "the stretch started from:\n" << BoardPicture(state);
      std::cout << BaseName(o.level) << ": no way found (" << expanded << " states explored)\n";
      return 1;
    }
    plan.insert(plan.end(), r.actions.begin(), r.actions.end());
    state = end;
  }
  std::size_t keys = 0;
  for (const StepAction& a : plan) keys += a.key != 0 ? 1 : 0;
  std::cout << BaseName(o.level) << ": " << keys << " key presses, " << plan.size() + 1
            << " ticks, " << expanded << " states explored, " << generated << " met\n";
  const std::string script = ReplayScript(o.level, plan, expanded);
  if (!o.out.empty()) std::ofstream(o.out, std::ios::binary) << script;
  return Check(o, script);
}

}  // namespace

int main(int argc, char** argv) {
  Options o;
  std::string why;
  if (!ParseOptions(argc, argv, o, why)) return Usage(why);
  try {
    return o.check.empty() ? Solve(o) : Check(o, ReadText(o.check));
  } catch (const std::exception& e) {
    std::cerr << "quillmere-solve: " << e.what() << "\n";
    return 2;
  }
}
