#include "platform/Processes.h"

#include "platform/PathRules.h"

namespace melodex {
namespace {

std::optional<std::wstring> CommandLine(std::wstring_view program, std::wstring_view arguments) {
  if (!IsFullPath(program) || program.find(L'\0') != std::wstring_view::npos ||
      arguments.find(L'\0') != std::wstring_view::npos) {
    return std::nullopt;
  }
  std::wstring line = L"\"";
  line.append(program).push_back(L'"');
  if (!arguments.empty()) line.append(L" ").append(arguments);
  return line;
}

}  // namespace

std::optional<ProgramStart> FindProgram(
    const std::wstring& program, const std::wstring& arguments,
    const std::function<std::optional<std::wstring>(const std::wstring& extended)>& longName) {
  // A name that makes no command line is not looked up at all; a full path never asks for
  // the current folders.
  if (!CommandLine(program, arguments)) return std::nullopt;
  const std::wstring extended =
      ExtendedLengthPath(program, {.current = [] { return std::wstring(); },
                                   .onDrive = [](wchar_t) { return std::wstring(); }});
  if (SystemRefusal(extended) != PathRefusal::kNone || !IsProgramFileName(extended)) {
    return std::nullopt;
  }
  std::optional<std::wstring> file = longName(extended);
  if (!file || !IsProgramFileName(*file)) return std::nullopt;
  std::optional<std::wstring> commandLine = CommandLine(OrdinaryPath(*file), arguments);
  if (!commandLine) return std::nullopt;
  return ProgramStart{std::move(*file), std::move(*commandLine)};
}

bool IsProgramFileName(std::wstring_view resolved) {
  const std::wstring path = OrdinaryPath(resolved);
  return path.find(L':', DriveOf(path).size()) == std::wstring::npos &&
         HasExtension(std::wstring_view(path).substr(FolderOf(path).size()), L".exe");
}

}  // namespace melodex
