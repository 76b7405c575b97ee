#include "view/catalogue.h"

#include <filesystem>
#include <stdexcept>

#include "platform/picture_codec.h"
#include "view/bmp_file.h"

std::string AssetsFolder(const std::string& programFolder) {
  return programFolder + "assets" + static_cast<char>(std::filesystem::path::preferred_separator);
}

Surface LoadAssetPicture(const std::string& assetsFolder, std::string_view file) {
  const std::string path = assetsFolder + std::string(file);
  if (file.size() > 4 && file.substr(file.size() - 4) == ".jpg") return LoadJpeg(path);
  return LoadBmp(path);
}

std::vector<PictureElement> DecodeCatalogue(const std::string& assetsFolder, bool required) {
  std::vector<PictureElement> elements;
  elements.reserve(kCatalogue.size());
  for (const CatalogueEntry& entry : kCatalogue) {
    PictureElement& e = elements.emplace_back();
    e.Width = entry.width;
    e.Height = entry.height;
    e.Visible = entry.visible;
    e.Stretch = entry.stretch;
    e.Transparent = entry.transparent;
    e.AutoSize = entry.autoSize;
    if (entry.file == nullptr) continue;
    try {
      e.Picture = LoadAssetPicture(assetsFolder, entry.file);
    } catch (const std::exception&) {
      if (required) throw;
    }
    if (e.AutoSize && !e.Picture.Empty()) {
      e.Width = e.Picture.width;
      e.Height = e.Picture.height;
    }
  }
  return elements;
}

void InstallCatalogue(WindowModel& window, std::vector<PictureElement> elements) {
  for (std::size_t i = 0; i < kCatalogue.size() && i < elements.size(); ++i) {
    window.SetElement(kCatalogue[i].id, std::move(elements[i]));
  }
}

GamePictures DecodeGamePictures(const std::string& assetsFolder, bool required) {
  GamePictures pictures;
  pictures.required = required;
  pictures.catalogue = DecodeCatalogue(assetsFolder, required);
  try {
    pictures.digitList = LoadAssetPicture(assetsFolder, kDigitListFile);
    pictures.unknownCode = LoadAssetPicture(assetsFolder, kUnknownCodeFile);
  } catch (const std::exception&) {
    if (required) throw;
  }
  return pictures;
}
