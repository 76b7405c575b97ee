#include "app/tform1.h"

#include "app/player_settings.h"
#include "game/cp1251.h"
#include "game/runtime_error.h"
#include "game/score_table.h"
#include "game/snapshot_file.h"
#include "menu/menu_actions.h"
#include "menu/score_screen.h"
#include "menu/shop.h"
#include "play/flow.h"
#include "rules/player_moves.h"
#include "view/catalogue.h"
#include "view/letters.h"
#include "view/picture_error.h"

namespace {

// Beside the design: the key that turns sound off and on (virtual-key code of M).
constexpr int kSoundKey = 'M';

}  // namespace

TForm1::TForm1(Platform& platform, RandomSource& random, FormOptions options)
    : platform_(platform),
      random_(random),
      options_(std::move(options)),
      window_(platform.ScreenWidth(), platform.ScreenHeight()),
      board_(state_, window_),
      files_{options_.programFolder, options_.snapshotPath, options_.playerFolder,
             options_.levelsFolder, {}, {}, {}},
      sounds_(platform.Sounds()) {
  state_.view.ScreenWidth = platform.ScreenWidth();
  state_.view.ScreenHeight = platform.ScreenHeight();
}

TForm1::~TForm1() = default;

void TForm1::LoadPictures(GamePictures pictures) {
  InstallCatalogue(window_, std::move(pictures.catalogue));
  digitList_ = std::move(pictures.digitList);
  unknownCode_ = std::move(pictures.unknownCode);
  statusFont_ = std::make_unique<TextBoxRenderer>(options_.assetsFolder + kStatusFontFile,
                                                  kStatusFontPixels);
  if (!statusFont_->Ok() && pictures.required) {
    throw FontFileError(options_.assetsFolder + kStatusFontFile);
  }
  window_.SetTextRenderer(statusFont_.get());
  board_.BindPictures(unknownCode_);
  blankScore_ = window_.Get(Element::ImScore).Picture;
}

void TForm1::RunHandler(const std::function<void()>& handler) {
  if (closed_) return;
  sounds_.NextEvent();
  try {
    handler();
  } catch (const RuntimeError& error) {
    ShowError(error.what());
  } catch (const std::exception& error) {
    ShowError(error.what());
  }
  SyncWindow();
}

void TForm1::ShowError(const std::string& message) { ShowMessage(kApplicationTitle, message); }

void TForm1::SyncWindow() {
  if (closed_) return;
  platform_.SetTimerEnabled(state_.world.Timer1Enabled);
  window_.FlushPaint([this](const Rect& clip) { FormPaint(clip); });
  const std::vector<Rect> changed = window_.TakeChanged();
  if (!changed.empty()) platform_.Present(window_.Screen(), changed);
}

void TForm1::ShowMessage(const std::string& caption, const std::string& text) {
  SyncWindow();
  platform_.MessageBox(caption, text);
}

void TForm1::OnKeyDown(int vk, bool shift) {
  RunHandler([&] { FormKeyDown(vk, shift); });
}

void TForm1::OnTimer() {
  RunHandler([&] {
    if (state_.world.Timer1Enabled) Timer1Timer();
  });
}

void TForm1::OnPaint() {
  RunHandler([&] { window_.InvalidateAll(); });
}

void TForm1::OnClose() {
  RunHandler([&] { CloseWindowNow(); });
}

void TForm1::FormKeyDown(int key, bool shift) {
  const Screen screen = state_.screens.ScreenState;
  switch (screen) {
    case Screen::Menu:
      RunMenuEntry(MenuKeyDown(state_, key, sounds_));
      PlaceMenuFrame(state_, window_);
      break;
    case Screen::ScoreTable:
      LeaveScoreScreen(state_, window_, *this);
      break;
    case Screen::Shop:
      ShopKeyDown(state_, window_, *this, files_, key);
      break;
    case Screen::Play:
      PlayKeyDown(state_, *this, key, shift);
      break;
    default:
      break;
  }
  // After the design's own handling: on the score table M only leaves it, as any key does.
  const bool soundScreen =
      screen == Screen::Menu || screen == Screen::Shop || screen == Screen::Play;
  if (key == kSoundKey && soundScreen && !closed_) ToggleSound();
}

void TForm1::ToggleSound() {
  sounds_.SetOn(!sounds_.On());
  SaveSettings(Settings{sounds_.On()});
}

