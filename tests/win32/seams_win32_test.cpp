// The Windows side of the seams, run under Wine: files with Cyrillic names, the refusals of the
// reader, the atomic replace, the folders, GDI letters and WIC pictures.
#include <gtest/gtest.h>

#include <windows.h>
#include <wincodec.h>
#undef ReplaceFile  // the game's own, not the Windows macro for ReplaceFileW

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "game/cp1251.h"
#include "platform/file_system.h"
#include "platform/picture_codec.h"
#include "platform/text_raster.h"
#include "view/text_box.h"
#include "platform/win32/wide_text.h"

namespace {

namespace fs = std::filesystem;

// The pixels of a PNG file as red, green, blue bytes, decoded by WIC in RGB order (the code under
// test writes blue first).
std::string PngRgb(const std::string& path) {
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  IWICImagingFactory* factory = nullptr;
  IWICBitmapDecoder* decoder = nullptr;
  IWICBitmapFrameDecode* frame = nullptr;
  IWICBitmapSource* rgb = nullptr;
  std::string pixels;
  UINT w = 0;
  UINT h = 0;
  if (SUCCEEDED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                 IID_IWICImagingFactory, reinterpret_cast<void**>(&factory))) &&
      SUCCEEDED(factory->CreateDecoderFromFilename(WideFromCp1251(path).c_str(), nullptr,
                                                   GENERIC_READ, WICDecodeMetadataCacheOnDemand,
                                                   &decoder)) &&
      SUCCEEDED(decoder->GetFrame(0, &frame)) &&
      SUCCEEDED(WICConvertBitmapSource(GUID_WICPixelFormat24bppRGB, frame, &rgb)) &&
      SUCCEEDED(rgb->GetSize(&w, &h))) {
    pixels.resize(w * h * 3);
    if (FAILED(rgb->CopyPixels(nullptr, w * 3, static_cast<UINT>(pixels.size()),
                               reinterpret_cast<BYTE*>(pixels.data())))) {
      pixels.clear();
    }
  }
  for (IUnknown* object : std::initializer_list<IUnknown*>{rgb, frame, decoder, factory}) {
    if (object != nullptr) object->Release();
  }
  CoUninitialize();
  return pixels;
}

class SeamsWin32 : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("quillmere_seams_" + std::to_string(GetCurrentProcessId()));
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }
  // A path in the game's code page.
  std::string Path(const std::string& utf8Name) const {
    return *Cp1251FromWide(dir_.wstring()) + "\\" + Utf8ToCp1251(utf8Name);
  }
  std::size_t FilesInFolder() const {
    return static_cast<std::size_t>(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()));
  }

  fs::path dir_;
};

TEST_F(SeamsWin32, FilesAreReplacedWholeAndReadBackUnderCyrillicNames) {
  const std::string name = Path("Сохранение.ksv");
  const std::string bytes = std::string("7\r\n\0\xC0\xFF", 6) + std::string(100000, 'x');
  ASSERT_EQ(ReplaceFile(name, "old", false), FileError::kNone);
  ASSERT_EQ(ReplaceFile(name, bytes, true), FileError::kNone);
  EXPECT_TRUE(fs::exists(dir_ / L"Сохранение.ksv"));
  const FileBytes back = ReadWholeFile(name, bytes.size());
  EXPECT_EQ(back.error, FileError::kNone);
  EXPECT_EQ(back.bytes, bytes);
  EXPECT_EQ(ReadWholeFile(name, bytes.size() - 1).error, FileError::kTooLarge);
  EXPECT_TRUE(IsReadableFile(name));
  EXPECT_EQ(FilesInFolder(), 1u) << "a temporary file was left behind";

  EXPECT_TRUE(RemoveFile(name));
  EXPECT_FALSE(RemoveFile(name));
  EXPECT_FALSE(IsReadableFile(name));
  EXPECT_EQ(ReadWholeFile(name, 10).error, FileError::kNotFound);
}

// A game killed while it wrote a file leaves its work file; the next write of that file removes
// it, and nothing else.
TEST_F(SeamsWin32, TheNextWriteRemovesWhatAKilledWriteLeft) {
  const std::string ended = "Сохранение.ksv.saving-2147483647.tmp";  // no process has that id
  const std::vector<std::string> others{"Сохранение.ksv.saving-1x.tmp", "Сохранение.ksv.bak",
                                        "High.scr.saving-2147483647.tmp"};
  for (const std::string& name : others) std::ofstream(dir_ / WideFromUtf8(name)) << "2";
  std::ofstream(dir_ / WideFromUtf8(ended)) << "2";
  ASSERT_EQ(ReplaceFile(Path("Сохранение.ksv"), "3\r\n", false), FileError::kNone);
  EXPECT_FALSE(fs::exists(dir_ / WideFromUtf8(ended)));
  EXPECT_EQ(FilesInFolder(), others.size() + 1);
}

