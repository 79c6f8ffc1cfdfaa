#pragma once

#include "platform/HelpSystem.h"

namespace melodex::win32 {

// Help files of the old Windows help program (.HLP), opened with WinHelp where that program
// exists; current Windows no longer ships it.
class Win32HelpSystem : public HelpSystem {
 public:
  bool ShowTopic(const std::wstring& helpFile, unsigned context) override;
};

}  // namespace melodex::win32
