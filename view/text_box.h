#pragma once
// Draws the status box: the look of a disabled one-line text box with a small sans-serif face.
#include <memory>
#include <string>

#include "view/surface.h"

// The status box: its size in pixels and its face. The face is narrow enough that the longest
// status, counts of three digits each, fits the box.
inline constexpr int kStatusBoxWidth = 137;
inline constexpr int kStatusBoxHeight = 21;
inline constexpr const char* kStatusFontFile = "DejaVuSansCondensed.ttf";
inline constexpr int kStatusFontPixels = 11;

class TextBoxRenderer {
 public:
  // Opens the font file `fontPath` at `pixelSize`; Ok() tells whether it loaded.
  TextBoxRenderer(const std::string& fontPath, int pixelSize);
  ~TextBoxRenderer();
  TextBoxRenderer(const TextBoxRenderer&) = delete;
  TextBoxRenderer& operator=(const TextBoxRenderer&) = delete;

  bool Ok() const;
  // Draws a disabled text box with `cp1251` text into `area` of `target`.
  void Draw(Surface& target, const Rect& area, const std::string& cp1251);

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};