TEST_F(SeamsWin32, NothingButRegularFilesIsReadOrReplaced) {
  fs::create_directories(dir_ / "levels");
  const std::string folder = Path("levels");
  EXPECT_EQ(ReadWholeFile(folder, 10).error, FileError::kAccessDenied);
  EXPECT_FALSE(IsReadableFile(folder));
  EXPECT_EQ(ReadWholeFile("NUL", 10).error, FileError::kAccessDenied);
  EXPECT_EQ(ReadWholeFile("CON", 10).error, FileError::kAccessDenied);
  EXPECT_EQ(ReadWholeFile(Path("no\\such\\folder.lvl"), 10).error, FileError::kNotFound);
  EXPECT_FALSE(LastFileErrorText().empty());

  EXPECT_EQ(ReplaceFile(folder, "x", false), FileError::kAccessDenied);
  EXPECT_EQ(ReplaceFile(Path("missing\\High.scr"), "x", false), FileError::kNotFound);
  EXPECT_TRUE(fs::is_directory(dir_ / "levels"));
  EXPECT_EQ(FilesInFolder(), 1u) << "a temporary file was left behind";
}

TEST_F(SeamsWin32, FoldersOfTheProgramAndOfTheSnapshot) {
  const std::optional<std::string> program = ProgramFolder();
  ASSERT_TRUE(program.has_value());
  ASSERT_EQ(program->back(), '\\');
  wchar_t module[MAX_PATH];
  GetModuleFileNameW(nullptr, module, MAX_PATH);
  EXPECT_EQ(fs::path(WideFromCp1251(*program)), fs::path(module).parent_path() / "");

  const std::string snapshot = DefaultSnapshotPath();
  EXPECT_EQ(fs::path(WideFromCp1251(snapshot)).filename(), "Kolbrin.tmp");
  EXPECT_EQ(fs::path(WideFromCp1251(snapshot)).parent_path().filename(), "Quillmere");
  EXPECT_TRUE(fs::is_directory(fs::path(WideFromCp1251(snapshot)).parent_path()));

  const std::wstring before = fs::current_path().wstring();
  ASSERT_TRUE(EnterFolder(Path("")));
  EXPECT_EQ(fs::current_path(), dir_);
  EXPECT_FALSE(EnterFolder(Path("nowhere")));
  fs::current_path(before);
}

TEST(TextRasterWin32, TheShippedFontDrawsCyrillicLetters) {
  EXPECT_EQ(OpenTextRaster(QUILLMERE_ASSETS "missing.ttf", 13), nullptr);
  const std::unique_ptr<TextRaster> raster = OpenTextRaster(std::string(QUILLMERE_ASSETS) + kStatusFontFile, 13);
  ASSERT_NE(raster, nullptr);
  EXPECT_EQ(raster->Render("").width, 0);
  const TextMask one = raster->Render("Р");
  const TextMask line = raster->Render("Рубинов собрано: 0 из 12");
  ASSERT_GT(one.width, 4);
  EXPECT_GT(line.width, 10 * one.width);
  EXPECT_GE(line.height, 13);
  EXPECT_LE(line.height, 18);
  ASSERT_EQ(line.coverage.size(), static_cast<std::size_t>(line.width) * line.height);
  int ink = 0;
  int full = 0;
  for (const std::uint8_t c : line.coverage) {
    ink += c > 0;
    full += c > 200;
  }
  EXPECT_GT(full, 60);
  EXPECT_LT(ink, static_cast<int>(line.coverage.size()) / 2);
}

TEST_F(SeamsWin32, PicturesDecodeInTheirColoursAndScreenshotsAreRgbPng) {
  const Surface menu = LoadJpeg(QUILLMERE_ASSETS "ImMenu.jpg");
  ASSERT_EQ(menu.width, 800);
  ASSERT_EQ(menu.height, 600);
  // The menu's entries are blue pills: a channel mix-up would show them red.
  long red = 0;
  long blue = 0;
  for (int y = 194; y < 224; ++y) {
    for (int x = 525; x < 675; ++x) {
      red += (menu.At(x, y) >> 16) & 255;
      blue += menu.At(x, y) & 255;
      ASSERT_EQ(menu.At(x, y) >> 24, 0u);
    }
  }
  EXPECT_GT(blue - red, 150L * 30 * 50);
  EXPECT_THROW(LoadJpeg(QUILLMERE_ASSETS "Im1.bmp"), std::runtime_error);
  try {
    LoadJpeg(Path("нет.jpg"));
    FAIL() << "no exception";
  } catch (const std::runtime_error& error) {
    EXPECT_NE(std::string(error.what()).find("нет.jpg"), std::string::npos) << error.what();
  }

  Surface shot(3, 2);
  shot.Set(0, 0, Rgb(255, 0, 0));
  shot.Set(1, 0, Rgb(0, 255, 0));
  shot.Set(2, 0, Rgb(0, 0, 255));
  shot.Set(0, 1, Rgb(1, 2, 3));
  SavePng(Path("shot.png"), shot);
  const FileBytes png = ReadWholeFile(Path("shot.png"), 1 << 20);
  ASSERT_GT(png.bytes.size(), 33u);
  EXPECT_EQ(png.bytes.substr(1, 3), "PNG");
  EXPECT_EQ(png.bytes.substr(12, 4), "IHDR");
  EXPECT_EQ(png.bytes[19], 3);  // width
  EXPECT_EQ(png.bytes[23], 2);  // height
  EXPECT_EQ(png.bytes[24], 8);  // bits per channel
  EXPECT_EQ(png.bytes[25], 2);  // RGB
  EXPECT_EQ(PngRgb(Path("shot.png")), std::string("\xFF\0\0\0\xFF\0\0\0\xFF\1\2\3\0\0\0\0\0\0", 18));
  EXPECT_THROW(SavePng(Path("no\\folder\\shot.png"), shot), std::runtime_error);
}

}  // namespace
