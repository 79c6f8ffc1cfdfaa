#pragma once

#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/Processes.h"

namespace melodex {

class InMemoryFileSystem;

// Program starts for tests: a program is a file of an in-memory file system, and every
// start is written down instead of run. Like the system, it starts a program by the file's
// long name, each name spelt as its folder holds it.
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

  // The 8.3 name by which the system also finds the file or folder at `path` (a full path),
  // in the same folder: "PROG~PAH.EXE" for "prog.exec".
  void AddShortName(const std::wstring& path, const std::wstring& shortName);

  bool StartProgram(const std::wstring& program, const std::wstring& arguments) override;

 private:
  // The path with every name as its folder holds it, a short name as the long name it
  // stands for; nothing when a name is not there.
  std::optional<std::wstring> LongName(const std::wstring& path) const;

  const InMemoryFileSystem& files_;
  std::set<std::wstring> refused_;  // letter case folded
  // The long name of an entry by its folder and short name, "C:\Tools\PROG~PAH.EXE",
  // letter case folded.
  std::map<std::wstring, std::wstring> longNames_;
};

}  // namespace melodex
