#pragma once

#include "platform/FileSystem.h"

namespace melodex::win32 {

// The file system of Windows. Pages are written in the ANSI code page to a temporary file
// beside the target and moved over it only once complete.
class Win32FileSystem : public FileSystem {
 public:
  std::unique_ptr<FileSearch> FindFiles(const std::wstring& pattern) override;
  std::unique_ptr<TextFile> CreateTextFile(const std::wstring& path) override;
  bool FileExists(const std::wstring& path) override;
};

}  // namespace melodex::win32
