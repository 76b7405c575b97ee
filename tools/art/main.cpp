// quillmere-art OUTDIR: paints the whole picture catalogue into OUTDIR.
// quillmere-art --icons OUTDIR: paints the program's icon at each size it is installed at
// (quillmere-SIZE.png) and the Windows icon file of them all (quillmere.ico).
// Deterministic: the same build writes the same bytes on every run.
#include <cstdio>
#include <exception>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "tools/art/catalogue.h"
#include "tools/art/picture_writers.h"
#include "view/text_box.h"

namespace {

constexpr int kJpegQuality = 92;

void Bmp(const std::string& dir, const std::string& name, const art::Image& img) {
  SaveBmp(dir + "/" + name, img.ToSurface());
}

void Jpeg(const std::string& dir, const std::string& name, const art::Image& img) {
  SaveJpeg(dir + "/" + name, img.ToSurface(), kJpegQuality);
}

void CopyFile(const std::string& from, const std::string& to) {
  std::ifstream in(from, std::ios::binary);
  std::ofstream out(to, std::ios::binary | std::ios::trunc);
  if (!in || !(out << in.rdbuf())) throw std::runtime_error("cannot copy " + from + " to " + to);
}

// The sizes of the icon, in pixels: the desktops' hicolor theme and the Windows icon file.
constexpr int kIconSizes[] = {16, 32, 48, 64, 128, 256};

SeeThroughPicture ToPicture(const art::Icon& icon) {
  SeeThroughPicture picture{icon.picture.ToSurface(), {}};
  for (const float a : icon.opacity.a) {
    picture.opacity.push_back(static_cast<unsigned char>(art::Clamp01(a) * 255.f + 0.5f));
  }
  return picture;
}

void PaintIcons(const std::string& out) {
  std::vector<SeeThroughPicture> sizes;
  for (const int size : kIconSizes) {
    sizes.push_back(ToPicture(art::PaintIcon(size)));
    SaveFile(out + "/quillmere-" + std::to_string(size) + ".png", PngBytes(sizes.back()));
  }
  SaveIcon(out + "/quillmere.ico", sizes);
}

}  // namespace

int main(int argc, char** argv) {
  const bool icons = argc == 3 && std::string(argv[1]) == "--icons";
  if (argc != 2 && !icons) {
    std::fprintf(stderr, "usage: quillmere-art [--icons] OUTDIR\n");
    return 2;
  }
  const std::string out = argv[argc - 1];
  try {
    if (icons) {
      PaintIcons(out);
      return 0;
    }
    art::TextSystem text;
    for (int code = 0; code <= 13; ++code) Bmp(out, "Im" + std::to_string(code) + ".bmp", art::PaintTile(code));
    Bmp(out, "Unknown.bmp", art::PaintUnknownTile());
    Bmp(out, "ImSelect.bmp", art::PaintMenuSelect());
    const art::Image shopFrame = art::PaintShopFrame(40, 40);
    Bmp(out, "ImSelectIt.bmp", shopFrame);
    Bmp(out, "ImSelectCt.bmp", shopFrame);
    Bmp(out, "ImSelectSP.bmp", art::PaintShopFrame(80, 40));
    const art::Image digits = art::PaintDigitStrip();
    Bmp(out, "ImageList2.bmp", digits);
    Bmp(out, "ImCt.bmp", digits.Crop(0, 0, 26, 39));  // the design picture: "0"
    Bmp(out, "ImLetters.bmp", art::PaintLetters());
    Bmp(out, "ImScore.bmp", art::PaintScore());
    Jpeg(out, "ImMenu.jpg", art::PaintMenu());
    Jpeg(out, "ImMenuShop.jpg", art::PaintMenuShop());
    // The previews are played by the game itself, with the pictures and the font just laid out.
    CopyFile(std::string(QUILLMERE_SOURCE_DIR) + "/assets/" + kStatusFontFile,
             out + "/" + kStatusFontFile);
    for (int n = 1; n <= 3; ++n) Jpeg(out, "ImShot" + std::to_string(n) + ".jpg", art::PaintShot(n, out));
  } catch (const std::exception& e) {
    std::fprintf(stderr, "quillmere-art: %s\n", e.what());
    return 1;
  }
  return 0;
}
