#pragma once

#include "platform/FileSystem.h"
#include "platform/win32/Win32TextFile.h"

namespace melodex::win32 {

// The file system of Windows, for paths of any length; its pages are those of
// Win32TextFile.h. A drive without a medium fails like any other unreadable drive: the
// system is told not to ask the user to insert one.
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
