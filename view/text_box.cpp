#include "view/text_box.h"

#include <SDL_ttf.h>

#include "game/cp1251.h"

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
  TTF_Font* font = nullptr;
  bool ownsTtf = false;
  std::string cachedText;
  Rect cachedArea{};
  Surface cachedBox;

  void Text(Surface& box, const std::string& cp1251, int dx, int dy, std::uint32_t colour) const {
    const std::string utf8 = Cp1251ToUtf8(cp1251);
    if (utf8.empty()) return;
    SDL_Surface* glyphs = TTF_RenderUTF8_Blended(font, utf8.c_str(), SDL_Color{255, 255, 255, 255});
    if (glyphs == nullptr) return;
    SDL_Surface* argb = SDL_ConvertSurfaceFormat(glyphs, SDL_PIXELFORMAT_ARGB8888, 0);
    SDL_FreeSurface(glyphs);
    if (argb == nullptr) return;
    const int top = (box.height - argb->h) / 2 + dy;
    for (int y = 0; y < argb->h; ++y) {
      const int ty = top + y;
      if (ty < 2 || ty >= box.height - 2) continue;
      const auto* row = reinterpret_cast<const std::uint32_t*>(static_cast<const std::uint8_t*>(argb->pixels) +
                                                               static_cast<std::size_t>(y) * argb->pitch);
      for (int x = 0; x < argb->w; ++x) {
        const int tx = kTextLeft + dx + x;
        if (tx < 2 || tx >= box.width - 2) continue;
        const int alpha = static_cast<int>(row[x] >> 24);
        if (alpha > 0) box.Set(tx, ty, Mix(box.At(tx, ty), colour, alpha));
      }
    }
    SDL_FreeSurface(argb);
  }
};

TextBoxRenderer::TextBoxRenderer(const std::string& fontPath, int pixelSize) : impl_(new Impl) {
  if (TTF_WasInit() == 0) {
    if (TTF_Init() != 0) return;
    impl_->ownsTtf = true;
  }
  impl_->font = TTF_OpenFont(fontPath.c_str(), pixelSize);
  if (impl_->font != nullptr) TTF_SetFontHinting(impl_->font, TTF_HINTING_MONO);
}

TextBoxRenderer::~TextBoxRenderer() {
  if (impl_->font != nullptr) TTF_CloseFont(impl_->font);
  if (impl_->ownsTtf) TTF_Quit();
}

bool TextBoxRenderer::Ok() const { return impl_->font != nullptr; }

void TextBoxRenderer::Draw(Surface& target, const Rect& area, const std::string& cp1251) {
  if (area.Empty()) return;
  if (impl_->cachedBox.Empty() || impl_->cachedText != cp1251 || impl_->cachedArea.width != area.width ||
      impl_->cachedArea.height != area.height) {
    Surface box(area.width, area.height, kFace);
    DrawSunkenFrame(box);
    // Disabled text: grey letters over a white shadow one pixel down and right.
    impl_->Text(box, cp1251, 1, 1, kHighlight);
    impl_->Text(box, cp1251, 0, 0, kDisabledText);
    impl_->cachedBox = std::move(box);
    impl_->cachedText = cp1251;
    impl_->cachedArea = area;
  }
  Blit(target, area.left, area.top, impl_->cachedBox);
}
