#pragma once

#include "platform/FileSystem.h"

namespace melodex::win32 {

// The characters a code page of the system holds, and those of the ANSI code page that
// pages are written in.
CodePage CodePageOf(unsigned codePage);
CodePage AnsiCodePage();

// The file system of Windows, for paths of any length. Pages are written in the ANSI code
// page to a file of the program's own beside the target and put in its place only once
// complete, with ReplaceFileW where a page was before. A drive without a medium fails like
// any other unreadable drive: the system is told not to ask the user to insert one.
class Win32FileSystem : public FileSystem {
 public:
  std::unique_ptr<FileSearch> FindFiles(const std::wstring& pattern) override;
  std::unique_ptr<TextFile> CreateTextFile(const std::wstring& path) override;
  bool FileExists(const std::wstring& path) override;
  std::vector<DriveInfo> Drives() override;
  std::vector<std::wstring> SubFolders(const std::wstring& folder) override;
  std::wstring CurrentFolder() override;
  std::wstring CurrentFolderOn(const std::wstring& drive) override;
};

}  // namespace melodex::win32
