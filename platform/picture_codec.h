#pragma once
// Picture formats the operating system decodes and encodes for the game: JPEG pictures of the
// catalogue, PNG screenshots of the headless driver. libjpeg and libpng on Linux, WIC on Windows.
#include <string>

struct Surface;  // a picture in memory, drawn by the game

// Decodes the JPEG file `path`; throws std::runtime_error naming the file on failure.
Surface LoadJpeg(const std::string& path);

// Writes `picture` as an 8-bit RGB PNG; throws std::runtime_error naming the file on failure.
void SavePng(const std::string& path, const Surface& picture);
