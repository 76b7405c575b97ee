#include "view/window_model.h"

#include <utility>

#include "view/text_box.h"

namespace {

// More pending rectangles than this are merged into one.
constexpr std::size_t kMaxInvalidRects = 16;
// A tick changes a few scattered cells; showing each on its own costs less than showing what
// lies between them, up to this many.
constexpr std::size_t kMaxChangedRects = 64;

bool Covers(const Rect& outer, const Rect& inner) {
  return inner.left >= outer.left && inner.top >= outer.top && inner.Right() <= outer.Right() &&
         inner.Bottom() <= outer.Bottom();
}

// Adds `area` to `rects`, merging them all into one when there are more than `most`. An area
// held whole by another is left out: start-up alone asks for the whole window four times.
void AddRect(std::vector<Rect>& rects, const Rect& area, std::size_t most) {
  for (const Rect& each : rects) {
    if (Covers(each, area)) return;
  }
  std::erase_if(rects, [&](const Rect& each) { return Covers(area, each); });
  rects.push_back(area);
  if (rects.size() <= most) return;
  Rect all{};
  for (const Rect& each : rects) all = Union(all, each);
  rects.assign(1, all);
}

}  // namespace

WindowModel::WindowModel(int width, int height)
    : screen_(width, height, kBlack), changed_{Rect{0, 0, width, height}} {}

void WindowModel::SetElement(Element id, PictureElement element) {
  Get(id) = std::move(element);
}

void WindowModel::Show(Element id) {
  PictureElement& e = Get(id);
  if (e.Visible) return;
  e.Visible = true;
  Invalidate(e.Bounds());
}

void WindowModel::Hide(Element id) {
  PictureElement& e = Get(id);
  if (!e.Visible) return;
  e.Visible = false;
  Invalidate(e.Bounds());
}

void WindowModel::SetBounds(Element id, int left, int top, int width, int height) {
  PictureElement& e = Get(id);
  const Rect old = e.Bounds();
  e.Left = left;
  e.Top = top;
  e.Width = width;
  e.Height = height;
  if (e.Visible) {
    Invalidate(old);
    Invalidate(e.Bounds());
  }
}

void WindowModel::SetPosition(Element id, int left, int top) {
  const PictureElement& e = Get(id);
  SetBounds(id, left, top, e.Width, e.Height);
}

void WindowModel::SetPicture(Element id, Surface picture) {
  PictureElement& e = Get(id);
  const Rect old = e.Bounds();
  e.Picture = std::move(picture);
  if (e.AutoSize) {
    e.Width = e.Picture.width;
    e.Height = e.Picture.height;
  }
  if (e.Visible) {
    Invalidate(old);
    Invalidate(e.Bounds());
  }
}

void WindowModel::Invalidate(const Rect& area) {
  const Rect r = Intersect(area, Rect{0, 0, screen_.width, screen_.height});
  if (!r.Empty()) AddRect(invalid_, r, kMaxInvalidRects);
}

void WindowModel::InvalidateAll() { Invalidate(Rect{0, 0, screen_.width, screen_.height}); }

void WindowModel::FlushPaint(const std::function<void(const Rect&)>& paintHandler) {
  if (invalid_.empty()) return;
  const std::vector<Rect> areas = std::move(invalid_);
  invalid_.clear();
  ++repaints_;
  for (const Rect& clip : areas) {
    screen_.Fill(clip, kBlack);
    if (paintHandler) paintHandler(clip);
    for (const PictureElement& e : elements_) {
      if (e.Visible) DrawElement(e, clip);
    }
    MarkChanged(clip);
  }
  DrawEdit1();
}

void WindowModel::DrawElement(const PictureElement& e, const Rect& clip) {
  if (e.Picture.Empty()) return;
  const Rect area = Intersect(e.Bounds(), clip);
  if (area.Empty()) return;
  const std::uint32_t key = e.Picture.At(0, e.Picture.height - 1);
  if (e.Stretch) {
    BlitStretched(screen_, e.Bounds(), e.Picture, e.Transparent, key, area);
  } else if (e.Transparent) {
    BlitKeyed(screen_, e.Left, e.Top, e.Picture, key, area);
  } else {
    Blit(screen_, e.Left, e.Top, e.Picture, area);
  }
}

std::vector<Rect> WindowModel::TakeChanged() { return std::exchange(changed_, {}); }

void WindowModel::MarkChanged(const Rect& area) {
  const Rect r = Intersect(area, Rect{0, 0, screen_.width, screen_.height});
  if (!r.Empty()) AddRect(changed_, r, kMaxChangedRects);
}

void WindowModel::SetEdit1Bounds(const Rect& bounds) {
  Invalidate(edit1Bounds_);
  edit1Bounds_ = bounds;
  DrawEdit1();
}

void WindowModel::SetEdit1Text(const std::string& cp1251) {
  if (cp1251 == edit1Text_) return;
  edit1Text_ = cp1251;
  DrawEdit1();
}

void WindowModel::DrawEdit1() {
  if (edit1Bounds_.Empty()) return;
  if (textRenderer_ != nullptr && textRenderer_->Ok()) {
    textRenderer_->Draw(screen_, edit1Bounds_, edit1Text_);
  } else {
    screen_.Fill(edit1Bounds_, Rgb(212, 208, 200));
  }
  MarkChanged(edit1Bounds_);
}
