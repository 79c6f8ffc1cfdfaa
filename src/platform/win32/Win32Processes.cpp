#include "platform/win32/Win32Processes.h"

#include <windows.h>

#include <vector>

#include "platform/win32/LongPaths.h"

namespace melodex::win32 {
namespace {

bool Start(const wchar_t* applicationName, const std::wstring& commandLine) {
  // CreateProcessW may write into the command line, so it gets a copy of its own.
  std::vector<wchar_t> line(commandLine.begin(), commandLine.end());
  line.push_back(L'\0');
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_SHOWNORMAL;
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(applicationName, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &process)) {
    return false;
  }
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return true;
}

}  // namespace

bool Win32Processes::StartProgram(const std::wstring& path) {
  if (path.empty()) return false;
  // The application name fixes the file; the quoted path is only what the program sees as
  // its own name in its command line. A name too long for the ordinary form goes in the
  // extended-length one.
  const std::wstring file = path.size() < MAX_PATH ? path : ForSystem(path);
  return Start(file.c_str(), L"\"" + path + L"\"");
}

bool Win32Processes::StartCommandLine(const std::wstring& commandLine) {
  if (commandLine.empty()) return false;
  return Start(nullptr, commandLine);
}

}  // namespace melodex::win32
