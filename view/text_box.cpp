#include "view/text_box.h"

#include "game/cp1251.h"
#include "platform/text_raster.h"

namespace {

constexpr std::uint32_t kFace = Rgb(212, 208, 200);
constexpr std::uint32_t kShadow = Rgb(128, 128, 128);
constexpr std::uint32_t kDarkShadow = Rgb(64, 64, 64);
constexpr std::uint32_t kHighlight = Rgb(255, 255, 255);
constexpr std::uint32_t kDisabledText = Rgb(128, 128, 128);
constexpr int kTextLeft = 4;

std::uint32_t Mix(std::uint32_t under, std::uint32_t over, int alpha) {
  auto channel = [&](int shift) {
    const int u = static_cast<int>((under >> shift) & 255);
    const int o = static_cast<int>((over >> shift) & 255);
    return static_cast<std::uint32_t>((u * (255 - alpha) + o * alpha + 127) / 255) << shift;
  };
  return channel(16) | channel(8) | channel(0);
}

// The sunken two-pixel border of a classic text box.
void DrawSunkenFrame(Surface& box) {
  const int w = box.width;
  const int h = box.height;
  box.Fill(kFace);
  box.Fill(Rect{0, 0, w, 1}, kShadow);
  box.Fill(Rect{0, 0, 1, h}, kShadow);
  box.Fill(Rect{1, 1, w - 2, 1}, kDarkShadow);
  box.Fill(Rect{1, 1, 1, h - 2}, kDarkShadow);
  box.Fill(Rect{0, h - 1, w, 1}, kHighlight);
  box.Fill(Rect{w - 1, 0, 1, h}, kHighlight);
  box.Fill(Rect{1, h - 2, w - 2, 1}, kFace);
  box.Fill(Rect{w - 2, 1, 1, h - 2}, kFace);
}

}  // namespace

struct TextBoxRenderer::Impl {
  std::unique_ptr<TextRaster> raster;
  std::string cachedText;
  Rect cachedArea{};
  Surface cachedBox;

  void Text(Surface& box, const TextMask& mask, int dx, int dy, std::uint32_t colour) const {
    const int top = (box.height - mask.height) / 2 + dy;
    for (int y = 0; y < mask.height; ++y) {
      const int ty = top + y;
      if (ty < 2 || ty >= box.height - 2) continue;
      const std::uint8_t* row = mask.coverage.data() + static_cast<std::size_t>(y) * mask.width;
      for (int x = 0; x < mask.width; ++x) {
        const int tx = kTextLeft + dx + x;
        if (tx < 2 || tx >= box.width - 2) continue;
        if (row[x] > 0) box.Set(tx, ty, Mix(box.At(tx, ty), colour, row[x]));
      }
    }
  }
};

TextBoxRenderer::TextBoxRenderer(const std::string& fontPath, int pixelSize)
    : impl_(new Impl{OpenTextRaster(fontPath, pixelSize), {}, {}, {}}) {}

TextBoxRenderer::~TextBoxRenderer() = default;

bool TextBoxRenderer::Ok() const { return impl_->raster != nullptr; }

void TextBoxRenderer::Draw(Surface& target, const Rect& area, const std::string& cp1251) {
  if (area.Empty()) return;
  if (impl_->cachedBox.Empty() || impl_->cachedText != cp1251 || impl_->cachedArea.width != area.width ||
      impl_->cachedArea.height != area.height) {
    Surface box(area.width, area.height, kFace);
    DrawSunkenFrame(box);
    // Disabled text: grey letters over a white shadow one pixel down and right.
    const std::string utf8 = Cp1251ToUtf8(cp1251);
    if (impl_->raster != nullptr && !utf8.empty()) {
      const TextMask mask = impl_->raster->Render(utf8);
      impl_->Text(box, mask, 1, 1, kHighlight);
      impl_->Text(box, mask, 0, 0, kDisabledText);
    }
    impl_->cachedBox = std::move(box);
    impl_->cachedText = cp1251;
    impl_->cachedArea = area;
  }
  Blit(target, area.left, area.top, impl_->cachedBox);
}
