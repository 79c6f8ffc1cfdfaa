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
  std::optional<ProgramStart> start = FindProgram(
      program, arguments,
      [this](const std::wstring& extended) { return LongName(OrdinaryPath(extended)); });
  if (!start || !files_.ReadFile(start->file) || refused_.contains(FoldCase(start->file))) {
    return false;
  }
  started.push_back({std::move(start->file), std::move(start->commandLine)});
  return true;
}

}  // namespace melodex
