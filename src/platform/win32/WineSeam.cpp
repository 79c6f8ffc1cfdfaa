#include "platform/win32/WineSeam.h"

#include "platform/PathRules.h"

namespace melodex::win32 {

bool RunningOnWine() {
  static const bool onWine = [] {
    const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll && GetProcAddress(ntdll, "wine_get_version") != nullptr;
  }();
  return onWine;
}

FileCalls SystemFileCalls() {
  return RunningOnWine() ? FileCalls::kGoByPath : FileCalls::kFollowTheHandle;
}

WrittenFile::WrittenFile(FileCalls calls, HANDLE file, std::wstring path, IdentityReader read)
    : calls_(calls), file_(file), path_(std::move(path)), read_(read) {
  if (calls_ == FileCalls::kGoByPath) identity_ = read_(file_);
}

WrittenFile::Reached WrittenFile::Reach() const {
  if (calls_ == FileCalls::kFollowTheHandle) return Reached(file_);
  if (!identity_) return {};
  if (IdentityAt(path_, read_) == identity_) return Reached(file_);
  FILE_ID_DESCRIPTOR id{.dwSize = sizeof(FILE_ID_DESCRIPTOR), .Type = FileIdType};
  id.FileId.QuadPart = static_cast<LONGLONG>(identity_->number);
  int searched = 0;
  for (std::wstring folder = FolderOf(path_); searched < kFoldersSearched;) {
    std::wstring above = FolderOf(folder);
    if (above == folder) break;  // a root
    if (const Handle opened = OpenToLookAt(folder)) {
      ++searched;
      // Wine looks for the number below the folder, on the folder's own volume.
      Handle found(OpenFileById(opened.Get(), &id, DELETE | FILE_READ_ATTRIBUTES,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                0));
      if (found) return Reached(std::move(found));
    }
    folder = std::move(above);
  }
  return {};
}

bool WrittenFile::WorthAnotherTry(DWORD error) const {
  return calls_ == FileCalls::kGoByPath && error == ERROR_FILE_NOT_FOUND;
}

bool WrittenFile::InPlace(const std::wstring& target) const {
  return calls_ == FileCalls::kFollowTheHandle ||
         (identity_ && IdentityAt(target, read_) == identity_);
}

}  // namespace melodex::win32
