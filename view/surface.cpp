#include "view/surface.h"

#include <algorithm>
#include <cstring>
#include <vector>

Rect Intersect(const Rect& a, const Rect& b) {
  const int l = std::max(a.left, b.left);
  const int t = std::max(a.top, b.top);
  const int r = std::min(a.Right(), b.Right());
  const int bt = std::min(a.Bottom(), b.Bottom());
  if (r <= l || bt <= t) return Rect{};
  return Rect{l, t, r - l, bt - t};
}

Rect Union(const Rect& a, const Rect& b) {
  if (a.Empty()) return b;
  if (b.Empty()) return a;
  const int l = std::min(a.left, b.left);
  const int t = std::min(a.top, b.top);
  const int r = std::max(a.Right(), b.Right());
  const int bt = std::max(a.Bottom(), b.Bottom());
  return Rect{l, t, r - l, bt - t};
}

Surface::Surface(int w, int h, std::uint32_t fill)
    : width(std::max(w, 0)), height(std::max(h, 0)),
      pixels(static_cast<std::size_t>(width) * height, fill) {}

void Surface::Resize(int w, int h) {
  w = std::max(w, 0);
  h = std::max(h, 0);
  if (w == width && h == height) return;
  std::vector<std::uint32_t> next(static_cast<std::size_t>(w) * h, kBlack);
  const int cw = std::min(w, width);
  const int ch = std::min(h, height);
  for (int y = 0; y < ch; ++y) {
    std::memcpy(next.data() + static_cast<std::size_t>(y) * w, Row(y), sizeof(std::uint32_t) * cw);
  }
  pixels.swap(next);
  width = w;
  height = h;
}

void Surface::Fill(const Rect& area, std::uint32_t colour) {
  const Rect r = Intersect(area, Rect{0, 0, width, height});
  for (int y = r.top; y < r.Bottom(); ++y) {
    std::fill_n(Row(y) + r.left, r.width, colour);
  }
}

void Blit(Surface& dst, int x, int y, const Surface& src, const Rect& clip) {
  const Rect r = Intersect(Intersect(Rect{x, y, src.width, src.height}, clip),
                           Rect{0, 0, dst.width, dst.height});
  if (r.Empty()) return;
  const std::size_t bytes = sizeof(std::uint32_t) * static_cast<std::size_t>(r.width);
  for (int row = r.top; row < r.Bottom(); ++row) {
    std::memcpy(dst.Row(row) + r.left, src.Row(row - y) + (r.left - x), bytes);
  }
}

void Blit(Surface& dst, int x, int y, const Surface& src) {
  Blit(dst, x, y, src, Rect{0, 0, dst.width, dst.height});
}

void BlitPart(Surface& dst, int x, int y, const Surface& src, const Rect& from) {
  const Rect f = Intersect(from, Rect{0, 0, src.width, src.height});
  const Rect r = Intersect(Rect{x + (f.left - from.left), y + (f.top - from.top), f.width, f.height},
                           Rect{0, 0, dst.width, dst.height});
  if (r.Empty()) return;
  const int sx0 = from.left + (r.left - x);
  const int sy0 = from.top + (r.top - y);
  for (int row = 0; row < r.height; ++row) {
    std::memcpy(dst.Row(r.top + row) + r.left, src.Row(sy0 + row) + sx0,
                sizeof(std::uint32_t) * static_cast<std::size_t>(r.width));
  }
}

void BlitKeyed(Surface& dst, int x, int y, const Surface& src, std::uint32_t key,
               const Rect& clip) {
  const Rect r = Intersect(Intersect(Rect{x, y, src.width, src.height}, clip),
                           Rect{0, 0, dst.width, dst.height});
  for (int row = r.top; row < r.Bottom(); ++row) {
    const std::uint32_t* s = src.Row(row - y) + (r.left - x);
    std::uint32_t* d = dst.Row(row) + r.left;
    for (int i = 0; i < r.width; ++i) {
      if (s[i] != key) d[i] = s[i];
    }
  }
}

void BlitStretched(Surface& dst, const Rect& to, const Surface& src, bool keyed, std::uint32_t key,
                   const Rect& clip) {
  if (src.Empty() || to.Empty()) return;
  const Rect r = Intersect(Intersect(to, clip), Rect{0, 0, dst.width, dst.height});
  if (r.Empty()) return;
  // The source column of each destination column, worked out once rather than on every row:
  // the menu's full-window picture is drawn this way at start-up.
  std::vector<int> sourceColumn(static_cast<std::size_t>(r.width));
  for (int i = 0; i < r.width; ++i) {
    sourceColumn[i] =
        static_cast<int>(static_cast<long long>(r.left + i - to.left) * src.width / to.width);
  }
  for (int row = r.top; row < r.Bottom(); ++row) {
    const int sy = static_cast<int>(static_cast<long long>(row - to.top) * src.height / to.height);
    const std::uint32_t* s = src.Row(sy);
    std::uint32_t* d = dst.Row(row) + r.left;
    for (int i = 0; i < r.width; ++i) {
      const std::uint32_t c = s[sourceColumn[i]];
      if (!keyed || c != key) d[i] = c;
    }
  }
}
