#include "platform/win32/game_path.h"

#include <windows.h>

#include "platform/win32/wide_text.h"

namespace {

std::optional<std::wstring> ShortPath(const std::wstring& path) {
  const DWORD length = GetShortPathNameW(path.c_str(), nullptr, 0);
  if (length == 0) return std::nullopt;
  std::wstring shortPath(length, L'\0');
  const DWORD written = GetShortPathNameW(path.c_str(), shortPath.data(), length);
  if (written == 0 || written >= length) return std::nullopt;
  shortPath.resize(written);
  return shortPath;
}

}  // namespace

std::optional<std::string> GamePathFromWide(const std::wstring& path) {
  if (std::optional<std::string> bytes = Cp1251FromWide(path)) return bytes;
  if (const std::optional<std::wstring> shortPath = ShortPath(path)) {
    return Cp1251FromWide(*shortPath);
  }
  // A file about to be created has no short name yet; its folder may have one.
  const std::size_t separator = path.find_last_of(L"\\/");
  if (separator == std::wstring::npos) return std::nullopt;
  const std::optional<std::wstring> folder = ShortPath(path.substr(0, separator));
  const std::optional<std::string> name = Cp1251FromWide(path.substr(separator));
  if (!folder || !name) return std::nullopt;
  const std::optional<std::string> folderBytes = Cp1251FromWide(*folder);
  if (!folderBytes) return std::nullopt;
  return *folderBytes + *name;
}
