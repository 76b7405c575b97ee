// quillmere-art OUTDIR: paints the whole picture catalogue into OUTDIR.
// Deterministic: the same build writes the same bytes on every run.
#include <cstdio>
#include <exception>
#include <fstream>
#include <stdexcept>
#include <string>

#include "tools/art/catalogue.h"
#include "tools/art/picture_writers.h"

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

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: quillmere-art OUTDIR\n");
    return 2;
  }
  const std::string out = argv[1];
  try {
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
    CopyFile(std::string(QUILLMERE_SOURCE_DIR) + "/assets/DejaVuSans.ttf", out + "/DejaVuSans.ttf");
    for (int n = 1; n <= 3; ++n) Jpeg(out, "ImShot" + std::to_string(n) + ".jpg", art::PaintShot(n, out));
  } catch (const std::exception& e) {
    std::fprintf(stderr, "quillmere-art: %s\n", e.what());
    return 1;
  }
  return 0;
}
