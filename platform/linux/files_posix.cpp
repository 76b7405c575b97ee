#include "platform/files.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

#include "game/runtime_error.h"

namespace {

std::string ErrorMessage(int err) {
  switch (err) {
    case ENOENT:
    case ENOTDIR:
    case ENAMETOOLONG:
      return rtl::FileNotFound;
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
    case EIO:
      return rtl::DiskWriteError;
    default:
      return rtl::FileAccessDenied;
  }
}

// Creates the work file: `workPath` replaced, or a new name beside `path` that no file has.
int CreateWorkFile(const std::string& path, const std::string& workPath, std::string& created) {
  if (!workPath.empty()) {
    created = workPath;
    return ::open(workPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  }
  const std::string stem = path + "." + std::to_string(::getpid()) + ".";
  for (int attempt = 0;; ++attempt) {
    created = stem + std::to_string(attempt) + ".tmp";
    const int fd = ::open(created.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0 || errno != EEXIST || attempt == 100) return fd;
  }
}

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

// The rename is only lasting once the folder that holds the file is on the disk too.
void SyncFolderOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  const std::string folder = slash == std::string::npos ? "." : path.substr(0, slash + 1);
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

std::string AbsoluteFolderFromEnv(const char* name) {
  const char* value = std::getenv(name);
  if (value == nullptr || value[0] != '/') return {};
  std::string folder = value;
  if (folder.back() != '/') folder += '/';
  return folder;
}

}  // namespace

bool ReplaceFileContents(const std::string& path, const std::string& bytes,
                         const std::string& workPath) {
  std::string work;
  const int fd = CreateWorkFile(path, workPath, work);
  if (fd < 0) throw RuntimeError(ErrorMessage(errno));
  int err = 0;
  if (!WriteAll(fd, bytes) || ::fsync(fd) != 0) err = errno;
  if (::close(fd) != 0 && err == 0) err = errno;
  if (err != 0) {
    ::unlink(work.c_str());
    throw RuntimeError(rtl::DiskWriteError);
  }
  if (::rename(work.c_str(), path.c_str()) != 0) {
    ::unlink(work.c_str());
    return false;
  }
  SyncFolderOf(path);
  return true;
}

std::string PrivateFilePath(const std::string& stem, const std::string& extension) {
  // The runtime folder belongs to the user alone; the shared temporary folder needs the user
  // in the name so that two players on one machine keep apart.
  if (const std::string runtime = AbsoluteFolderFromEnv("XDG_RUNTIME_DIR"); !runtime.empty()) {
    return runtime + stem + extension;
  }
  std::string temp = AbsoluteFolderFromEnv("TMPDIR");
  if (temp.empty()) temp = "/tmp/";
  return temp + stem + "-" + std::to_string(::getuid()) + extension;
}
