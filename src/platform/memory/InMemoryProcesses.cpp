#include "platform/memory/InMemoryProcesses.h"

#include <cwctype>

#include "platform/ExtendedPath.h"
#include "platform/memory/InMemoryFileSystem.h"

namespace melodex {
namespace {

std::wstring Upper(std::wstring text) {
  for (wchar_t& c : text) c = static_cast<wchar_t>(std::towupper(c));
  return text;
}

}  // namespace

void InMemoryProcesses::Refuse(const std::wstring& program) { refused_.insert(Upper(program)); }

bool InMemoryProcesses::StartProgram(const std::wstring& program, const std::wstring& arguments) {
  const auto commandLine = ProgramCommandLine(program, arguments);
  if (!commandLine) return false;
  // The file the system opens for the name: "/" read as "\", "." and ".." resolved, trailing
  // dots and blanks dropped. A full path never asks for the current folders.
  const std::wstring file = OrdinaryPath(
      ExtendedLengthPath(program, {.current = [] { return std::wstring(); },
                                   .onDrive = [](wchar_t) { return std::wstring(); }}));
  if (!files_.ReadFile(file) || refused_.contains(Upper(file))) return false;
  started.push_back({file, *commandLine});
  return true;
}

}  // namespace melodex
