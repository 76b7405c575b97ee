#include "platform/single_instance.h"

#include <windows.h>

#include "platform/file_system.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/win32_platform.h"

#undef ReplaceFile

SingleInstance::SingleInstance(const std::string& lockPath, Kind kind) {
  // The system drops the lock with the handle, however the process ends.
  const HANDLE file = CreateFileW(WideFromCp1251(lockPath).c_str(), GENERIC_READ,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  OVERLAPPED whole{};
  const DWORD flags = LOCKFILE_FAIL_IMMEDIATELY | (kind == Kind::kGame ? LOCKFILE_EXCLUSIVE_LOCK : 0);
  if (LockFileEx(file, flags, 0, 1, 0, &whole)) {
    handle_ = reinterpret_cast<std::intptr_t>(file);
    return;
  }
  anotherIsRunning_ = GetLastError() == ERROR_LOCK_VIOLATION;
  CloseHandle(file);
}

SingleInstance::~SingleInstance() {
  if (handle_ != -1) CloseHandle(reinterpret_cast<HANDLE>(handle_));
}

std::string DefaultInstanceLockPath() {
  // Beside the snapshot: "Kolbrin.tmp" becomes "Quillmere.lock".
  std::string path = DefaultSnapshotPath();
  const std::size_t slash = path.find_last_of("\\/");
  return path.substr(0, slash == std::string::npos ? 0 : slash + 1) + "Quillmere.lock";
}

void ShowMessageWithoutWindow(const std::string& caption, const std::string& text) {
  MessageBoxW(nullptr, WideFromCp1251(text).c_str(), WideFromCp1251(caption).c_str(),
              MB_OK | MB_ICONWARNING);
}
