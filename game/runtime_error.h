#pragma once
// The run-time library's errors: thrown by readers and writers, caught at the handler boundary,
// where they become a message box captioned with the application title.
#include <stdexcept>
#include <string>

struct RuntimeError : std::runtime_error {
  // `message` is code page 1251 text, shown as it stands.
  explicit RuntimeError(const std::string& message) : std::runtime_error(message) {}
};

namespace rtl {
inline const char* const InvalidNumericInput = "Invalid numeric input";
inline const char* const FileNotFound = "File not found";
inline const char* const FileAccessDenied = "File access denied";
inline const char* const DiskWriteError = "Disk write error";
// "'%s' is not a valid integer value" filled with the first 40 characters of `text` (code page
// 1251), each byte that is no printable character or letter shown as '?', so that a damaged
// file gives a message a player can read.
inline std::string NotValidInteger(const std::string& text) {
  constexpr std::size_t kMostShown = 40;
  std::string shown = text.substr(0, kMostShown);
  for (char& c : shown) {
    const auto b = static_cast<unsigned char>(c);
    const bool printable = (b >= 0x20 && b <= 0x7E) || b == 0xA8 || b == 0xB8 || b >= 0xC0;
    if (!printable) c = '?';
  }
  return "'" + shown + "' is not a valid integer value";
}
}  // namespace rtl
