#include "e2e/driver/Process.h"

#include "e2e/driver/Waiting.h"

namespace e2e {

Process::Process(const std::wstring& exe, const std::wstring& folder) {
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  std::wstring commandLine = L"\"" + exe + L"\"";
  if (!CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      folder.c_str(), &startup, &info)) {
    throw DriverError(L"cannot start " + exe + L" in " + folder + L" (error " +
                      std::to_wstring(GetLastError()) + L")");
  }
  CloseHandle(info.hThread);
  process_ = info.hProcess;
  id_ = info.dwProcessId;
  thread_ = info.dwThreadId;
}

Process::~Process() {
  Kill();
  if (process_) CloseHandle(process_);
}

bool Process::Running() const { return WaitForSingleObject(process_, 0) == WAIT_TIMEOUT; }

std::optional<DWORD> Process::ExitCode() const {
  if (Running()) return std::nullopt;
  DWORD code = 0;
  GetExitCodeProcess(process_, &code);
  return code;
}

bool Process::WaitForEnd(DWORD milliseconds) const {
  return WaitForSingleObject(process_, milliseconds) == WAIT_OBJECT_0;
}

bool Process::Responsive(HWND window, DWORD milliseconds) {
  DWORD_PTR result = 0;
  return SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG | SMTO_BLOCK, milliseconds,
                             &result) != 0;
}

void Process::Kill() {
  if (process_ && Running()) {
#if defined(MELODEX_COVERAGE)
    // A coverage build of the program writes its counts first (src/app/CoverageDump.cpp).
    const std::wstring name = L"MelodexCoverageDump." + std::to_wstring(id_);
    const HANDLE request = OpenEventW(EVENT_MODIFY_STATE, FALSE, name.c_str());
    const HANDLE written = OpenEventW(SYNCHRONIZE, FALSE, (name + L".written").c_str());
    if (request && written && SetEvent(request)) WaitForSingleObject(written, 10000);
    if (request) CloseHandle(request);
    if (written) CloseHandle(written);
#endif
    TerminateProcess(process_, 0xDEAD);
    TerminateProcess(process_, 0xDEAD);
    WaitForSingleObject(process_, 5000);
  }
}

std::wstring WindowsPath(const std::wstring& path) {
  std::wstring out = path;
  if (!out.empty() && out[0] == L'/') out = L"Z:" + out;
  for (wchar_t& c : out) {
    if (c == L'/') c = L'\\';
  }
  return out;
}

std::wstring Environment(const wchar_t* name, const std::wstring& fallback) {
  wchar_t value[4096];
  const DWORD size = GetEnvironmentVariableW(name, value, 4096);
  if (size == 0 || size >= 4096) return fallback;
  return value;
}

bool EndProcess(DWORD id) {
  if (id == 0 || id == GetCurrentProcessId()) return false;
  const HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, id);
  if (!process) return false;
  const bool ended = TerminateProcess(process, 0) != FALSE;
  WaitForSingleObject(process, 5000);
  CloseHandle(process);
  return ended;
}

}  // namespace e2e
