#include "platform/win32/Win32HelpSystem.h"

#include <windows.h>

#include "platform/win32/LongPaths.h"

namespace melodex::win32 {
namespace {

bool IsFile(const std::wstring& path) {
  const std::optional<std::wstring> extended = ForSystemIfTaken(path);
  if (!extended) return false;
  const DWORD attributes = GetFileAttributesW(extended->c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// The help program itself, winhlp32.exe in one of the folders. Windows 10 and later keep
// only a small stub there that explains help is no longer available; the real program is
// several times larger.
bool HelpProgramPresent(const std::vector<std::wstring>& folders) {
  constexpr DWORD kStubSize = 64 * 1024;
  for (const std::wstring& folder : folders) {
    const std::optional<std::wstring> program = ForSystemIfTaken(folder + L"\\winhlp32.exe");
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (program && GetFileAttributesExW(program->c_str(), GetFileExInfoStandard, &data) &&
        (data.nFileSizeHigh > 0 || data.nFileSizeLow > kStubSize)) {
      return true;
    }
  }
  return false;
}

}  // namespace

std::vector<std::wstring> Win32HelpSystem::SystemFolders() {
  std::vector<std::wstring> folders;
  for (const auto getFolder : {&GetWindowsDirectoryW, &GetSystemDirectoryW}) {
    std::wstring folder =
        GrowingBuffer([&](wchar_t* buffer, DWORD size) { return getFolder(buffer, size); });
    if (!folder.empty()) folders.push_back(std::move(folder));
  }
  return folders;
}

bool Win32HelpSystem::ShowTopic(const std::wstring& helpFile, unsigned context) {
  // The help file is looked for beside the program, in the current folder and along the
  // search path.
  const std::wstring found = GrowingBuffer([&](wchar_t* buffer, DWORD size) {
    return SearchPathW(nullptr, helpFile.c_str(), nullptr, size, buffer, nullptr);
  });
  if (found.empty() || !IsFile(found) || !HelpProgramPresent(folders_())) return false;
  return WinHelpW(GetActiveWindow(), found.c_str(), HELP_CONTEXT, context) != FALSE;
}

}  // namespace melodex::win32
