#pragma once
// Picture files the art tool writes for the catalogue: BMP and JPEG, the same bytes every time.
#include <string>

#include "view/surface.h"

// Writes a 24-bit BMP, bottom-up rows; the same surface always gives the same bytes.
void SaveBmp(const std::string& path, const Surface& picture);

// Writes a baseline JPEG through libjpeg at `quality` (deterministic bytes).
void SaveJpeg(const std::string& path, const Surface& picture, int quality);
