// Letters on Windows: GDI draws the shipped font, added from memory for this process only (so the
// system's own dialogs never fall back to it), into a memory bitmap; the grey levels of white
// letters on black are the coverage.
#include "platform/text_raster.h"

#include <windows.h>

#include <cstring>
#include <optional>

#include "platform/file_system.h"
#include "platform/win32/wide_text.h"

namespace {

constexpr std::size_t kFontFileLimit = 16 << 20;
constexpr std::uint16_t kFamilyNameId = 1;
constexpr std::uint16_t kWindowsPlatform = 3;
constexpr std::uint16_t kUnicodeBmp = 1;
constexpr std::uint16_t kUsEnglish = 0x409;

std::uint16_t BigEndian16(const std::string& d, std::size_t at) {
  return static_cast<std::uint16_t>((static_cast<unsigned char>(d[at]) << 8) |
                                    static_cast<unsigned char>(d[at + 1]));
}

std::uint32_t BigEndian32(const std::string& d, std::size_t at) {
  return (static_cast<std::uint32_t>(BigEndian16(d, at)) << 16) | BigEndian16(d, at + 2);
}

// The "name" table of a TrueType file: where it starts, or nothing.
std::optional<std::size_t> NameTable(const std::string& font) {
  if (font.size() < 12) return std::nullopt;
  const std::size_t tables = BigEndian16(font, 4);
  for (std::size_t i = 0; i < tables; ++i) {
    const std::size_t record = 12 + 16 * i;
    if (record + 16 > font.size()) return std::nullopt;
    if (font.compare(record, 4, "name") == 0) return BigEndian32(font, record + 8);
  }
  return std::nullopt;
}

// The family name GDI knows the font by: the Windows English name of the file's name table.
std::optional<std::wstring> FamilyName(const std::string& font) {
  const std::optional<std::size_t> table = NameTable(font);
  if (!table || *table + 6 > font.size()) return std::nullopt;
  const std::size_t count = BigEndian16(font, *table + 2);
  const std::size_t strings = *table + BigEndian16(font, *table + 4);
  for (std::size_t i = 0; i < count; ++i) {
    const std::size_t record = *table + 6 + 12 * i;
    if (record + 12 > font.size()) return std::nullopt;
    if (BigEndian16(font, record) != kWindowsPlatform ||
        BigEndian16(font, record + 2) != kUnicodeBmp ||
        BigEndian16(font, record + 4) != kUsEnglish ||
        BigEndian16(font, record + 6) != kFamilyNameId) {
      continue;
    }
    const std::size_t length = BigEndian16(font, record + 8);
    const std::size_t start = strings + BigEndian16(font, record + 10);
    if (start + length > font.size()) return std::nullopt;
    std::wstring name;
    for (std::size_t k = 0; k + 1 < length; k += 2) {
      name += static_cast<wchar_t>(BigEndian16(font, start + k));
    }
    return name;
  }
  return std::nullopt;
}

class GdiTextRaster : public TextRaster {
 public:
  GdiTextRaster(HANDLE fontData, HFONT font, HDC dc) : fontData_(fontData), font_(font), dc_(dc) {
    SelectObject(dc_, font_);
  }
  ~GdiTextRaster() override {
    DeleteDC(dc_);
    DeleteObject(font_);
    RemoveFontMemResourceEx(fontData_);
  }
  GdiTextRaster(const GdiTextRaster&) = delete;
  GdiTextRaster& operator=(const GdiTextRaster&) = delete;

  TextMask Render(const std::string& utf8) override {
    const std::wstring text = WideFromUtf8(utf8);
    if (text.empty()) return {};
    SIZE extent{};
    TEXTMETRICW metrics{};
    const int length = static_cast<int>(text.size());
    if (!GetTextExtentPoint32W(dc_, text.c_str(), length, &extent) ||
        !GetTextMetricsW(dc_, &metrics) || extent.cx <= 0) {
      return {};
    }
    // Italic and overhanging letters reach past the advance.
    const int width = extent.cx + metrics.tmOverhang;
    const int height = metrics.tmHeight;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    const HBITMAP bitmap = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap == nullptr) return {};
    const HGDIOBJ previous = SelectObject(dc_, bitmap);
    std::memset(bits, 0, static_cast<std::size_t>(width) * height * 4);
    SetTextColor(dc_, RGB(255, 255, 255));
    SetBkMode(dc_, TRANSPARENT);
    SetTextAlign(dc_, TA_TOP | TA_LEFT | TA_NOUPDATECP);
    ExtTextOutW(dc_, 0, 0, 0, nullptr, text.c_str(), static_cast<UINT>(length), nullptr);
    GdiFlush();
    TextMask mask{width, height, std::vector<std::uint8_t>(static_cast<std::size_t>(width) * height)};
    const auto* pixels = static_cast<const std::uint32_t*>(bits);
    for (std::size_t i = 0; i < mask.coverage.size(); ++i) {
      mask.coverage[i] = static_cast<std::uint8_t>((pixels[i] >> 8) & 0xFF);
    }
    SelectObject(dc_, previous);
    DeleteObject(bitmap);
    return mask;
  }

 private:
  const HANDLE fontData_;
  const HFONT font_;
  const HDC dc_;
};

}  // namespace

std::unique_ptr<TextRaster> OpenTextRaster(const std::string& fontPath, int pixelSize) {
  const FileBytes file = ReadWholeFile(fontPath, kFontFileLimit);
  if (file.error != FileError::kNone) return nullptr;
  const std::optional<std::wstring> family = FamilyName(file.bytes);
  if (!family || family->size() >= LF_FACESIZE) return nullptr;
  DWORD fonts = 0;
  const HANDLE fontData = AddFontMemResourceEx(const_cast<char*>(file.bytes.data()),
                                               static_cast<DWORD>(file.bytes.size()), nullptr, &fonts);
  if (fontData == nullptr) return nullptr;
  // A negative height asks for the size of the letters themselves, as a point size at 72 dpi.
  const HFONT font = CreateFontW(-pixelSize, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                                 DEFAULT_CHARSET, OUT_TT_ONLY_PRECIS, CLIP_DEFAULT_PRECIS,
                                 ANTIALIASED_QUALITY, DEFAULT_PITCH | FF_DONTCARE, family->c_str());
  const HDC dc = CreateCompatibleDC(nullptr);
  if (font == nullptr || dc == nullptr) {
    if (dc != nullptr) DeleteDC(dc);
    if (font != nullptr) DeleteObject(font);
    RemoveFontMemResourceEx(fontData);
    return nullptr;
  }
  auto raster = std::make_unique<GdiTextRaster>(fontData, font, dc);
  // GDI quietly substitutes another face for one it does not know.
  wchar_t chosen[LF_FACESIZE] = {};
  GetTextFaceW(dc, LF_FACESIZE, chosen);
  if (*family != chosen) return nullptr;
  return raster;
}
