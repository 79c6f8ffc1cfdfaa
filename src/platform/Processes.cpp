#include "platform/Processes.h"

#include "platform/PathRules.h"

namespace melodex {

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
