#pragma once

#include <optional>
#include <string>

namespace melodex::testing::standin {

// The stand-in program (stand_in.cpp), built beside the test programs, stands in for a
// program that the code under test starts. Run, a copy of it leaves a marker beside itself,
// so that copies under different names tell which of them ran.

// Where the stand-in program is.
std::wstring Program();

// Copies the stand-in program to `path`.
void Copy(const std::wstring& path);

struct Run {
  int show = -1;  // how it was asked to show its window; -1 when it was not told
  std::wstring commandLine;
};
// What the copy at `path` recorded, once it has run; nothing if it does not run within a
// generous while.
std::optional<Run> WaitForRun(const std::wstring& path);
// Whether the copy at `path` has run by now.
bool HasRun(const std::wstring& path);

}  // namespace melodex::testing::standin
