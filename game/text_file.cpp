#include "game/text_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "game/runtime_error.h"

namespace {

constexpr int kEof = -1;
constexpr int kCtrlZ = 26;

std::FILE* OpenForReading(const std::string& path, int& err) {
  // Non-blocking, so that a pipe planted under a level's name cannot hang the game.
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) {
    err = errno;
    return nullptr;
  }
  struct stat st {};
  // Only regular files are read: a folder, a pipe or a device is no file of the game's.
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) ||
      ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK) != 0) {
    err = S_ISDIR(st.st_mode) ? EISDIR : EACCES;
    ::close(fd);
    return nullptr;
  }
  std::FILE* f = ::fdopen(fd, "rb");
  if (f == nullptr) {
    err = errno;
    ::close(fd);
  }
  return f;
}

std::string OpenMessage(int err) {
  return err == ENOENT || err == ENOTDIR || err == ENAMETOOLONG ? rtl::FileNotFound
                                                                : rtl::FileAccessDenied;
}

bool IsBlank(int c) { return c >= 0 && c <= ' '; }

}  // namespace

TextReader::TextReader(std::FILE* file) : file_(file) {}

TextReader::~TextReader() { std::fclose(file_); }

std::unique_ptr<TextReader> TextReader::Open(const std::string& path) {
  int err = 0;
  std::FILE* f = OpenForReading(path, err);
  if (f == nullptr) return nullptr;
  return std::unique_ptr<TextReader>(new TextReader(f));
}

std::unique_ptr<TextReader> TextReader::OpenOrThrow(const std::string& path) {
  int err = 0;
  std::FILE* f = OpenForReading(path, err);
  if (f == nullptr) throw RuntimeError(OpenMessage(err));
  return std::unique_ptr<TextReader>(new TextReader(f));
}

int TextReader::Peek() {
  if (pending_ == -2) {
    const int c = std::fgetc(file_);
    pending_ = (c == EOF || c == kCtrlZ) ? kEof : c;
  }
  return pending_;
}

int TextReader::Get() {
  const int c = Peek();
  if (c != kEof) pending_ = -2;
  return c;
}

bool TextReader::Eof() { return Peek() == kEof; }

std::int64_t TextReader::Size() const {
  struct stat st {};
  return ::fstat(::fileno(file_), &st) == 0 ? static_cast<std::int64_t>(st.st_size) : 0;
}

std::int32_t TextReader::ReadInt() {
  while (IsBlank(Peek())) Get();
  if (Peek() == kEof) return 0;
  bool negative = false;
  bool digits = false;
  bool valid = true;
  std::int64_t value = 0;
  if (Peek() == '+' || Peek() == '-') negative = Get() == '-';
  while (Peek() != kEof && !IsBlank(Peek())) {
    const int c = Get();
    if (c < '0' || c > '9') {
      valid = false;
      continue;
    }
    digits = true;
    if (value <= (std::int64_t{1} << 32)) value = value * 10 + (c - '0');
  }
  if (negative) value = -value;
  if (!valid || !digits || value > INT32_MAX || value < INT32_MIN) {
    throw RuntimeError(rtl::InvalidNumericInput);
  }
  return static_cast<std::int32_t>(value);
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

TextWriter::TextWriter(std::FILE* file) : file_(file) {}

TextWriter::~TextWriter() {
  if (file_ != nullptr) std::fclose(file_);
}

std::unique_ptr<TextWriter> TextWriter::Create(const std::string& path, bool privateFile) {
  int flags = O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC;
  mode_t mode = 0666;
  if (privateFile) {
    flags |= O_NOFOLLOW;
    mode = 0600;
  }
  const int fd = ::open(path.c_str(), flags, mode);
  if (fd < 0) throw RuntimeError(OpenMessage(errno));
  struct stat st {};
  // An existing private file keeps no wider permissions than a new one.
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) ||
      (privateFile && (st.st_uid != ::getuid() || ::fchmod(fd, 0600) != 0))) {
    ::close(fd);
    throw RuntimeError(rtl::FileAccessDenied);
  }
  std::FILE* f = ::fdopen(fd, "wb");
  if (f == nullptr) {
    ::close(fd);
    throw RuntimeError(rtl::FileAccessDenied);
  }
  return std::unique_ptr<TextWriter>(new TextWriter(f));
}

void TextWriter::Write(const std::string& bytes) {
  if (std::fwrite(bytes.data(), 1, bytes.size(), file_) != bytes.size()) {
    throw RuntimeError(rtl::DiskWriteError);
  }
}

void TextWriter::WriteLine(const std::string& text) { Write(text + "\r\n"); }

void TextWriter::Close() {
  std::FILE* f = file_;
  file_ = nullptr;
  const bool flushed = std::fflush(f) == 0 && ::fsync(::fileno(f)) == 0;
  const bool closed = std::fclose(f) == 0;
  if (!flushed || !closed) throw RuntimeError(rtl::DiskWriteError);
}

bool DeleteFileIfPresent(const std::string& path) { return ::unlink(path.c_str()) == 0; }

bool FileCanBeOpened(const std::string& path) {
  int err = 0;
  std::FILE* f = OpenForReading(path, err);
  if (f == nullptr) return false;
  std::fclose(f);
  return true;
}
