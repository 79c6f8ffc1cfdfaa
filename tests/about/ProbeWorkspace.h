#pragma once

#include <optional>
#include <string>

namespace melodex::testing::probe {

// A new, empty folder under the system's temporary folder; its path has no blanks.
std::wstring MakeScratchFolder(const std::wstring& prefix);
void MakeFolder(const std::wstring& path);
// Deletes a folder and everything in it, waiting a little for programs that still end.
void RemoveTree(const std::wstring& folder);

// Copies the probe program (built beside this test program) to `path`. Run, the copy
// leaves a marker beside itself.
void CopyProbe(const std::wstring& path);

struct Run {
  int show = -1;  // how it was asked to show its window; -1 when it was not told
  std::wstring commandLine;
};
// What the probe copy at `path` recorded, once it has run; nothing if it does not run
// within a generous while.
std::optional<Run> WaitForRun(const std::wstring& path);
// Whether the probe copy at `path` has run by now.
bool HasRun(const std::wstring& path);

}  // namespace melodex::testing::probe
