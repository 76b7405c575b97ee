#include "editor/way_check.h"

#include <algorithm>
#include <array>


namespace {

// The weight of a missing ruby in each try: a light one finds short ways on small boards, a
// heavy one gets through large mines.
constexpr std::array<int, 2> kRubyWeights{5, 40};

}  // namespace

Level AsLevel(const EditedLevel& level) {
  Level l;
  l.Board = level.Board;
  l.Width = level.Width;
  l.Height = level.Height;
  l.PlayerX = level.StartX;
  l.PlayerY = level.StartY;
  l.RubiesRequired = level.RubiesRequired;
  return l;
}

GameState LevelInPlay(const EditedLevel& level) {
  GameState s;
  PutLevel(AsLevel(level), s);
  s.screens.ScreenState = Screen::Play;
  s.world.Timer1Enabled = true;
  return s;
}

WayCheck::WayCheck(const EditedLevel& level) : start_(LevelInPlay(level)) {
  NoGrowth noGrowth;
  PlayStep(start_, StepAction{}, noGrowth);  // the first tick after the level is put into play
  way_.push_back(StepAction{});
  StartTry();
}

void WayCheck::StartTry() {
  SearchLimits limits;
  limits.rubyWeight = kRubyWeights[try_];
  limits.maxStates = kMostStates;
  limits.maxBytes = kMostBytes;
  limits.useItems = false;
  search_ = std::make_unique<SlicedSearch>(start_, SearchGoal{}, limits);
}

bool WayCheck::Run(std::size_t states) {
  if (done_) return true;
  const bool ended = search_->Run(states);
  peakBytes_ = std::max(peakBytes_, search_->MemoryBytes());
  if (!ended) return false;
  const SearchResult& r = search_->Result();
  explored_ += r.expanded;
  if (r.found) {
    found_ = true;
    way_.insert(way_.end(), r.actions.begin(), r.actions.end());
  }
  search_.reset();
  if (!found_ && ++try_ < kRubyWeights.size()) {
    StartTry();
    return false;
  }
  done_ = true;
  return true;
}

std::size_t WayCheck::Explored() const {
  return explored_ + (search_ ? search_->Result().expanded : 0);
}

int WayCheck::Keys() const {
  return static_cast<int>(
      std::count_if(way_.begin(), way_.end(), [](const StepAction& a) { return a.key != 0; }));
}
