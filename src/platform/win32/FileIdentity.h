#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace melodex::win32 {

// Which file a handle or a path leads to: the serial number of its volume and its number on
// that volume, which stay with the file whatever it is renamed to.
struct FileIdentity {
  DWORD volume = 0;
  ULONGLONG number = 0;
  bool operator==(const FileIdentity&) const = default;
};

std::optional<FileIdentity> IdentityOf(HANDLE file);
// Of the file or folder the path leads to now; nothing when it leads nowhere.
std::optional<FileIdentity> IdentityAt(const std::wstring& path);

// A file or folder opened only to look at it, or INVALID_HANDLE_VALUE.
HANDLE OpenToLookAt(const std::wstring& path);

}  // namespace melodex::win32
