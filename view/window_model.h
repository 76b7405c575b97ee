#pragma once
// The window as the game sees it: named picture elements in a fixed stacking order over a
// black window surface, the board drawn straight onto that surface, and the status box on top.
#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "view/elements.h"
#include "view/surface.h"

struct PictureElement {
  Surface Picture;  // may be empty
  int Left = 0;
  int Top = 0;
  int Width = 0;
  int Height = 0;
  bool Visible = false;
  bool Stretch = false;
  bool Transparent = false;  // the picture's bottom-left colour is see-through
  bool AutoSize = false;     // the element takes its picture's size

  Rect Bounds() const { return Rect{Left, Top, Width, Height}; }
};

class TextBoxRenderer;

class WindowModel {
 public:
  // A window covering a screen of `width` x `height`, all black, with every element hidden,
  // empty and of no size.
  WindowModel(int width, int height);

  // Sets up an element's picture and properties (its name comes from `id`).
  void SetElement(Element id, PictureElement element);
  PictureElement& Get(Element id) { return elements_[static_cast<std::size_t>(id)]; }
  const PictureElement& Get(Element id) const { return elements_[static_cast<std::size_t>(id)]; }
  // All elements, bottom first.
  const std::array<PictureElement, kElementCount>& Elements() const { return elements_; }

  // Shows or hides an element; a change of visibility repaints its rectangle.
  void Show(Element id);
  void Hide(Element id);
  // Moves or resizes an element; a visible one repaints its old and new rectangles.
  void SetBounds(Element id, int left, int top, int width, int height);
  void SetPosition(Element id, int left, int top);
  // Gives an element a new picture (AutoSize takes its size); a visible one repaints.
  void SetPicture(Element id, Surface picture);

  // Marks a rectangle of the window for repainting at the next FlushPaint.
  void Invalidate(const Rect& area);
  void InvalidateAll();
  // Repaints what was marked: black, then `paintHandler(clip)` (the window's own painting),
  // then the visible elements that meet it, bottom to top, then the status box.
  void FlushPaint(const std::function<void(const Rect&)>& paintHandler);

  // The window surface (screen-sized); drawing straight onto it shows between repaints.
  Surface& Screen() { return screen_; }
  const Surface& Screen() const { return screen_; }
  int Width() const { return screen_.width; }
  int Height() const { return screen_.height; }
  // How many times the window repainted what was marked; anything drawn straight onto the
  // surface before may since be covered.
  std::uint64_t Repaints() const { return repaints_; }
  // The areas of the surface that changed since the last TakeChanged (none when unchanged);
  // every changed pixel lies in one of them.
  std::vector<Rect> TakeChanged();
  // Records that `area` of the surface was drawn on.
  void MarkChanged(const Rect& area);

  // The status box: a disabled one-line text box that lies above everything.
  void SetEdit1Bounds(const Rect& bounds);
  void SetEdit1Text(const std::string& cp1251);
  const std::string& Edit1Text() const { return edit1Text_; }
  // Draws the status box onto the surface (after anything drawn straight onto it).
  void DrawEdit1();
  // The renderer of the status box's text; without one the box shows no letters.
  void SetTextRenderer(TextBoxRenderer* renderer) { textRenderer_ = renderer; }

 private:
  void DrawElement(const PictureElement& e, const Rect& clip);

  Surface screen_;
  std::array<PictureElement, kElementCount> elements_;
  std::vector<Rect> invalid_;
  std::vector<Rect> changed_;
  std::uint64_t repaints_ = 0;
  Rect edit1Bounds_{};
  std::string edit1Text_;
  TextBoxRenderer* textRenderer_ = nullptr;
};
