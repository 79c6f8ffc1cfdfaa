#include "platform/win32/Win32Processes.h"

#include <windows.h>

#include "platform/PathRules.h"
#include "platform/win32/LongPaths.h"

namespace melodex::win32 {

bool Win32Processes::StartProgram(const std::wstring& program, const std::wstring& arguments) {
  std::optional<std::wstring> commandLine = ProgramCommandLine(program, arguments);
  if (!commandLine) return false;
  // The application name fixes the file, so the command line is only what the program is
  // told. It is the name as resolved here, where it is checked, so that the system cannot
  // read it as another. A name of MAX_PATH characters or more goes in the
  // extended-length form, the one the system reads at any length. Wine 8 starts no program
  // from such a path in any form, but given the ordinary one it overruns a buffer of its
  // own from about a thousand characters on and takes this process down; the extended form
  // just fails.
  const std::optional<std::wstring> extended = ForSystemIfTaken(program);
  if (!extended || !IsProgramFileName(*extended)) return false;
  const std::wstring resolved = OrdinaryPath(*extended);
  const std::wstring& file = resolved.size() < MAX_PATH ? resolved : *extended;
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_SHOWNORMAL;
  PROCESS_INFORMATION process{};
  // CreateProcessW may write into the command line, which is why it is a copy of its own.
  if (!CreateProcessW(file.c_str(), commandLine->data(), nullptr, nullptr, FALSE, 0, nullptr,
                      nullptr, &startup, &process)) {
    return false;
  }
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return true;
}

}  // namespace melodex::win32
