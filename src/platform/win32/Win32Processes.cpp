#include "platform/win32/Win32Processes.h"

#include <windows.h>

#include "platform/PathRules.h"
#include "platform/win32/Handle.h"
#include "platform/win32/LongPaths.h"

namespace melodex::win32 {
namespace {

// The name the system knows the file at `extended` (extended-length form) by, in that form:
// its long name, with every short name of the path ("PROG~PAH.EXE", "PROGRA~1") spelt out
// and no stream's name after it. Asked of the file once it is open, which also says that
// it is a file: nothing for a missing one, a folder, or a name too long to take.
std::optional<std::wstring> FinalName(const std::wstring& extended) {
  const Handle file(CreateFileW(extended.c_str(), 0,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, 0, nullptr));
  if (!file) return std::nullopt;
  std::wstring name = GrowingBuffer([&](wchar_t* buffer, DWORD size) {
    return GetFinalPathNameByHandleW(file.Get(), buffer, size,
                                     FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
  });
  if (name.empty() || SystemRefusal(name) != PathRefusal::kNone) return std::nullopt;
  return name;
}

}  // namespace

bool Win32Processes::StartProgram(const std::wstring& program, const std::wstring& arguments) {
  // A name that makes no command line (not a full path, a NUL) is not looked up at all.
  if (!ProgramCommandLine(program, arguments)) return false;
  // The ".exe" rule judges the name as given, which names no stream, and the file's own long
  // name: a short name may end in ".EXE" for a file that does not, and the system would run
  // that file all the same. The program is started by that long name and told it, so that
  // the system cannot read the name as another and the program reads its own. A name of
  // MAX_PATH characters or more goes in the extended-length form, the one the system reads
  // at any length. Wine 8 starts no program from such a path in any form, but given the
  // ordinary one it overruns a buffer of its own from about a thousand characters on and
  // takes this process down; the extended form just fails.
  const std::optional<std::wstring> extended = ForSystemIfTaken(program);
  if (!extended || !IsProgramFileName(*extended)) return false;
  const std::optional<std::wstring> name = FinalName(*extended);
  if (!name || !IsProgramFileName(*name)) return false;
  const std::wstring resolved = OrdinaryPath(*name);
  const std::wstring& file = resolved.size() < MAX_PATH ? resolved : *name;
  // CreateProcessW may write into the command line, which is why it is a copy of its own.
  std::optional<std::wstring> commandLine = ProgramCommandLine(resolved, arguments);
  if (!commandLine) return false;
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_SHOWNORMAL;
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(file.c_str(), commandLine->data(), nullptr, nullptr, FALSE, 0, nullptr,
                      nullptr, &startup, &process)) {
    return false;
  }
  // The program runs on by itself; nothing here waits for it.
  const Handle thread(process.hThread), started(process.hProcess);
  return true;
}

}  // namespace melodex::win32
