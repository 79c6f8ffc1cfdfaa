#pragma once

#include <set>
#include <string>
#include <vector>

#include "platform/Processes.h"

namespace melodex {

class InMemoryFileSystem;

// Program starts for tests: a program is a file of an in-memory file system, and every
// start is written down instead of run.
class InMemoryProcesses : public Processes {
 public:
  explicit InMemoryProcesses(const InMemoryFileSystem& files) : files_(files) {}

  struct Started {
    std::wstring program;      // the program file that was run
    std::wstring commandLine;  // what it was given as its command line
    bool operator==(const Started&) const = default;
  };
  // Every program started, in order.
  std::vector<Started> started;

  // Starts of this program file fail from now on, as a file that is no program or that the
  // system refuses to run would.
  void Refuse(const std::wstring& program);

  bool StartProgram(const std::wstring& program, const std::wstring& arguments) override;

 private:
  const InMemoryFileSystem& files_;
  std::set<std::wstring> refused_;  // letter case folded
};

}  // namespace melodex
