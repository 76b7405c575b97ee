#pragma once
// Reading and writing the design's text files: code page 1251, CR LF lines, integer tokens.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <utility>

#include "game/runtime_error.h"
#include "platform/file_system.h"

// The largest text file the game reads; its files are a few kilobytes.
inline constexpr std::size_t kTextFileLimit = 16u << 20;

// A text file open for reading. Integers are white-space-delimited tokens with an optional
// sign; a value missing at the end of the file reads as 0; byte 26 ends the file.
class TextReader {
 public:
  TextReader(const TextReader&) = delete;
  TextReader& operator=(const TextReader&) = delete;

  // Opens `path`; nullptr when it cannot be opened (missing, a folder, a device, no permission,
  // larger than kTextFileLimit).
  static std::unique_ptr<TextReader> Open(const std::string& path);
  // Opens `path` when it holds at most `limit` bytes; nullptr when it cannot be opened, with
  // the reason in `error` (kTooLarge above the limit, however large the file).
  static std::unique_ptr<TextReader> Open(const std::string& path, std::size_t limit,
                                          FileError& error);

  // Reads the next integer token; throws RuntimeError("Invalid numeric input") when it is
  // not a decimal integer in the 32-bit range.
  std::int32_t ReadInt();
  // Skips the rest of the current line and its line end.
  void SkipLine();
  // Reads the rest of the current line without its line end and moves past the line end.
  std::string ReadLine();
  // At the very start of the file, passes over a UTF-8 byte-order mark (as Notepad writes);
  // anywhere else, and for any other bytes, does nothing.
  void SkipByteOrderMark();
  // True when nothing is left to read.
  bool Eof();

 private:
  explicit TextReader(std::string bytes) : bytes_(std::move(bytes)) {}
  int Peek() const;
  int Get();

  const std::string bytes_;
  std::size_t next_ = 0;
};

// A text file being written: it replaces the file of that name in one step when it is closed,
// so a failure at any point leaves the old file whole.
class TextWriter {
 public:
  TextWriter(const TextWriter&) = delete;
  TextWriter& operator=(const TextWriter&) = delete;

  // Starts the file `path`. With `privateFile` it is written for the owner only and a link at
  // `path` is refused instead of followed.
  static std::unique_ptr<TextWriter> Create(const std::string& path, bool privateFile = false);

  // Writes raw bytes.
  void Write(const std::string& bytes);
  // Puts the file in place on the disk; nothing is written without it. On failure the old file
  // is left whole and the error says why (LastFileErrorText has the system's words).
  [[nodiscard]] FileError Close();

 private:
  TextWriter(std::string path, bool privateFile) : path_(std::move(path)), private_(privateFile) {}

  const std::string path_;
  const bool private_;
  std::string bytes_;
};

// The run-time library's I/O error for a file that was not written: the message players of the
// game have always seen in the error box.
RuntimeError NotWritten(FileError error);
// The same for a file that could not be opened for reading: "File not found" or
// "File access denied".
RuntimeError NotRead(FileError error);
