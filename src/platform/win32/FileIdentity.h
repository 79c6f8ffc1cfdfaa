#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "platform/win32/Handle.h"

namespace melodex::win32 {

// Which file a handle or a path leads to: its number on its volume, which stays with the
// file whatever it is renamed to and is never another file's while the file is open. The
// volume's serial number is left out: under Wine, reading it asks the mount manager, half a
// millisecond a time, and the files compared here are reached through the same folders,
// so a file of another volume could only pass for one of them if a volume were mounted, or
// a link made, over one of those folders meanwhile.
struct FileIdentity {
  ULONGLONG number = 0;
  bool operator==(const FileIdentity&) const = default;
};

// How the identity of an open file is read; nothing when the system cannot tell it.
using IdentityReader = std::optional<FileIdentity> (*)(HANDLE file);

std::optional<FileIdentity> IdentityOf(HANDLE file);
// Of the file or folder the path leads to now; nothing when it leads nowhere.
std::optional<FileIdentity> IdentityAt(const std::wstring& path, IdentityReader read = IdentityOf);

// A file or folder opened only to look at it; empty when it cannot be.
Handle OpenToLookAt(const std::wstring& path);

}  // namespace melodex::win32
