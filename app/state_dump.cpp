#include "app/state_dump.h"

#include "game/json_text.h"

void WriteBoardDump(std::ostream& out, const GameState& s) {
  out << "board:\n";
  const int w = std::max(0, std::min(s.world.BoardWidth, MaxBoardSize));
  const int h = std::max(0, std::min(s.world.BoardHeight, MaxBoardSize));
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      if (x > 0) out << ' ';
      out << static_cast<int>(s.world.Board(x, y));
    }
    out << '\n';
  }
  out << "end\n";
}

void WriteStateDump(std::ostream& out, const TForm1& form) {
  const GameState& s = form.State();
  out << "screen=" << static_cast<int>(s.screens.ScreenState) << " menu=" << s.screens.MenuItem
      << " shop=" << s.screens.ShopItem << " timer=" << (s.world.Timer1Enabled ? 1 : 0)
      << " dead=" << static_cast<int>(s.world.PlayerDead) << '\n';
  out << "file=" << JsonPath(s.campaign.CurrentLevelFile) << " width=" << s.world.BoardWidth
      << " height=" << s.world.BoardHeight << " px=" << s.world.PlayerX << " py=" << s.world.PlayerY
      << " required=" << s.world.RubiesRequired << " collected=" << s.world.RubiesCollected << '\n';
  out << "money=" << s.campaign.Money << " inventory=";
  for (int i = 1; i <= 9; ++i)
    out << (i > 1 ? "," : "") << s.campaign.Inventory[static_cast<std::size_t>(i)];
  out << '\n';
  out << "status=" << JsonString(form.Window().Edit1Text()) << '\n';
  out << "origin=" << s.view.BoardOriginX << ',' << s.view.BoardOriginY << '\n';
  const auto& elements = form.Window().Elements();
  for (std::size_t i = 0; i < elements.size(); ++i) {
    const PictureElement& e = elements[i];
    if (!e.Visible) continue;
    out << "element " << ElementName(static_cast<Element>(i)) << ' ' << e.Left << ' ' << e.Top << ' ' << e.Width << ' '
        << e.Height << '\n';
  }
  WriteBoardDump(out, s);
}
