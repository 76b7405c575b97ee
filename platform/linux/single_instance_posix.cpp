#include "platform/single_instance.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/file_system.h"

SingleInstance::SingleInstance(const std::string& lockPath, Kind kind) {
  // Opened for reading only: the lock needs no more, and the file is never written.
  const int fd = ::open(lockPath.c_str(), O_RDONLY | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
  if (fd < 0) return;
  struct stat st {};
  // A file someone else planted in a shared folder must not keep this user's game from starting.
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_uid != ::geteuid()) {
    ::close(fd);
    return;
  }
  int taken;
  do {
    taken = ::flock(fd, (kind == Kind::kGame ? LOCK_EX : LOCK_SH) | LOCK_NB);
  } while (taken != 0 && errno == EINTR);
  if (taken == 0) {
    handle_ = fd;  // kept open: the lock lasts as long as the descriptor
    return;
  }
  anotherIsRunning_ = errno == EWOULDBLOCK;
  ::close(fd);
}

SingleInstance::~SingleInstance() {
  if (handle_ >= 0) ::close(static_cast<int>(handle_));
}

std::string DefaultInstanceLockPath() {
  // Beside the snapshot, under the same per-user rule: "Kolbrin" becomes "Quillmere", ".tmp"
  // becomes ".lock".
  std::string path = DefaultSnapshotPath();
  const std::size_t name = path.rfind('/') + 1;
  path.replace(name, 7, "Quillmere");
  path.replace(path.size() - 4, 4, ".lock");
  return path;
}
