#include "view/catalogue.h"

#include <filesystem>
#include <stdexcept>

#include "platform/picture_codec.h"
#include "view/bmp_file.h"
#include "view/design_scale.h"

namespace {

CatalogueEntry Cell(Element id, const char* file) {
  return CatalogueEntry{id, file, 36, 36, false, false, false, false};
}

}  // namespace

const std::vector<CatalogueEntry>& Catalogue() {
  static const std::vector<CatalogueEntry> entries{
      {Element::ImMenuShop, "ImMenuShop.jpg", 220, 320, false, false, false, true},
      {Element::ImSelectSP, "ImSelectSP.bmp", 80, 40, false, false, true, true},
      {Element::ImScore, "ImScore.bmp", kDesignWidth, kDesignHeight, false, true, false, false},
      Cell(Element::Im2, "Im2.bmp"),
      Cell(Element::Im1, "Im1.bmp"),
      Cell(Element::Im4, "Im4.bmp"),
      Cell(Element::Im3, "Im3.bmp"),
      Cell(Element::Im0, "Im0.bmp"),
      Cell(Element::Im5, "Im5.bmp"),
      Cell(Element::Im6, "Im6.bmp"),
      Cell(Element::Im7, "Im7.bmp"),
      {Element::ImMenu, "ImMenu.jpg", kDesignWidth, kDesignHeight, true, true, false, false},
      Cell(Element::Im8, "Im8.bmp"),
      Cell(Element::Im9, "Im9.bmp"),
      Cell(Element::Im10, "Im10.bmp"),
      Cell(Element::Im11, "Im11.bmp"),
      Cell(Element::Im12, "Im12.bmp"),
      {Element::ImSelect, "ImSelect.bmp", 162, 41, true, true, true, false},
      {Element::ImSelectIt, "ImSelectIt.bmp", 40, 40, true, false, true, true},
      {Element::ImSelectCt, "ImSelectCt.bmp", 40, 40, true, false, true, true},
      {Element::ImShot1, "ImShot1.jpg", 280, 210, false, true, false, false},
      {Element::ImShot2, "ImShot2.jpg", 275, 210, false, true, false, false},
      {Element::ImShot3, "ImShot3.jpg", 280, 210, false, true, false, false},
      {Element::ImCt1, "ImCt.bmp", 26, 39, false, false, true, true},
      {Element::ImCt2, "ImCt.bmp", 26, 39, false, false, true, true},
      {Element::ImCt3, "ImCt.bmp", 26, 39, false, false, true, true},
      {Element::ImCt4, "ImCt.bmp", 26, 39, false, false, true, true},
      {Element::ImCTClear, nullptr, 26, 39, false, false, true, true},
      Cell(Element::Im13, "Im13.bmp"),
      {Element::ImLetters, "ImLetters.bmp", 4300, 31, false, false, true, false},
      {Element::ImTempLetter, nullptr, 0, 0, false, false, true, false},
  };
  return entries;
}

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
  elements.reserve(Catalogue().size());
  for (const CatalogueEntry& entry : Catalogue()) {
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
  const std::vector<CatalogueEntry>& entries = Catalogue();
  for (std::size_t i = 0; i < entries.size() && i < elements.size(); ++i) {
    window.SetElement(entries[i].id, std::move(elements[i]));
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
