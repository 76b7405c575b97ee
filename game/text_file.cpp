#include "game/text_file.h"

#include <optional>
#include <string_view>

#include "game/integer_text.h"
#include "game/runtime_error.h"
#include "platform/file_system.h"

namespace {

constexpr int kEof = -1;
constexpr char kCtrlZ = 26;

bool IsBlank(int c) { return c >= 0 && c <= ' '; }

}  // namespace

std::unique_ptr<TextReader> TextReader::Open(const std::string& path) {
  FileError error = FileError::kNone;
  return Open(path, kTextFileLimit, error);
}

std::unique_ptr<TextReader> TextReader::Open(const std::string& path, std::size_t limit,
                                             FileError& error) {
  FileBytes file = ReadWholeFile(path, limit);
  error = file.error;
  if (file.error != FileError::kNone) return nullptr;
  return std::unique_ptr<TextReader>(new TextReader(std::move(file.bytes)));
}

// Byte 26 ends the file as the end itself does.
int TextReader::Peek() const {
  if (next_ >= bytes_.size() || bytes_[next_] == kCtrlZ) return kEof;
  return static_cast<unsigned char>(bytes_[next_]);
}

int TextReader::Get() {
  const int c = Peek();
  if (c != kEof) ++next_;
  return c;
}

bool TextReader::Eof() { return Peek() == kEof; }

std::int32_t TextReader::ReadInt() {
  while (IsBlank(Peek())) Get();
  if (Peek() == kEof) return 0;
  std::string token;
  while (Peek() != kEof && !IsBlank(Peek())) token += static_cast<char>(Get());
  const std::optional<std::int32_t> value = ParseInt32(token);
  if (!value) throw RuntimeError(rtl::InvalidNumericInput);
  return *value;
}

void TextReader::SkipLine() {
  for (;;) {
    const int c = Get();
    if (c == kEof || c == '\n') return;
    if (c == '\r') {
      if (Peek() == '\n') Get();
      return;
    }
  }
}

std::string TextReader::ReadLine() {
  std::string line;
  for (;;) {
    const int c = Peek();
    if (c == kEof || c == '\n' || c == '\r') break;
    line += static_cast<char>(Get());
  }
  SkipLine();
  return line;
}

void TextReader::SkipByteOrderMark() {
  static constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
  if (next_ == 0 && std::string_view(bytes_).substr(0, kByteOrderMark.size()) == kByteOrderMark) {
    next_ = kByteOrderMark.size();
  }
}

std::unique_ptr<TextWriter> TextWriter::Create(const std::string& path, bool privateFile) {
  return std::unique_ptr<TextWriter>(new TextWriter(path, privateFile));
}

void TextWriter::Write(const std::string& bytes) { bytes_ += bytes; }


FileError TextWriter::Close() { return ReplaceFile(path_, bytes_, private_); }

RuntimeError NotWritten(FileError error) {
  switch (error) {
    case FileError::kNotFound:
      return RuntimeError(rtl::FileNotFound);
    case FileError::kAccessDenied:
      return RuntimeError(rtl::FileAccessDenied);
    default:
      return RuntimeError(rtl::DiskWriteError);
  }
}

RuntimeError NotRead(FileError error) {
  return RuntimeError(error == FileError::kNotFound ? rtl::FileNotFound : rtl::FileAccessDenied);
}

