#pragma once
// Reading and writing the design's text files: code page 1251, CR LF lines, integer tokens.
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>

// A text file open for reading. Integers are white-space-delimited tokens with an optional
// sign; a value missing at the end of the file reads as 0; byte 26 ends the file.
class TextReader {
 public:
  ~TextReader();
  TextReader(const TextReader&) = delete;
  TextReader& operator=(const TextReader&) = delete;

  // Opens `path`; nullptr when it cannot be opened (missing, a folder, no permission).
  static std::unique_ptr<TextReader> Open(const std::string& path);
  // Opens `path` or throws RuntimeError with "File not found" or "File access denied".
  static std::unique_ptr<TextReader> OpenOrThrow(const std::string& path);

  // Reads the next integer token; throws RuntimeError("Invalid numeric input") when it is
  // not a decimal integer in the 32-bit range.
  std::int32_t ReadInt();
  // Skips the rest of the current line and its line end.
  void SkipLine();
  // Reads the rest of the current line without its line end and moves past the line end.
  std::string ReadLine();
  // True when nothing is left to read.
  bool Eof();
  // The file's size in bytes.
  std::int64_t Size() const;

 private:
  explicit TextReader(std::FILE* file);
  int Peek();
  int Get();

  std::FILE* file_;
  int pending_ = -2;  // -2: nothing peeked yet
};

// A text file open for writing, replacing an existing one. Every failure throws RuntimeError
// with the run-time library's message; the destructor closes the file.
class TextWriter {
 public:
  ~TextWriter();
  TextWriter(const TextWriter&) = delete;
  TextWriter& operator=(const TextWriter&) = delete;

  // Creates `path` (replacing it). With `privateFile` the file is created for the owner only
  // and a symbolic link at `path` is refused instead of followed.
  static std::unique_ptr<TextWriter> Create(const std::string& path, bool privateFile = false);

  // Writes `text` and CR LF.
  void WriteLine(const std::string& text);
  // Writes raw bytes.
  void Write(const std::string& bytes);
  // Flushes to the disk and closes; throws on failure.
  void Close();

 private:
  explicit TextWriter(std::FILE* file);
  std::FILE* file_;
};

// Deletes `path`; a missing file is no error. True when a file was removed.
bool DeleteFileIfPresent(const std::string& path);
// True when `path` names an existing regular file that can be opened for reading.
bool FileCanBeOpened(const std::string& path);
