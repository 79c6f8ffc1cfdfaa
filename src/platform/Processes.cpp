#include "platform/Processes.h"

namespace melodex {
namespace {

bool IsSeparator(wchar_t c) { return c == L'\\' || c == L'/'; }

bool IsFullPath(std::wstring_view path) {
  const bool drive = path.size() >= 3 && ((path[0] | 0x20) >= L'a' && (path[0] | 0x20) <= L'z') &&
                     path[1] == L':' && IsSeparator(path[2]);
  const bool network = path.size() >= 2 && IsSeparator(path[0]) && IsSeparator(path[1]);
  return drive || network;
}

}  // namespace

std::optional<std::wstring> ProgramCommandLine(std::wstring_view program,
                                               std::wstring_view arguments) {
  if (!IsFullPath(program) || program.find(L'\0') != std::wstring_view::npos ||
      arguments.find(L'\0') != std::wstring_view::npos) {
    return std::nullopt;
  }
  std::wstring line = L"\"";
  line.append(program).push_back(L'"');
  if (!arguments.empty()) line.append(L" ").append(arguments);
  return line;
}

}  // namespace melodex
