#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace melodex::testing {

// Setting up and looking at real folders with plain Win32 calls, for tests that must not
// go through the code they test.

// A path in the form the file calls take at any length ("\\?\C:\..." once it is long).
std::wstring Extended(const std::wstring& path);
// A new, empty folder under the system's temporary folder, named after `prefix`. Its path has
// no blanks (tests plant programs where a blank in a path would lead Windows).
std::wstring MakeScratchFolder(const std::wstring& prefix);
// Makes the folder and any of its parents that are missing; true when it is there then.
bool MakeFolder(const std::wstring& path);
// Creates or replaces a file with the bytes, then gives it the attributes.
bool WriteBytes(const std::wstring& path, const std::string& bytes = "",
                DWORD attributes = FILE_ATTRIBUTE_NORMAL);
std::optional<std::string> ReadBytes(const std::wstring& path);
bool Exists(const std::wstring& path);
// The names in the folder that match the wildcard, hidden ones too (not "." and ".."), in
// the folder's own order.
std::vector<std::wstring> ListFolder(const std::wstring& folder,
                                     const std::wstring& wildcard = L"*");
// The system's own words for an error code, without the line break that ends them.
std::wstring SystemReason(DWORD error);
// Deletes the folder and everything in it, waiting a little for programs that still end. A
// folder that is not there is fine.
void RemoveTree(const std::wstring& folder);

}  // namespace melodex::testing
