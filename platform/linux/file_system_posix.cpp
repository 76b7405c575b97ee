#include "platform/file_system.h"
#include "platform/unfinished_write.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <vector>

namespace {

thread_local int lastError = 0;

FileError ErrorFromErrno(int err) {
  lastError = err;
  if (err == ENOENT || err == ENOTDIR || err == ENAMETOOLONG) return FileError::kNotFound;
  // A full disk or quota can refuse even the empty working file.
  if (err == ENOSPC || err == EDQUOT || err == EFBIG || err == EIO) return FileError::kWriteFailed;
  return FileError::kAccessDenied;
}

// Closes a descriptor on every way out.
class Descriptor {
 public:
  explicit Descriptor(int fd) : fd_(fd) {}
  ~Descriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  int Get() const { return fd_; }
  // Closes now; false when the close reported an error (a write that failed late).
  bool Close() {
    const int fd = fd_;
    fd_ = -1;
    return ::close(fd) == 0;
  }

 private:
  int fd_;
};

bool WriteAll(int fd, const std::string& bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<std::size_t>(n);
  }
  return true;
}

// The folder holding `path`, for the temporary file and the folder's own flush.
std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

// `path` up to and with its last separator ("" for a bare name), and the name after it.
std::string FolderPart(const std::string& path) { return path.substr(0, path.rfind('/') + 1); }
std::string NamePart(const std::string& path) { return path.substr(path.rfind('/') + 1); }

// Removes the temporary files that writes of `path` left when their process was killed; those
// of a game still running are its own business.
void RemoveUnfinishedWrites(const std::string& path) {
  const std::string folder = FolderPart(path);
  DIR* const listing = ::opendir(folder.empty() ? "." : folder.c_str());
  if (listing == nullptr) return;
  while (const dirent* entry = ::readdir(listing)) {
    const std::optional<unsigned long> writer = UnfinishedWriter(entry->d_name, NamePart(path));
    if (!writer) continue;
    const bool valid = *writer > 0 && *writer <= 0x7FFFFFFFul;
    const auto process = static_cast<pid_t>(*writer);
    const bool ended = !valid || process == ::getpid() || (::kill(process, 0) != 0 && errno == ESRCH);
    if (ended) ::unlink((folder + entry->d_name).c_str());
  }
  ::closedir(listing);
}

// The value of the environment variable `name` when it is an absolute path, else empty.
std::string AbsoluteDirFromEnv(const char* name) {
  const char* value = std::getenv(name);
  if (value == nullptr || value[0] != '/') return {};
  std::string dir = value;
  if (dir.back() != '/') dir += '/';
  return dir;
}

// Makes `folder` (ending with '/') and the parents it lacks, private to the user as the XDG
// base directories are; false with lastError set when one cannot be made.
bool MakeFolders(const std::string& folder) {
  for (std::size_t slash = folder.find('/', 1); slash != std::string::npos;
       slash = folder.find('/', slash + 1)) {
    const std::string part = folder.substr(0, slash);
    if (::mkdir(part.c_str(), 0700) != 0 && errno != EEXIST) {
      lastError = errno;
      return false;
    }
  }
  struct stat st {};
  if (::stat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) {
    lastError = ENOTDIR;
    return false;
  }
  return true;
}

}  // namespace

FileBytes ReadWholeFile(const std::string& path, std::size_t limit) {
  // Non-blocking, so that a pipe planted under a level's name cannot hang the game.
  Descriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
  if (fd.Get() < 0) return {ErrorFromErrno(errno), {}};
  struct stat st {};
  // Only regular files are read: a folder, a pipe or a device is no file of the game's.
  if (::fstat(fd.Get(), &st) != 0) return {ErrorFromErrno(errno), {}};
  if (!S_ISREG(st.st_mode)) return {ErrorFromErrno(S_ISDIR(st.st_mode) ? EISDIR : EACCES), {}};
  if (static_cast<std::uintmax_t>(st.st_size) > limit) {
    lastError = EFBIG;
    return {FileError::kTooLarge, {}};
  }
  FileBytes result;
  std::vector<char> chunk(64 * 1024);
  for (;;) {
    const ssize_t n = ::read(fd.Get(), chunk.data(), chunk.size());
    if (n < 0 && (errno == EINTR || errno == EAGAIN)) continue;
    if (n < 0) return {ErrorFromErrno(errno), {}};
    if (n == 0) return result;
    // The file may have grown since it was measured.
    if (result.bytes.size() + static_cast<std::size_t>(n) > limit) {
      lastError = EFBIG;
      return {FileError::kTooLarge, {}};
    }
    result.bytes.append(chunk.data(), static_cast<std::size_t>(n));
  }
}

