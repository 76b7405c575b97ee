#pragma once
// The picture catalogue: every element of the window in stacking order, its file and design.
#include <string>
#include <string_view>
#include <vector>

#include "view/surface.h"
#include "view/window_model.h"

struct CatalogueEntry {
  Element id;
  const char* file;  // in the assets folder; nullptr for an element with an empty picture
  int width;         // design size
  int height;
  bool visible;
  bool stretch;
  bool transparent;
  bool autoSize;
};

// The elements bottom to top.
const std::vector<CatalogueEntry>& Catalogue();

// The folder of the pictures and the font in the program's folder `programFolder` (a full path
// ending with the separator), spelled with the system's separators.
std::string AssetsFolder(const std::string& programFolder);

// Pictures that are not window elements.
inline constexpr const char* kDigitListFile = "ImageList2.bmp";
inline constexpr const char* kUnknownCodeFile = "Unknown.bmp";

// Reads one picture file of the assets folder (BMP or JPEG by extension); throws
// std::runtime_error naming the file when it is missing or unreadable.
Surface LoadAssetPicture(const std::string& assetsFolder, std::string_view file);

// The window's elements as the catalogue describes them, pictures decoded, in catalogue order.
// Decoding touches no window, so the game does it while its window opens. With `required`, a
// missing or unreadable picture throws std::runtime_error naming it; otherwise the element keeps
// an empty picture and its design size.
std::vector<PictureElement> DecodeCatalogue(const std::string& assetsFolder, bool required);

// Gives the window the elements of DecodeCatalogue.
void InstallCatalogue(WindowModel& window, std::vector<PictureElement> elements);

// Every picture file the game window draws with, decoded.
struct GamePictures {
  std::vector<PictureElement> catalogue;
  Surface digitList;
  Surface unknownCode;
  bool required = true;  // as decoded: false when missing files were let pass
};

// Decodes the catalogue and the pictures that are not window elements; safe on any thread.
// With `required`, a missing or unreadable picture throws std::runtime_error naming it;
// otherwise what could not be read stays empty (the headless driver, tests and tools).
GamePictures DecodeGamePictures(const std::string& assetsFolder, bool required);
