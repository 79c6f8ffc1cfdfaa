#pragma once

#include <optional>
#include <string>

#include "support/Win32Files.h"

namespace melodex::testing::probe {

// Scratch folders are made and removed with MakeScratchFolder, MakeFolder and RemoveTree of
// support/Win32Files.h.

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
