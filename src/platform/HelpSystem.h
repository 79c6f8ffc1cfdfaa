#pragma once

#include <string>

namespace melodex {

// The platform's help program.
class HelpSystem {
 public:
  virtual ~HelpSystem() = default;
  // Opens a topic of a help file. False when the platform has no help program for such
  // files or the file cannot be found: the caller then helps the user another way.
  virtual bool ShowTopic(const std::wstring& helpFile, unsigned context) = 0;
};

}  // namespace melodex
