#pragma once

#include <string>
#include <vector>

#include "platform/HelpSystem.h"

namespace melodex {

// A help program that knows the help files it is given and remembers what it showed.
class MemoryHelpSystem : public HelpSystem {
 public:
  bool available = false;
  struct Topic {
    std::wstring file;
    unsigned context;
  };
  std::vector<Topic> shown;

  bool ShowTopic(const std::wstring& helpFile, unsigned context) override {
    if (!available) return false;
    shown.push_back({helpFile, context});
    return true;
  }
};

}  // namespace melodex
