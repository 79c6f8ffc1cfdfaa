#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace e2e {

// The file system as the driver sees it, to set scenes up and to look at what the program
// wrote. Failures to set a scene up throw DriverError.

void MakeFolder(const std::wstring& path);  // with its parents
void RemoveTree(const std::wstring& path);  // quietly; a missing folder is fine
// Empties `path`, creating it if need be.
void FreshFolder(const std::wstring& path);
void WriteBytes(const std::wstring& path, const std::string& bytes);
std::optional<std::string> ReadBytes(const std::wstring& path);
bool Exists(const std::wstring& path);
// The names in a folder (not "." and ".."), in the order the folder keeps them, matching a
// wildcard.
std::vector<std::wstring> Names(const std::wstring& folder, const std::wstring& wildcard = L"*");
void CopyOver(const std::wstring& from, const std::wstring& to);

// Text in the system's ANSI code page, as the program writes its pages.
std::string Ansi(const std::wstring& text);

}  // namespace e2e
