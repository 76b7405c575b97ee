#pragma once
// The catalogue's BMP pictures.
#include <string>

#include "view/surface.h"

// Reads a 24- or 32-bit uncompressed BMP; throws std::runtime_error naming the file on failure.
Surface LoadBmp(const std::string& path);
