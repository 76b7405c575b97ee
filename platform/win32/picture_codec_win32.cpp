// Pictures on Windows: the Windows Imaging Component decodes the JPEG pictures and encodes the
// PNG screenshots.
#include "platform/picture_codec.h"

#include <windows.h>
#include <wincodec.h>
// The game's own ReplaceFile, not the Windows macro for ReplaceFileW.
#undef ReplaceFile

#include <cstdio>
#include <stdexcept>
#include <vector>

#include "game/cp1251.h"
#include "platform/file_system.h"
#include "view/picture_error.h"
#include "view/surface.h"

namespace {

constexpr std::size_t kPictureFileLimit = 64 << 20;

[[noreturn]] void Fail(const std::string& path, const std::string& what) {
  // Messages are UTF-8; the game's names are code page 1251 on Windows.
  throw PictureFileError(path, what);
}

template <typename T>
struct ComPtr {
  T* p = nullptr;
  ComPtr() = default;
  ~ComPtr() {
    if (p != nullptr) p->Release();
  }
  ComPtr(const ComPtr&) = delete;
  ComPtr& operator=(const ComPtr&) = delete;
  T* operator->() const { return p; }
  T** operator&() { return &p; }
};

// COM for the calling thread, for as long as the object lives; a thread that has it already in
// another model keeps it.
class ComScope {
 public:
  ComScope() : initialized_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
  ~ComScope() {
    if (initialized_) CoUninitialize();
  }
  ComScope(const ComScope&) = delete;
  ComScope& operator=(const ComScope&) = delete;

 private:
  const bool initialized_;
};

void Check(HRESULT result, const std::string& path, const char* step) {
  if (FAILED(result)) {
    char code[16];
    std::snprintf(code, sizeof code, "0x%08lX", static_cast<unsigned long>(result));
    Fail(path, std::string("сбой: ") + step + " (" + code + ")");
  }
}

// The calling thread's imaging factory. COM stays set up on the thread and the factory made:
// made anew for each of the game's small pictures, they cost more than the decoding (under Wine,
// start-up spent 10 ms a picture on them).
IWICImagingFactory* ThreadFactory(const std::string& path) {
  thread_local const ComScope com;
  thread_local ComPtr<IWICImagingFactory> factory;
  if (factory.p == nullptr) {
    Check(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                           IID_IWICImagingFactory, reinterpret_cast<void**>(&factory)),
          path, "компонент изображений Windows");
  }
  return factory.p;
}

}  // namespace

Surface LoadJpeg(const std::string& path) {
  const FileBytes file = ReadWholeFile(path, kPictureFileLimit);
  if (file.error != FileError::kNone) Fail(path, PictureReadFailure(file.error));
  if (file.bytes.empty()) Fail(path, "файл пуст");
  IWICImagingFactory* const factory = ThreadFactory(path);
  ComPtr<IWICStream> stream;
  Check(factory->CreateStream(&stream), path, "поток в памяти");
  Check(stream->InitializeFromMemory(
            reinterpret_cast<BYTE*>(const_cast<char*>(file.bytes.data())),
            static_cast<DWORD>(file.bytes.size())),
        path, "поток в памяти");
  ComPtr<IWICBitmapDecoder> decoder;
  if (FAILED(factory->CreateDecoderFromStream(stream.p, nullptr, WICDecodeMetadataCacheOnDemand,
                                              &decoder))) {
    Fail(path, "это не картинка");
  }
  GUID container{};
  if (FAILED(decoder->GetContainerFormat(&container)) || container != GUID_ContainerFormatJpeg) {
    Fail(path, "это не файл JPEG");
  }
  ComPtr<IWICBitmapFrameDecode> frame;
  Check(decoder->GetFrame(0, &frame), path, "чтение JPEG");
  ComPtr<IWICBitmapSource> bgrx;
  Check(WICConvertBitmapSource(GUID_WICPixelFormat32bppBGR, frame.p, &bgrx), path,
        "перевод цветов JPEG");
  UINT width = 0;
  UINT height = 0;
  Check(bgrx->GetSize(&width, &height), path, "чтение JPEG");
  if (width == 0 || height == 0 || width > 65536 || height > 65536) Fail(path, "недопустимый размер картинки");
  Surface picture(static_cast<int>(width), static_cast<int>(height));
  // Blue, green, red and a spare byte per pixel: in memory the game's 0x00RRGGBB.
  Check(bgrx->CopyPixels(nullptr, width * 4, static_cast<UINT>(picture.pixels.size() * 4),
                         reinterpret_cast<BYTE*>(picture.pixels.data())),
        path, "чтение JPEG");
  for (std::uint32_t& pixel : picture.pixels) pixel &= 0xFFFFFF;
  return picture;
}

void SavePng(const std::string& path, const Surface& picture) {
  if (picture.Empty()) Fail(path, "пустую картинку не записать");
  IWICImagingFactory* const factory = ThreadFactory(path);
  ComPtr<IStream> memory;
  Check(CreateStreamOnHGlobal(nullptr, TRUE, &memory), path, "поток в памяти");
  ComPtr<IWICBitmapEncoder> encoder;
  Check(factory->CreateEncoder(GUID_ContainerFormatPng, nullptr, &encoder), path, "запись PNG");
  Check(encoder->Initialize(memory.p, WICBitmapEncoderNoCache), path, "запись PNG");
  ComPtr<IWICBitmapFrameEncode> frame;
  Check(encoder->CreateNewFrame(&frame, nullptr), path, "запись PNG");
  Check(frame->Initialize(nullptr), path, "запись PNG");
  const UINT width = static_cast<UINT>(picture.width);
  const UINT height = static_cast<UINT>(picture.height);
  Check(frame->SetSize(width, height), path, "запись PNG");
  WICPixelFormatGUID format = GUID_WICPixelFormat24bppBGR;
  Check(frame->SetPixelFormat(&format), path, "запись PNG");
  if (format != GUID_WICPixelFormat24bppBGR) Fail(path, "нет кодировщика PNG с 8 битами на канал");
  const UINT stride = (width * 3 + 3) & ~3u;
  std::vector<BYTE> rows(static_cast<std::size_t>(stride) * height);
  for (int y = 0; y < picture.height; ++y) {
    BYTE* out = rows.data() + static_cast<std::size_t>(stride) * y;
    const std::uint32_t* in = picture.Row(y);
    for (int x = 0; x < picture.width; ++x) {
      *out++ = static_cast<BYTE>(in[x] & 0xFF);
      *out++ = static_cast<BYTE>((in[x] >> 8) & 0xFF);
      *out++ = static_cast<BYTE>((in[x] >> 16) & 0xFF);
    }
  }
  Check(frame->WritePixels(height, stride, static_cast<UINT>(rows.size()), rows.data()), path,
        "запись PNG");
  Check(frame->Commit(), path, "запись PNG");
  Check(encoder->Commit(), path, "запись PNG");
  HGLOBAL global = nullptr;
  Check(GetHGlobalFromStream(memory.p, &global), path, "запись PNG");
  STATSTG stat{};
  Check(memory->Stat(&stat, STATFLAG_NONAME), path, "запись PNG");
  const void* bytes = GlobalLock(global);
  const std::string png(static_cast<const char*>(bytes), static_cast<std::size_t>(stat.cbSize.QuadPart));
  GlobalUnlock(global);
  if (ReplaceFile(path, png, false) != FileError::kNone) {
    Fail(path, "файл не удаётся записать (" + Cp1251ToUtf8(LastFileErrorText()) + ")");
  }
}