void TForm1::RunMenuEntry(MenuEntry entry) {
  switch (entry) {
    case MenuEntry::Return:
      ImReturnMouseDown();
      break;
    case MenuEntry::New:
      ImNewMouseDown();
      break;
    case MenuEntry::Restart:
      ImRestartMouseDown();
      break;
    case MenuEntry::Custom:
      ImCustomMouseDown();
      break;
    case MenuEntry::Load:
      ImLoadMouseDown();
      break;
    case MenuEntry::Exit:
      ImExitMouseDown();
      break;
    case MenuEntry::None:
      break;
  }
}

void TForm1::ImReturnMouseDown() { ReturnToLevel(state_, window_, *this); }

void TForm1::ImNewMouseDown() { StartNewCampaign(state_, *this, files_); }

void TForm1::ImRestartMouseDown() { RestartLevel(state_, *this, files_); }

void TForm1::ImCustomMouseDown() { PlayCustomLevel(state_, *this, files_); }

void TForm1::ImLoadMouseDown() { LoadSavedCampaign(state_, window_, *this, files_); }

void TForm1::ImExitMouseDown() { CloseWindowNow(); }

void TForm1::FormPaint(const Rect& clip) {
  if (state_.screens.ScreenState != Screen::Play) return;
  board_.PlaceBoard();
  board_.PresentBoard(clip);
}

void TForm1::FormClose() {
  DeleteSnapshot(options_.snapshotPath);
  platform_.SetTaskbarVisible(true);
}

void TForm1::FormDestroy() {
  board_.BoardBitmap = Surface();
}

void TForm1::CloseWindowNow() {
  if (closed_) return;
  state_.world.Timer1Enabled = false;
  platform_.SetTimerEnabled(false);
  FormClose();
  closed_ = true;
  FormDestroy();
  platform_.QuitLoop();
}

void TForm1::Edit2Change() { DrawMoneyCounter(window_, digitList_, state_.campaign.Money); }

void TForm1::DrawCell(int x, int y, std::uint8_t code) { board_.DrawCell(x, y, code); }

void TForm1::PlaceBoard() { board_.PlaceBoard(); }

void TForm1::PresentBoard() { board_.PresentBoard(); }

void TForm1::UpdateRubyStatus() {
  window_.SetEdit1Text(RubyStatusText(state_.world.RubiesCollected, state_.world.RubiesRequired));
}

bool TForm1::IsKeyDown(int vk) { return platform_.IsKeyDown(vk); }

void TForm1::Timer1Timer() {
  ::Timer1Timer(state_, *this, random_, options_.snapshotPath);
}

void TForm1::LoadLevel(const std::string& name) { ::LoadLevel(state_, *this, name); }

void TForm1::EnterLevel(const Level& level) { ::EnterLevel(state_, *this, level); }

bool TForm1::LevelFinished() {
  if (!FinishLevel(state_)) {
    CloseWindowNow();
    return false;
  }
  Edit2Change();
  ShowShop(window_);
  return true;
}

void TForm1::ClearBoardView() { board_.ClearScreen(); }

void TForm1::ShowLevel() {
  board_.ResizeToBoard();
  board_.PlaceBoard();
  board_.PresentBoard();
  HideMenu(window_);
  UpdateRubyStatus();
}

void TForm1::RedrawBoard() {
  board_.RedrawVisibleCells();
  board_.PlaceBoard();
  board_.PresentBoard();
}

std::string TForm1::ScoreTablePath() { return files_.playerFolder + kScoreTableFile; }

void TForm1::ShowScoreTable() {
  ::ShowScoreTable(state_, window_, blankScore_, files_.playerFolder);
}

void TForm1::ShowMenuOverFirstLevel() {
  ShowRandomShot(window_, random_);
  ShowMenuOverBoard(state_, window_);
}

void TForm1::LeavePlayForMenu() { ::LeavePlayForMenu(state_, window_, random_); }

RandomSource& TForm1::Random() { return random_; }

std::optional<std::string> TForm1::OpenDialog(const FileDialogSetup& setup) {
  return platform_.OpenDialog(setup);
}

std::optional<std::string> TForm1::SaveDialog(const FileDialogSetup& setup) {
  return platform_.SaveDialog(setup);
}
