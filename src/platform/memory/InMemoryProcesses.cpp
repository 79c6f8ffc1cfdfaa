#include "platform/memory/InMemoryProcesses.h"

#include <cwctype>

#include "platform/memory/InMemoryFileSystem.h"

namespace melodex {
namespace {

std::wstring Upper(std::wstring text) {
  for (wchar_t& c : text) c = static_cast<wchar_t>(std::towupper(c));
  return text;
}

bool HasExtension(const std::wstring& name) {
  const std::size_t slash = name.find_last_of(L"\\/");
  const std::size_t dot = name.find_last_of(L'.');
  return dot != std::wstring::npos && (slash == std::wstring::npos || dot > slash);
}

}  // namespace

void InMemoryProcesses::Refuse(const std::wstring& program) { refused_.insert(Upper(program)); }

bool InMemoryProcesses::IsFile(const std::wstring& path) const {
  return !path.empty() && files_.ReadFile(path).has_value();
}

bool InMemoryProcesses::Start(const std::wstring& program, const std::wstring& commandLine) {
  if (refused_.contains(Upper(program))) return false;
  started.push_back({program, commandLine});
  return true;
}

bool InMemoryProcesses::StartProgram(const std::wstring& path) {
  if (!IsFile(path)) return false;
  return Start(path, L"\"" + path + L"\"");
}

bool InMemoryProcesses::StartCommandLine(const std::wstring& commandLine) {
  // The program file a name stands for: the name with ".exe" added when it has no
  // extension of its own, else the name itself.
  const auto find = [this](const std::wstring& name) -> std::wstring {
    if (!HasExtension(name) && IsFile(name + L".exe")) return name + L".exe";
    return IsFile(name) ? name : L"";
  };

  if (commandLine.starts_with(L'"')) {
    const std::size_t close = commandLine.find(L'"', 1);
    const std::wstring program =
        find(commandLine.substr(1, close == std::wstring::npos ? std::wstring::npos : close - 1));
    return !program.empty() && Start(program, commandLine);
  }
  // Unquoted: the words up to the first blank, then up to the second, and so on; the first
  // run that names a program file wins, whatever the rest of the line was meant to be.
  std::size_t end = 0;
  while (end < commandLine.size()) {
    end = commandLine.find_first_of(L" \t", end + 1);
    if (end == std::wstring::npos) end = commandLine.size();
    const std::wstring program = find(commandLine.substr(0, end));
    if (!program.empty()) return Start(program, commandLine);
  }
  return false;
}

}  // namespace melodex
