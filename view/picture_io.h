#pragma once
// Picture files: BMP (24-bit) and JPEG for the catalogue, PNG for screenshots.
#include <string>

#include "view/surface.h"

// Reads a 24- or 32-bit uncompressed BMP; throws std::runtime_error naming the file on failure.
Surface LoadBmp(const std::string& path);
// Writes a 24-bit BMP, bottom-up rows; the same surface always gives the same bytes.
void SaveBmp(const std::string& path, const Surface& picture);
// Reads a JPEG through libjpeg; throws std::runtime_error naming the file on failure.
Surface LoadJpeg(const std::string& path);
// Writes a baseline JPEG through libjpeg at `quality` (deterministic bytes).
void SaveJpeg(const std::string& path, const Surface& picture, int quality);
// Writes an 8-bit RGB PNG (for screenshots).
void SavePng(const std::string& path, const Surface& picture);
