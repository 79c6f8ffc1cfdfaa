#include "platform/memory/InMemoryProcesses.h"

#include "platform/PathRules.h"
#include "platform/memory/InMemoryFileSystem.h"

namespace melodex {

void InMemoryProcesses::Refuse(const std::wstring& program) { refused_.insert(FoldCase(program)); }

void InMemoryProcesses::AddShortName(const std::wstring& path, const std::wstring& shortName) {
  PathParts parts = SplitPath(path);
  if (parts.folders.empty()) return;
  const std::wstring name = std::move(parts.folders.back());
  parts.folders.back() = shortName;
  longNames_[FoldCase(JoinPath(parts))] = name;
}

std::optional<std::wstring> InMemoryProcesses::LongName(const std::wstring& path) const {
  const PathParts given = SplitPath(path);
  PathParts resolved{.root = given.root};
  for (const std::wstring& name : given.folders) {
    const std::wstring folder = JoinPath(resolved);
    std::optional<std::wstring> held;
    for (std::wstring& entry : files_.ListFolder(folder)) {
      if (SameName(entry, name)) held = std::move(entry);
    }
    if (!held) {
      resolved.folders.push_back(name);
      const auto found = longNames_.find(FoldCase(JoinPath(resolved)));
      if (found == longNames_.end()) return std::nullopt;
      held = found->second;
      resolved.folders.pop_back();
    }
    resolved.folders.push_back(std::move(*held));
  }
  return JoinPath(resolved);
}

bool InMemoryProcesses::StartProgram(const std::wstring& program, const std::wstring& arguments) {
  if (!ProgramCommandLine(program, arguments)) return false;
  // The file the system opens for the name: "/" read as "\", "." and ".." resolved, trailing
  // dots and blanks dropped, then known by its long name. A full path never asks for the
  // current folders.
  const std::wstring extended =
      ExtendedLengthPath(program, {.current = [] { return std::wstring(); },
                                   .onDrive = [](wchar_t) { return std::wstring(); }});
  if (SystemRefusal(extended) != PathRefusal::kNone || !IsProgramFileName(extended)) return false;
  const std::optional<std::wstring> file = LongName(OrdinaryPath(extended));
  if (!file || !IsProgramFileName(*file) || !files_.ReadFile(*file) ||
      refused_.contains(FoldCase(*file))) {
    return false;
  }
  started.push_back({*file, *ProgramCommandLine(*file, arguments)});
  return true;
}

}  // namespace melodex
