#include "platform/win32/Win32FileSystem.h"

#include <windows.h>

#include "platform/PathRules.h"
#include "platform/win32/Handle.h"
#include "platform/win32/LongPaths.h"
#include "platform/win32/SystemMessage.h"
#include "platform/win32/Win32TextFile.h"

namespace melodex::win32 {
namespace {

constexpr DWORD kSkippedAttributes =
    FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;

// While it lives, a drive without a medium fails the calls of this thread with "not ready"
// instead of bringing up the system's box that asks for a disk, which would block the
// program's window behind it.
class QuietDriveErrors {
 public:
  QuietDriveErrors() {
    SetThreadErrorMode(GetThreadErrorMode() | SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX,
                       &previous_);
  }
  ~QuietDriveErrors() { SetThreadErrorMode(previous_, nullptr); }
  QuietDriveErrors(const QuietDriveErrors&) = delete;
  QuietDriveErrors& operator=(const QuietDriveErrors&) = delete;

 private:
  DWORD previous_ = 0;
};

// Whether the root of the path can be read; when not, `error` says why.
bool RootReadable(const std::wstring& extended, DWORD& error) {
  if (GetFileAttributesW(RootOf(extended).c_str()) != INVALID_FILE_ATTRIBUTES) return true;
  error = GetLastError();
  return false;
}

class Search : public FileSearch {
 public:
  explicit Search(std::wstring pattern) : pattern_(std::move(pattern)) {
    const std::wstring extended = ForSystem(pattern_);
    handle_.Reset(FindFirstFileExW(extended.c_str(), FindExInfoBasic, &data_, FindExSearchNameMatch,
                                   nullptr, FIND_FIRST_EX_LARGE_FETCH));
    if (!handle_) {
      DWORD error = GetLastError();
      // A folder that is not there is an empty listing; a drive or share that cannot be
      // read at all (gone, no medium) is a failure: its folders may well exist.
      if (error == ERROR_PATH_NOT_FOUND && !RootReadable(extended, error)) {
        throw FileSystemError(pattern_, SystemMessage(error));
      }
      if (error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND &&
          error != ERROR_NO_MORE_FILES) {
        throw FileSystemError(pattern_, SystemMessage(error));
      }
    }
    pending_ = static_cast<bool>(handle_);
  }

  bool Next(std::wstring& name) override {
    while (pending_ || Advance()) {
      pending_ = false;
      if (!(data_.dwFileAttributes & kSkippedAttributes)) {
        name.assign(data_.cFileName);
        return true;
      }
    }
    return false;
  }

 private:
  bool Advance() {
    if (!handle_) return false;
    if (FindNextFileW(handle_.Get(), &data_)) return true;
    const DWORD error = GetLastError();
    if (error != ERROR_NO_MORE_FILES) throw FileSystemError(pattern_, SystemMessage(error));
    return false;
  }

  std::wstring pattern_;
  WIN32_FIND_DATAW data_{};
  SearchHandle handle_;
  bool pending_ = false;
};

}  // namespace

std::unique_ptr<FileSearch> Win32FileSystem::FindFiles(const std::wstring& pattern) {
  QuietDriveErrors quiet;
  return std::make_unique<Search>(pattern);
}

std::unique_ptr<TextFile> Win32FileSystem::CreateTextFile(const std::wstring& path) {
  QuietDriveErrors quiet;
  return OpenTextFile(path);
}

bool Win32FileSystem::FileExists(const std::wstring& path) {
  QuietDriveErrors quiet;
  const std::optional<std::wstring> extended = ForSystemIfTaken(path);
  if (!extended) return false;
  const DWORD attributes = GetFileAttributesW(extended->c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & kSkippedAttributes);
}

std::vector<DriveInfo> Win32FileSystem::Drives() {
  QuietDriveErrors quiet;
  // The roots one after another, each ended by a NUL, the last by the string's own.
  const std::wstring roots = GrowingBuffer(
      [](wchar_t* buffer, DWORD size) { return GetLogicalDriveStringsW(size, buffer); });
  std::vector<DriveInfo> drives;
  for (const wchar_t* root = roots.c_str(); *root; root += wcslen(root) + 1) {
    const std::wstring drive = DriveOf(root);
    if (drive.empty()) continue;
    wchar_t label[MAX_PATH + 1] = L"";
    if (!GetVolumeInformationW(root, label, MAX_PATH + 1, nullptr, nullptr, nullptr, nullptr, 0)) {
      label[0] = L'\0';  // no medium, or a network drive that has gone
    }
    drives.push_back({.drive = drive, .label = label});
  }
  return drives;
}

std::vector<std::wstring> Win32FileSystem::SubFolders(const std::wstring& folder) {
  QuietDriveErrors quiet;
  const std::wstring pattern = ForSystem(EnsureTrailingBackslash(folder) + L'*', folder);
  WIN32_FIND_DATAW data{};
  const SearchHandle search(FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &data,
                                             FindExSearchLimitToDirectories, nullptr,
                                             FIND_FIRST_EX_LARGE_FETCH));
  if (!search) {
    const DWORD error = GetLastError();
    // Only the root of an empty volume has not even "." and "..".
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_NO_MORE_FILES) return {};
    throw FileSystemError(folder, SystemMessage(error));
  }
  std::vector<std::wstring> names;
  DWORD error = ERROR_SUCCESS;
  for (bool more = true; more;) {
    const std::wstring_view name = data.cFileName;
    const DWORD attributes = data.dwFileAttributes;
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) &&
        !(attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) && name != L"." &&
        name != L"..") {
      names.emplace_back(name);
    }
    more = FindNextFileW(search.Get(), &data);
    if (!more) error = GetLastError();
  }
  if (error != ERROR_NO_MORE_FILES && error != ERROR_SUCCESS)
    throw FileSystemError(folder, SystemMessage(error));
  return names;
}

// A folder path as the interface hands it out: the drive letter in upper case, and a
// trailing backslash at a root ("C:\", "\\server\share\") only.
std::wstring Win32FileSystem::CurrentFolder() {
  return JoinPath(SplitPath(OrdinaryPath(CurrentDirectory())));
}

std::wstring Win32FileSystem::CurrentFolderOn(const std::wstring& drive) {
  if (drive.empty()) return drive;
  return JoinPath(SplitPath(OrdinaryPath(CurrentDirectoryOn(drive[0]))));
}

}  // namespace melodex::win32