FileError ReplaceFile(const std::string& path, const std::string& bytes, bool privateFile) {
  if (privateFile) {
    struct stat st {};
    // A link or a stranger's file under the snapshot's name is not written through.
    if (::lstat(path.c_str(), &st) == 0 && (!S_ISREG(st.st_mode) || st.st_uid != ::getuid())) {
      lastError = EACCES;
      return FileError::kAccessDenied;
    }
  } else {
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0 && !S_ISREG(st.st_mode)) {
      lastError = S_ISDIR(st.st_mode) ? EISDIR : EACCES;
      return FileError::kAccessDenied;
    }
  }
  RemoveUnfinishedWrites(path);
  const std::string temp = FolderPart(path) + UnfinishedWriteName(NamePart(path), ::getpid());
  // A name planted where the temporary file goes, a link above all, is not written through.
  Descriptor fd(::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600));
  if (fd.Get() < 0) return ErrorFromErrno(errno);
  const bool written = ::fchmod(fd.Get(), privateFile ? 0600 : 0644) == 0 &&
                       WriteAll(fd.Get(), bytes) && ::fsync(fd.Get()) == 0;
  const int writeError = errno;
  if (!fd.Close() || !written) {
    ::unlink(temp.c_str());
    lastError = written ? EIO : writeError;
    return FileError::kWriteFailed;
  }
  if (::rename(temp.c_str(), path.c_str()) != 0) {
    const int err = errno;
    ::unlink(temp.c_str());
    return ErrorFromErrno(err);
  }
  // The new name itself must reach the disk, not only the bytes.
  Descriptor folder(::open(FolderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (folder.Get() >= 0) ::fsync(folder.Get());
  return FileError::kNone;
}

bool RemoveFile(const std::string& path) { return ::unlink(path.c_str()) == 0; }

bool IsReadableFile(const std::string& path) {
  Descriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
  struct stat st {};
  return fd.Get() >= 0 && ::fstat(fd.Get(), &st) == 0 && S_ISREG(st.st_mode);
}

std::optional<std::string> ProgramFolder() {
  std::string path(PATH_MAX, '\0');
  const ssize_t length = ::readlink("/proc/self/exe", path.data(), path.size());
  if (length <= 0 || static_cast<std::size_t>(length) >= path.size()) {
    lastError = length < 0 ? errno : ENAMETOOLONG;
    return std::nullopt;
  }
  path.resize(static_cast<std::size_t>(length));
  return path.substr(0, path.rfind('/') + 1);
}

bool EnterFolder(const std::string& folder) {
  if (::chdir(folder.c_str()) == 0) return true;
  lastError = errno;
  return false;
}

std::string CurrentFolder() {
  std::string buffer(PATH_MAX, '\0');
  if (::getcwd(buffer.data(), buffer.size()) == nullptr) return "./";
  buffer.resize(std::strlen(buffer.c_str()));
  return buffer.back() == '/' ? buffer : buffer + "/";
}

bool IsAbsolutePath(const std::string& path) { return !path.empty() && path[0] == '/'; }

std::string DefaultSnapshotPath() {
  // The per-user runtime folder is private already; the shared temporary folder needs the user
  // in the name so that two players on one machine keep apart.
  if (const std::string runtime = AbsoluteDirFromEnv("XDG_RUNTIME_DIR"); !runtime.empty()) {
    return runtime + "Kolbrin.tmp";
  }
  std::string temp = AbsoluteDirFromEnv("TMPDIR");
  if (temp.empty()) temp = "/tmp/";
  return temp + "Kolbrin-" + std::to_string(::getuid()) + ".tmp";
}

std::optional<std::string> ConfigFolder(bool make) {
  std::string base = AbsoluteDirFromEnv("XDG_CONFIG_HOME");
  if (base.empty()) {
    const std::string home = AbsoluteDirFromEnv("HOME");
    if (home.empty()) {
      lastError = ENOENT;
      return std::nullopt;
    }
    base = home + ".config/";
  }
  const std::string folder = base + "quillmere/";
  if (!make) return folder;
  // Each folder on the way, as mkdir -p: only the user reads his settings' folder.
  for (std::size_t slash = folder.find('/', 1); slash != std::string::npos;
       slash = folder.find('/', slash + 1)) {
    if (::mkdir(folder.substr(0, slash).c_str(), 0700) != 0 && errno != EEXIST) {
      lastError = errno;
      return std::nullopt;
    }
  }
  return folder;
}

std::optional<std::string> PlayerDataFolder() {
  std::string base = AbsoluteDirFromEnv("XDG_DATA_HOME");
  if (base.empty()) {
    const std::string home = AbsoluteDirFromEnv("HOME");
    if (home.empty()) {
      lastError = ENOENT;
      return std::nullopt;
    }
    base = home + ".local/share/";
  }
  const std::string folder = base + "quillmere/";
  if (!MakeFolders(folder)) return std::nullopt;
  return folder;
}

std::string PathInUtf8(const std::string& path) { return path; }

// The untranslated text: the game's messages are code page 1251 inside, and a translation
// would arrive in the locale's UTF-8.
std::string LastFileErrorText() { return strerrordesc_np(lastError); }
