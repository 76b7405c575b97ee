#pragma once
// Picture files the art tool writes for the catalogue: BMP and JPEG, the same bytes every time.
#include <string>
#include <vector>

#include "view/surface.h"

// Writes a 24-bit BMP, bottom-up rows; the same surface always gives the same bytes.
void SaveBmp(const std::string& path, const Surface& picture);

// Writes a baseline JPEG through libjpeg at `quality` (deterministic bytes).
void SaveJpeg(const std::string& path, const Surface& picture, int quality);

// A picture with see-through parts: 0x00RRGGBB pixels and an opacity 0..255 for each.
struct SeeThroughPicture {
  Surface colour;
  std::vector<unsigned char> opacity;
};

// The bytes of an RGBA PNG through libpng, the same for the same picture.
std::string PngBytes(const SeeThroughPicture& picture);

// Writes the pictures, one for each size, as one Windows icon file of PNG images.
void SaveIcon(const std::string& path, const std::vector<SeeThroughPicture>& sizes);

// Writes one file of `bytes`; throws std::runtime_error naming it when that fails.
void SaveFile(const std::string& path, const std::string& bytes);
