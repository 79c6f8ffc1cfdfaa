#include "platform/win32/FileReplace.h"

namespace melodex::win32 {

DWORD ReplaceKeepingTheOld(const std::wstring& target, const std::wstring& replacement,
                           const std::wstring& backup, ReplaceFileCall replace) {
  // Without a backup name, a replacement that fails after the old file was taken away
  // leaves no old file at all; with one, the old file is always somewhere to go back.
  if (replace(target.c_str(), replacement.c_str(), backup.c_str(), 0, nullptr, nullptr)) {
    DeleteFileW(backup.c_str());
    return ERROR_SUCCESS;
  }
  const DWORD error = GetLastError();
  if (error != ERROR_UNABLE_TO_MOVE_REPLACEMENT_2) {
    // Every other failure, ERROR_UNABLE_TO_MOVE_REPLACEMENT and
    // ERROR_UNABLE_TO_REMOVE_REPLACED among them, leaves both files under their own names.
    return error;
  }
  // The old file went to the backup name and the new one could not follow it: the old one
  // comes back, and then the files stand as after ERROR_UNABLE_TO_MOVE_REPLACEMENT.
  if (!MoveFileExW(backup.c_str(), target.c_str(), MOVEFILE_WRITE_THROUGH)) return GetLastError();
  return ERROR_UNABLE_TO_MOVE_REPLACEMENT;
}

}  // namespace melodex::win32
