#include "platform/memory/InMemoryProcesses.h"

#include "platform/PathRules.h"
#include "platform/memory/InMemoryFileSystem.h"

namespace melodex {

void InMemoryProcesses::Refuse(const std::wstring& program) { refused_.insert(FoldCase(program)); }

bool InMemoryProcesses::StartProgram(const std::wstring& program, const std::wstring& arguments) {
  const auto commandLine = ProgramCommandLine(program, arguments);
  if (!commandLine) return false;
  // The file the system opens for the name: "/" read as "\", "." and ".." resolved, trailing
  // dots and blanks dropped. A full path never asks for the current folders.
  const std::wstring extended =
      ExtendedLengthPath(program, {.current = [] { return std::wstring(); },
                                   .onDrive = [](wchar_t) { return std::wstring(); }});
  if (SystemRefusal(extended) != PathRefusal::kNone || !IsProgramFileName(extended)) return false;
  const std::wstring file = OrdinaryPath(extended);
  if (!files_.ReadFile(file) || refused_.contains(FoldCase(file))) return false;
  started.push_back({file, *commandLine});
  return true;
}

}  // namespace melodex
