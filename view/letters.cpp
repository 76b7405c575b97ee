#include "view/letters.h"

#include <algorithm>
#include <string>

#include "game/cp1251.h"
#include "view/design_scale.h"

namespace {

constexpr int kDigitWidth = 26;
constexpr int kDigitHeight = 39;
constexpr int kGlyphWidth = 17;
constexpr int kGlyphHeight = 31;
constexpr int kGlyphPitch = 19;
constexpr int kLineHeight = 35;

}  // namespace

std::string RubyStatusText(std::int32_t collected, std::int32_t required) {
  static const std::string prefix = Utf8ToCp1251("Рубинов собрано:");
  return prefix + std::to_string(collected) + "/" + std::to_string(required);
}

std::string MoneyDigits(std::int32_t money) {
  const std::int32_t shown = std::clamp<std::int32_t>(money, 0, 9999);
  std::string t = std::to_string(shown);
  while (t.size() < kMoneyPlaces.size()) t.insert(t.begin(), '0');
  return t;
}

void DrawMoneyCounter(WindowModel& window, const Surface& digitList, std::int32_t money) {
  const Surface clear = window.Get(Element::ImCTClear).Picture;
  for (const Element place : kMoneyPlaces) window.SetPicture(place, clear);
  const std::string t = MoneyDigits(money);
  for (int i = static_cast<int>(t.size()); i >= 1; --i) {
    Surface place(kDigitWidth, kDigitHeight, kWhite);
    const int digit = t[static_cast<std::size_t>(i - 1)] - '0';
    const int left = digit * kDigitWidth;
    if (digitList.height >= kDigitHeight && digitList.width >= left + kDigitWidth) {
      const std::uint32_t key = digitList.At(left, kDigitHeight - 1);
      for (int y = 0; y < kDigitHeight; ++y) {
        for (int x = 0; x < kDigitWidth; ++x) {
          const std::uint32_t c = digitList.At(left + x, y);
          if (c != key) place.Set(x, y, c);
        }
      }
    }
    window.SetPicture(kMoneyPlaces[static_cast<std::size_t>(i - 1)], std::move(place));
  }
}

void DrawGlyph(Surface& target, int x, unsigned char code, const Surface& letters) {
  if (code < 33) return;
  const Rect cell{kGlyphPitch * (code - 33) + 1, 0, kGlyphWidth, kGlyphHeight};
  BlitPart(target, x, 0, letters, cell);
}

void DrawTableLine(const std::string& text, int n, Surface& lineImage, const Surface& letters,
                   Surface& score, int screenWidth) {
  lineImage.Fill(kWhite);
  const std::size_t last = text.rfind('|');
  const std::size_t q = last == std::string::npos ? 0 : last + 1;
  const std::size_t length = text.size();
  // The line lies at x 50 of the score picture, painted at the design size: on a wider screen
  // the score ends where it does at 800 pixels, inside the picture.
  const int scoreEnd = std::min(screenWidth, kDesignWidth) - 100;
  const int scoreStart = scoreEnd - kGlyphWidth * static_cast<int>(length - q);
  for (std::size_t a = 1; a <= length - q; ++a) {
    DrawGlyph(lineImage, scoreEnd - kGlyphWidth * static_cast<int>(a),
              static_cast<unsigned char>(text[length - a]), letters);
  }
  // The name, cut before the glyph that would touch the score.
  const std::size_t first = text.find('|');
  const std::size_t nameLength = first == std::string::npos ? 0 : first;
  for (std::size_t k = 1; k <= nameLength; ++k) {
    const int x = kGlyphWidth * static_cast<int>(k);
    if (x + kGlyphWidth > scoreStart) break;
    DrawGlyph(lineImage, x, static_cast<unsigned char>(text[k - 1]), letters);
  }
  if (lineImage.height >= kLineHeight && lineImage.width >= 2) {
    lineImage.Set(0, kLineHeight - 1, kWhite);
    lineImage.Set(1, kLineHeight - 1, kWhite);
  }
  if (lineImage.Empty()) return;
  const std::uint32_t key = lineImage.At(0, lineImage.height - 1);
  BlitKeyed(score, 50, 100 + kLineHeight * n, lineImage, key, Rect{0, 0, score.width, score.height});
}
