#include "platform/win32/wide_text.h"

#include <windows.h>

namespace {

constexpr UINT kGameCodePage = 1251;

std::wstring Widen(UINT codePage, std::string_view bytes) {
  if (bytes.empty()) return {};
  const int size = static_cast<int>(bytes.size());
  const int length = MultiByteToWideChar(codePage, 0, bytes.data(), size, nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  MultiByteToWideChar(codePage, 0, bytes.data(), size, wide.data(), length);
  return wide;
}

// `usedDefault` may be null: UTF-8 has a form for everything and takes no default character.
std::string Narrow(UINT codePage, DWORD flags, std::wstring_view wide, BOOL* usedDefault) {
  if (wide.empty()) return {};
  const int size = static_cast<int>(wide.size());
  const int length =
      WideCharToMultiByte(codePage, flags, wide.data(), size, nullptr, 0, nullptr, usedDefault);
  std::string bytes(static_cast<std::size_t>(length), '\0');
  WideCharToMultiByte(codePage, flags, wide.data(), size, bytes.data(), length, nullptr,
                      usedDefault);
  return bytes;
}

}  // namespace

std::wstring WideFromCp1251(std::string_view cp1251) { return Widen(kGameCodePage, cp1251); }

std::optional<std::string> Cp1251FromWide(std::wstring_view wide) {
  BOOL usedDefault = FALSE;
  // No best fit: "é" must not quietly become "e" and name another file.
  std::string bytes = Narrow(kGameCodePage, WC_NO_BEST_FIT_CHARS, wide, &usedDefault);
  if (usedDefault) return std::nullopt;
  return bytes;
}

std::string Cp1251FromWideLossy(std::wstring_view wide) {
  BOOL usedDefault = FALSE;
  return Narrow(kGameCodePage, 0, wide, &usedDefault);
}

std::wstring WideFromUtf8(std::string_view utf8) { return Widen(CP_UTF8, utf8); }

std::string Utf8FromWide(std::wstring_view wide) { return Narrow(CP_UTF8, 0, wide, nullptr); }
