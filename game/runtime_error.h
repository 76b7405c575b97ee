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
// "'%s' is not a valid integer value" filled with `text`.
inline std::string NotValidInteger(const std::string& text) {
  return "'" + text + "' is not a valid integer value";
}
}  // namespace rtl
