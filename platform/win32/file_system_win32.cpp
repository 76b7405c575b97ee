// The game's files on Windows: names are code page 1251 inside the game and UTF-16 at the
// system calls.
#include "platform/file_system.h"

#include <windows.h>
#include <sddl.h>
#include <shlobj.h>
// The game's own ReplaceFile, not the Windows macro for ReplaceFileW.
#undef ReplaceFile

#include <algorithm>
#include <cctype>
#include <cwctype>
#include <memory>
#include <string_view>
#include <vector>

#include "game/cp1251.h"
#include "platform/unfinished_write.h"
#include "platform/win32/game_path.h"
#include "platform/win32/wide_text.h"

namespace {

// Bytes read or written by one system call.
constexpr DWORD kChunk = 1 << 16;
// The game's folder inside the per-user folders of the system.
constexpr wchar_t kGameFolder[] = L"\\Quillmere";
constexpr char kSnapshotName[] = "Kolbrin.tmp";

// The error of the last failed call of this file, kept apart from GetLastError, which the
// clean-up after a failure may overwrite.
thread_local DWORD lastError = ERROR_SUCCESS;

DWORD Remember(DWORD error) {
  lastError = error;
  return error;
}

FileError Classify(DWORD error) {
  switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_NET_NAME:
    case ERROR_FILENAME_EXCED_RANGE:
    case ERROR_DIRECTORY:
      return FileError::kNotFound;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
    case ERROR_WRITE_FAULT:
    case ERROR_WRITE_PROTECT:
      return FileError::kWriteFailed;
    default:
      return FileError::kAccessDenied;
  }
}

struct HandleCloser {
  void operator()(HANDLE handle) const { CloseHandle(handle); }
};
using FileHandle = std::unique_ptr<void, HandleCloser>;

FileHandle Own(HANDLE handle) {
  return FileHandle(handle == INVALID_HANDLE_VALUE ? nullptr : handle);
}

// Opens `path` for reading when it is a regular file on a disk: a folder, a pipe, a console or
// another device is refused before a byte is read, so nothing can make the game wait.
FileHandle OpenRegularFile(const std::string& path, FileError& error) {
  FileHandle file = Own(CreateFileW(WideFromCp1251(path).c_str(), GENERIC_READ,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) {
    error = Classify(Remember(GetLastError()));
    return nullptr;
  }
  BY_HANDLE_FILE_INFORMATION info{};
  if (GetFileType(file.get()) != FILE_TYPE_DISK ||
      !GetFileInformationByHandle(file.get(), &info) ||
      (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
    Remember(ERROR_ACCESS_DENIED);
    error = FileError::kAccessDenied;
    return nullptr;
  }
  error = FileError::kNone;
  return file;
}

bool WriteAll(HANDLE file, std::string_view bytes) {
  while (!bytes.empty()) {
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), kChunk));
    DWORD written = 0;
    if (!WriteFile(file, bytes.data(), chunk, &written, nullptr) || written == 0) return false;
    bytes.remove_prefix(written);
  }
  return true;
}

// The current user's security identifier in its text form, or nothing.
std::optional<std::wstring> CurrentUserSid() {
  HANDLE token = nullptr;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) return std::nullopt;
  const FileHandle owned(token);
  DWORD size = 0;
  GetTokenInformation(token, TokenUser, nullptr, 0, &size);
  std::vector<BYTE> user(size);
  if (size == 0 || !GetTokenInformation(token, TokenUser, user.data(), size, &size)) {
    return std::nullopt;
  }
  wchar_t* text = nullptr;
  if (!ConvertSidToStringSidW(reinterpret_cast<TOKEN_USER*>(user.data())->User.Sid, &text)) {
    return std::nullopt;
  }
  std::wstring sid(text);
  LocalFree(text);
  return sid;
}

// Full access for the user and the system, nobody else, whatever the folder would pass on.
// Without it (the user cannot be named) the file takes the folder's access rules.
class PrivateSecurity {
 public:
  PrivateSecurity() {
    const std::optional<std::wstring> sid = CurrentUserSid();
    if (!sid) return;
    const std::wstring rules = L"D:P(A;;FA;;;" + *sid + L")(A;;FA;;;SY)";
    if (ConvertStringSecurityDescriptorToSecurityDescriptorW(rules.c_str(), SDDL_REVISION_1,
                                                             &descriptor_, nullptr)) {
      attributes_.lpSecurityDescriptor = descriptor_;
    }
  }
  ~PrivateSecurity() { LocalFree(descriptor_); }
  PrivateSecurity(const PrivateSecurity&) = delete;
  PrivateSecurity& operator=(const PrivateSecurity&) = delete;

  SECURITY_ATTRIBUTES* Attributes() { return &attributes_; }

