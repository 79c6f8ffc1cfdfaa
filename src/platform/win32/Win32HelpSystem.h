#pragma once

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "platform/HelpSystem.h"

namespace melodex::win32 {

// Help files of the old Windows help program (.HLP), opened with WinHelp where that program
// exists; current Windows no longer ships it.
class Win32HelpSystem : public HelpSystem {
 public:
  // The folders the help program is looked for in: the Windows folder and the system folder.
  using Folders = std::function<std::vector<std::wstring>()>;
  static std::vector<std::wstring> SystemFolders();

  explicit Win32HelpSystem(Folders folders = SystemFolders) : folders_(std::move(folders)) {}
  bool ShowTopic(const std::wstring& helpFile, unsigned context) override;

 private:
  Folders folders_;
};

}  // namespace melodex::win32
