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
// it is a file: nothing for a missing one, a folder, or a name too long to take. A name the
// system could not give is empty, which names no program.
std::optional<std::wstring> FinalName(const std::wstring& extended) {
  const Handle file(CreateFileW(extended.c_str(), 0,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, 0, nullptr));
  if (!file) return std::nullopt;
  std::wstring name = GrowingBuffer([&](wchar_t* buffer, DWORD size) {
    return GetFinalPathNameByHandleW(file.Get(), buffer, size,
                                     FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
  });
  if (SystemRefusal(name) != PathRefusal::kNone) return std::nullopt;
  return name;
}

}  // namespace

bool Win32Processes::StartProgram(const std::wstring& program, const std::wstring& arguments) {
  std::optional<ProgramStart> start = FindProgram(program, arguments, FinalName);
  if (!start) return false;
  // A name of MAX_PATH characters or more goes in the extended-length form, the one the
  // system reads at any length. Wine 8 starts no program from such a path in any form, but
  // given the ordinary one it overruns a buffer of its own from about a thousand characters
  // on and takes this process down; the extended form just fails.
  const std::wstring ordinary = OrdinaryPath(start->file);
  const std::wstring& file = ordinary.size() < MAX_PATH ? ordinary : start->file;
  // CreateProcessW may write into the command line, which is why it is a copy of its own.
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_SHOWNORMAL;
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(file.c_str(), start->commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      nullptr, &startup, &process)) {
    return false;
  }
  // The program runs on by itself; nothing here waits for it.
  const Handle thread(process.hThread), started(process.hProcess);
  return true;
}

}  // namespace melodex::win32
