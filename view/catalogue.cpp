#include "view/catalogue.h"

#include <stdexcept>

#include "platform/picture_codec.h"
#include "view/bmp_file.h"

namespace {

CatalogueEntry Cell(const char* name, const char* file) {
  return CatalogueEntry{name, file, 36, 36, false, false, false, false};
}

}  // namespace

const std::vector<CatalogueEntry>& Catalogue() {
  static const std::vector<CatalogueEntry> entries{
      {"ImMenuShop", "ImMenuShop.jpg", 220, 320, false, false, false, true},
      {"ImSelectSP", "ImSelectSP.bmp", 80, 40, false, false, true, true},
      {"ImScore", "ImScore.bmp", 800, 600, false, true, false, false},
      Cell("Im2", "Im2.bmp"),
      Cell("Im1", "Im1.bmp"),
      Cell("Im4", "Im4.bmp"),
      Cell("Im3", "Im3.bmp"),
      Cell("Im0", "Im0.bmp"),
      Cell("Im5", "Im5.bmp"),
      Cell("Im6", "Im6.bmp"),
      Cell("Im7", "Im7.bmp"),
      {"ImMenu", "ImMenu.jpg", 800, 600, true, true, false, false},
      Cell("Im8", "Im8.bmp"),
      Cell("Im9", "Im9.bmp"),
      Cell("Im10", "Im10.bmp"),
      Cell("Im11", "Im11.bmp"),
      Cell("Im12", "Im12.bmp"),
      {"ImSelect", "ImSelect.bmp", 162, 41, true, true, true, false},
      {"ImSelectIt", "ImSelectIt.bmp", 40, 40, true, false, true, true},
      {"ImSelectCt", "ImSelectCt.bmp", 40, 40, true, false, true, true},
      {"ImShot1", "ImShot1.jpg", 280, 210, false, true, false, false},
      {"ImShot2", "ImShot2.jpg", 275, 210, false, true, false, false},
      {"ImShot3", "ImShot3.jpg", 280, 210, false, true, false, false},
      {"ImCt1", "ImCt.bmp", 26, 39, false, false, true, true},
      {"ImCt2", "ImCt.bmp", 26, 39, false, false, true, true},
      {"ImCt3", "ImCt.bmp", 26, 39, false, false, true, true},
      {"ImCt4", "ImCt.bmp", 26, 39, false, false, true, true},
      {"ImCTClear", nullptr, 26, 39, false, false, true, true},
      Cell("Im13", "Im13.bmp"),
      {"ImLetters", "ImLetters.bmp", 4300, 31, false, false, true, false},
      {"ImTempLetter", nullptr, 0, 0, false, false, true, false},
  };
  return entries;
}

Surface LoadAssetPicture(const std::string& assetsFolder, std::string_view file) {
  const std::string path = assetsFolder + std::string(file);
  if (file.size() > 4 && file.substr(file.size() - 4) == ".jpg") return LoadJpeg(path);
  return LoadBmp(path);
}

void LoadCatalogue(WindowModel& window, const std::string& assetsFolder, bool required) {
  for (const CatalogueEntry& entry : Catalogue()) {
    PictureElement e;
    e.Name = entry.name;
    e.Width = entry.width;
    e.Height = entry.height;
    e.Visible = entry.visible;
    e.Stretch = entry.stretch;
    e.Transparent = entry.transparent;
    e.AutoSize = entry.autoSize;
    if (entry.file != nullptr) {
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
    window.AddElement(std::move(e));
  }
}
