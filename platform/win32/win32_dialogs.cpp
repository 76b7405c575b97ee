#include "platform/win32/win32_dialogs.h"

#include <windows.h>
#include <commdlg.h>

#include <algorithm>
#include <vector>

#include "game/cp1251.h"
#include "platform/win32/game_path.h"
#include "platform/win32/wide_text.h"

namespace {

// Long enough for any path the dialog can return on today's Windows.
constexpr std::size_t kPathBuffer = 32768;
constexpr char kUnspellableName[] =
    "В имени этого файла есть буквы, которых нет в кодировке Windows-1251. "
    "Выберите файл с другим именем.";

// The game opens its files by names relative to the working folder, so a dialog must not move it
// (OFN_NOCHANGEDIR does not hold for every dialog).
class WorkingFolderKeeper {
 public:
  WorkingFolderKeeper() {
    const DWORD length = GetCurrentDirectoryW(0, nullptr);
    folder_.resize(length);
    folder_.resize(GetCurrentDirectoryW(length, folder_.data()));
  }
  ~WorkingFolderKeeper() {
    if (!folder_.empty()) SetCurrentDirectoryW(folder_.c_str());
  }
  WorkingFolderKeeper(const WorkingFolderKeeper&) = delete;
  WorkingFolderKeeper& operator=(const WorkingFolderKeeper&) = delete;

 private:
  std::wstring folder_;
};

// The proposed name of a save dialog may carry the folder it was saved in before.
void Propose(const std::string& fileName, std::vector<wchar_t>& buffer) {
  const std::wstring name = WideFromCp1251(fileName);
  if (name.size() < buffer.size()) std::copy(name.begin(), name.end(), buffer.begin());
}

}  // namespace

std::wstring BoxText(const std::string& cp1251) {
  const std::wstring wide = WideFromCp1251(cp1251);
  std::wstring text;
  for (std::size_t i = 0; i < wide.size(); ++i) {
    const wchar_t c = wide[i];
    if (c == L'\r' && i + 1 < wide.size() && wide[i + 1] == L'\n') {
      text += L"\r\n";
      ++i;
    } else if (c == L'\r' || c == L'\n') {
      text += L"\r\n";
    } else {
      text += c;
    }
  }
  return text;
}

std::wstring DialogFilter(const std::string& filterCp1251) {
  if (filterCp1251.empty()) return std::wstring(2, L'\0');
  std::wstring filter = WideFromCp1251(filterCp1251);
  for (wchar_t& c : filter) {
    if (c == L'|') c = L'\0';
  }
  // A description without patterns would take the next entry's description as its pattern.
  const std::size_t parts = 1 + static_cast<std::size_t>(std::count(filter.begin(), filter.end(), L'\0'));
  if (parts % 2 != 0) filter += std::wstring(1, L'\0') + L"*";
  filter += L'\0';
  filter += L'\0';
  return filter;
}

void ShowMessageBoxWin32(HWND owner, const std::string& caption, const std::string& text) {
  MessageBoxW(owner, BoxText(text).c_str(), WideFromCp1251(caption).c_str(),
              MB_OK | MB_SETFOREGROUND);
}

QuestionAnswer AskQuestionWin32(HWND owner, const std::string& caption, const std::string& text) {
  switch (MessageBoxW(owner, BoxText(text).c_str(), WideFromCp1251(caption).c_str(),
                      MB_YESNOCANCEL | MB_ICONQUESTION | MB_SETFOREGROUND)) {
    case IDYES:
      return QuestionAnswer::kSave;
    case IDNO:
      return QuestionAnswer::kDiscard;
    default:
      return QuestionAnswer::kStay;
  }
}

std::optional<std::string> RunFileDialogWin32(HWND owner, FileDialogMode mode,
                                              const FileDialogSetup& setup,
                                              const std::string& caption) {
  const WorkingFolderKeeper keepWorkingFolder;
  const std::wstring filter = DialogFilter(setup.filter);
  const std::wstring initialFolder = WideFromCp1251(setup.initialFolder);
  std::vector<wchar_t> file(kPathBuffer, L'\0');
  if (mode == FileDialogMode::kSave) Propose(setup.fileName, file);

  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof(dialog);
  dialog.hwndOwner = owner;
  dialog.lpstrFilter = filter.c_str();
  dialog.nFilterIndex = 1;
  dialog.lpstrFile = file.data();
  dialog.nMaxFile = static_cast<DWORD>(file.size());
  dialog.lpstrInitialDir = initialFolder.empty() ? nullptr : initialFolder.c_str();
  dialog.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_PATHMUSTEXIST;
  for (;;) {
    BOOL chosen = FALSE;
    if (mode == FileDialogMode::kOpen) {
      dialog.Flags |= OFN_FILEMUSTEXIST;
      chosen = GetOpenFileNameW(&dialog);
    } else {
      chosen = GetSaveFileNameW(&dialog);
    }
    if (!chosen) return std::nullopt;
    if (std::optional<std::string> path = GamePathFromWide(file.data())) return path;
    ShowMessageBoxWin32(owner, caption, Utf8ToCp1251(kUnspellableName));
  }
}
