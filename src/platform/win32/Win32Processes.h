#pragma once

#include "platform/Processes.h"

namespace melodex::win32 {

// Programs started with CreateProcessW, each in a normal window that takes the focus. The
// handles of a started program are let go at once: it runs on its own.
class Win32Processes : public Processes {
 public:
  bool StartProgram(const std::wstring& program, const std::wstring& arguments) override;
};

}  // namespace melodex::win32