 private:
  PSECURITY_DESCRIPTOR descriptor_ = nullptr;
  SECURITY_ATTRIBUTES attributes_{sizeof(SECURITY_ATTRIBUTES), nullptr, FALSE};
};

// `path` up to and with its last separator ("" for a bare name), and the name after it.
std::string FolderPart(const std::string& path) {
  return path.substr(0, path.find_last_of("\\/") + 1);
}
std::string NamePart(const std::string& path) {
  return path.substr(path.find_last_of("\\/") + 1);
}

// The temporary file beside `path`: unique to this process, so two games never share one.
std::wstring TemporaryBeside(const std::string& path) {
  return WideFromCp1251(FolderPart(path) +
                        UnfinishedWriteName(NamePart(path), GetCurrentProcessId()));
}

bool ProcessHasEnded(DWORD process) {
  if (process == GetCurrentProcessId()) return true;
  const HANDLE handle = OpenProcess(SYNCHRONIZE, FALSE, process);
  if (handle == nullptr) return GetLastError() == ERROR_INVALID_PARAMETER;
  const bool ended = WaitForSingleObject(handle, 0) == WAIT_OBJECT_0;
  CloseHandle(handle);
  return ended;
}

// Removes the temporary files that writes of `path` left when their process was killed; those
// of a game still running are its own business.
void RemoveUnfinishedWrites(const std::string& path) {
  const std::string folder = FolderPart(path);
  const std::string name = NamePart(path);
  WIN32_FIND_DATAW found{};
  const HANDLE search =
      FindFirstFileW(WideFromCp1251(folder + name + kUnfinishedMiddle + "*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return;
  do {
    const std::optional<std::string> entry = Cp1251FromWide(found.cFileName);
    const std::optional<unsigned long> writer =
        entry ? UnfinishedWriter(*entry, name) : std::nullopt;
    if (writer && *writer <= MAXDWORD && ProcessHasEnded(static_cast<DWORD>(*writer))) {
      DeleteFileW(WideFromCp1251(folder + *entry).c_str());
    }
  } while (FindNextFileW(search, &found));
  FindClose(search);
}

std::optional<std::wstring> KnownFolder(REFKNOWNFOLDERID id) {
  PWSTR folder = nullptr;
  const HRESULT result = SHGetKnownFolderPath(id, 0, nullptr, &folder);
  std::optional<std::wstring> path;
  if (SUCCEEDED(result)) path = folder;
  CoTaskMemFree(folder);
  return path;
}

}  // namespace

FileBytes ReadWholeFile(const std::string& path, std::size_t limit) {
  FileBytes result;
  const FileHandle file = OpenRegularFile(path, result.error);
  if (!file) return result;
  LARGE_INTEGER size{};
  if (GetFileSizeEx(file.get(), &size) && static_cast<unsigned long long>(size.QuadPart) > limit) {
    Remember(ERROR_FILE_TOO_LARGE);
    result.error = FileError::kTooLarge;
    return result;
  }
  std::string chunk(kChunk, '\0');
  for (;;) {
    DWORD got = 0;
    if (!ReadFile(file.get(), chunk.data(), kChunk, &got, nullptr)) {
      result.error = Classify(Remember(GetLastError()));
      result.bytes.clear();
      return result;
    }
    if (got == 0) return result;
    // The file may grow while it is read.
    if (result.bytes.size() + got > limit) {
      Remember(ERROR_FILE_TOO_LARGE);
      result.error = FileError::kTooLarge;
      result.bytes.clear();
      return result;
    }
    result.bytes.append(chunk.data(), got);
  }
}

FileError ReplaceFile(const std::string& path, const std::string& bytes, bool privateFile) {
  const std::wstring target = WideFromCp1251(path);
  const DWORD existing = GetFileAttributesW(target.c_str());
  if (existing != INVALID_FILE_ATTRIBUTES &&
      (existing & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) != 0) {
    return Classify(Remember(ERROR_ACCESS_DENIED));
  }
  RemoveUnfinishedWrites(path);
  const std::wstring temporary = TemporaryBeside(path);
  std::optional<PrivateSecurity> security;
  if (privateFile) security.emplace();
  FileError error = FileError::kNone;
  {
    const FileHandle file = Own(CreateFileW(temporary.c_str(), GENERIC_WRITE, 0,
                                            security ? security->Attributes() : nullptr,
                                            CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return Classify(Remember(GetLastError()));
    if (!WriteAll(file.get(), bytes) || !FlushFileBuffers(file.get())) {
      Remember(GetLastError());
      error = FileError::kWriteFailed;
    }
  }
  if (error == FileError::kNone &&
      !MoveFileExW(temporary.c_str(), target.c_str(),
                   MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    error = Classify(Remember(GetLastError()));
  }
  if (error != FileError::kNone) DeleteFileW(temporary.c_str());
  return error;
}

bool RemoveFile(const std::string& path) {
  if (DeleteFileW(WideFromCp1251(path).c_str())) return true;
  Remember(GetLastError());
  return false;
}

bool IsReadableFile(const std::string& path) {
  FileError error = FileError::kNone;
  return OpenRegularFile(path, error) != nullptr;
}

std::optional<std::string> ProgramFolder() {
  std::wstring module(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length =
        GetModuleFileNameW(nullptr, module.data(), static_cast<DWORD>(module.size()));
    if (length == 0) {
      Remember(GetLastError());
      return std::nullopt;
    }
    if (length < module.size()) {
      module.resize(length);
      break;
    }
    module.resize(module.size() * 2);
  }
  const std::size_t separator = module.find_last_of(L"\\/");
  if (separator == std::wstring::npos) return std::nullopt;
  std::optional<std::string> folder = GamePathFromWide(module.substr(0, separator));
  if (!folder) {
    Remember(ERROR_NO_UNICODE_TRANSLATION);
    return std::nullopt;
  }
  return *folder + "\\";
}

bool EnterFolder(const std::string& folder) {
  if (SetCurrentDirectoryW(WideFromCp1251(folder).c_str())) return true;
  Remember(GetLastError());
  return false;
}

std::string CurrentFolder() {
  std::wstring folder(MAX_PATH, L'\0');
  DWORD length = GetCurrentDirectoryW(static_cast<DWORD>(folder.size()), folder.data());
  if (length >= folder.size()) {
    folder.resize(length);
    length = GetCurrentDirectoryW(static_cast<DWORD>(folder.size()), folder.data());
  }
  folder.resize(length < folder.size() ? length : 0);
  const std::optional<std::string> path = folder.empty() ? std::nullopt : GamePathFromWide(folder);
  if (!path) return ".\\";
  return path->back() == '\\' ? *path : *path + "\\";
}

// "C:\…" and "C:/…", "\\server\…", and a path from the root of the current drive ("\…", "/…").
bool IsAbsolutePath(const std::string& path) {
  if (!path.empty() && (path[0] == '\\' || path[0] == '/')) return true;
  return path.size() >= 3 && std::isalpha(static_cast<unsigned char>(path[0])) && path[1] == ':' &&
         (path[2] == '\\' || path[2] == '/');
}

// Nobody but an administrator may write "C:\" on today's Windows: the snapshot lives in the
// user's own local application data, where no other user can read it.
std::string DefaultSnapshotPath() {
  if (const std::optional<std::wstring> appData = KnownFolder(FOLDERID_LocalAppData)) {
    const std::wstring folder = *appData + kGameFolder;
    if (CreateDirectoryW(folder.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS) {
      if (const std::optional<std::string> path = GamePathFromWide(folder)) {
        return *path + "\\" + kSnapshotName;
      }
    }
  }
  // Without it the snapshot stays in the program's folder, the working folder.
  return kSnapshotName;
}

std::optional<std::string> ConfigFolder(bool make) {
  const std::optional<std::wstring> appData = KnownFolder(FOLDERID_RoamingAppData);
  if (!appData) {
    Remember(ERROR_PATH_NOT_FOUND);
    return std::nullopt;
  }
  const std::wstring folder = *appData + kGameFolder;
  if (make && !CreateDirectoryW(folder.c_str(), nullptr) &&
      Remember(GetLastError()) != ERROR_ALREADY_EXISTS) {
    return std::nullopt;
  }
  const std::optional<std::string> path = GamePathFromWide(folder);
  if (!path) return std::nullopt;
  return *path + "\\";
}

std::optional<std::string> PlayerDataFolder() {
  const std::optional<std::wstring> appData = KnownFolder(FOLDERID_RoamingAppData);
  if (!appData) {
    Remember(ERROR_PATH_NOT_FOUND);
    return std::nullopt;
  }
  const std::wstring folder = *appData + kGameFolder;
  if (!CreateDirectoryW(folder.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS) {
    Remember(GetLastError());
    return std::nullopt;
  }
  const std::optional<std::string> path = GamePathFromWide(folder);
  if (!path) {
    Remember(ERROR_NO_UNICODE_TRANSLATION);
    return std::nullopt;
  }
  return *path + "\\";
}

std::string PathInUtf8(const std::string& path) { return Cp1251ToUtf8(path); }

std::string LastFileErrorText() {
  wchar_t* text = nullptr;
  const DWORD length = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, lastError, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  std::wstring message = length > 0 ? std::wstring(text, length)
                                    : L"Windows error " + std::to_wstring(lastError);
  LocalFree(text);
  while (!message.empty() && (iswspace(message.back()) || message.back() == L'.')) {
    message.pop_back();
  }
  return Cp1251FromWideLossy(message);
}
