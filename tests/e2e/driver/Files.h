#pragma once

#include <string>

#include "support/Win32Files.h"

namespace e2e {

// The file system as the driver sees it, to set scenes up and to look at what the program
// wrote: the tests' own folder helpers, where a scene that cannot be set up throws
// DriverError.

using melodex::testing::Exists;
using melodex::testing::ListFolder;
using melodex::testing::ReadBytes;
using melodex::testing::RemoveTree;

void MakeFolder(const std::wstring& path);  // with its parents
// Empties `path`, creating it if need be.
void FreshFolder(const std::wstring& path);
void WriteBytes(const std::wstring& path, const std::string& bytes);
void CopyOver(const std::wstring& from, const std::wstring& to);

// Text in the system's ANSI code page, as the program writes its pages.
std::string Ansi(const std::wstring& text);

}  // namespace e2e
