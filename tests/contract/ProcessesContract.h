#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "platform/Processes.h"

namespace melodex::testing {

// A scratch folder on one implementation of Processes, with programs in it that record
// that they ran.
class ProcessWorkspace {
 public:
  virtual ~ProcessWorkspace() = default;
  virtual Processes& System() = 0;
  // An empty folder to work in: a full path without blanks or a trailing backslash.
  virtual std::wstring Folder() const = 0;
  virtual void MakeFolder(const std::wstring& path) = 0;
  // A program that records its run and its command line.
  virtual void MakeProgram(const std::wstring& path) = 0;
  // A file named like a program that cannot be run.
  virtual void MakeNonProgram(const std::wstring& path) = 0;
  // The file's full path as the system also finds it, by its short name (8.3) or its
  // folders' short names; where the volume keeps no short names, the path itself.
  virtual std::wstring ShortNameOf(const std::wstring& path) = 0;
  // Marks a file hidden and a system file.
  virtual void Hide(const std::wstring& path) = 0;
  // Makes the folder the current folder, for as long as the workspace lasts.
  virtual void MakeCurrent(const std::wstring& folder) = 0;
  // Whether programs can be started from paths of MAX_PATH characters or more: Windows can,
  // Wine 8 cannot in any form.
  virtual bool StartsFromLongPaths() const = 0;
  // The command line the program at `path` ran with, once it has run (started programs
  // run on their own, so this waits for it); nothing when it does not run.
  virtual std::optional<std::wstring> CommandLineOf(const std::wstring& path) = 0;
  // Whether the program at `path` has run by now, without waiting.
  virtual bool HasRun(const std::wstring& path) = 0;
};

struct ProcessWorkspaceMaker {
  std::string name;
  std::function<std::unique_ptr<ProcessWorkspace>()> make;
};
inline void PrintTo(const ProcessWorkspaceMaker& maker, std::ostream* out) { *out << maker.name; }

class ProcessesContract : public ::testing::TestWithParam<ProcessWorkspaceMaker> {
 protected:
  void SetUp() override {
    workspace = GetParam().make();
    tool = At(L"Program Files\\System Tool\\msinfo32.exe");
    decoy = At(L"Program.exe");
  }
  std::wstring At(const std::wstring& relative) const {
    return workspace->Folder() + L"\\" + relative;
  }
  // A program in a folder with blanks in its path...
  void MakeTool() {
    workspace->MakeFolder(At(L"Program Files"));
    workspace->MakeFolder(At(L"Program Files\\System Tool"));
    workspace->MakeProgram(tool);
  }
  // ...and a decoy where its path has its first blank.
  void PlantDecoy() { workspace->MakeProgram(decoy); }

  std::unique_ptr<ProcessWorkspace> workspace;
  std::wstring tool;
  std::wstring decoy;
};

std::string ProcessWorkspaceName(const ::testing::TestParamInfo<ProcessWorkspaceMaker>& info);

}  // namespace melodex::testing
