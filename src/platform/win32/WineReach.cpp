#include "platform/win32/WineReach.h"

#include "platform/PathRules.h"
#include "platform/win32/LongPaths.h"

namespace melodex::win32 {

WineReach::WineReach(std::wstring path) : path_(std::move(path)) {
  if (!RunningOnWine()) return;
  for (std::wstring folder = FolderOf(path_); !folder.empty();) {
    folders_.emplace_back(folder.size(), IdentityAt(folder));
    std::wstring above = FolderOf(folder);
    if (above == folder) break;  // the root
    folder = std::move(above);
  }
}

ReachedFile WineReach::Reach(HANDLE file, const std::optional<FileIdentity>& identity) const {
  if (!RunningOnWine()) return {file, false};
  if (!identity) return {};
  if (IdentityAt(path_) == identity) return {file, false};
  for (const auto& [length, was] : folders_) {
    const HANDLE folder = OpenToLookAt(path_.substr(0, length));
    if (folder == INVALID_HANDLE_VALUE) continue;
    if (!was || IdentityOf(folder) != was) {
      CloseHandle(folder);
      continue;
    }
    FILE_ID_DESCRIPTOR id{.dwSize = sizeof(FILE_ID_DESCRIPTOR), .Type = FileIdType};
    id.FileId.QuadPart = static_cast<LONGLONG>(identity->number);
    const HANDLE found =
        OpenFileById(folder, &id, DELETE | FILE_READ_ATTRIBUTES,
                     FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, 0);
    CloseHandle(folder);
    // Wine looks for the number on the folder's own volume only.
    return {found, true};
  }
  return {};
}

}  // namespace melodex::win32
