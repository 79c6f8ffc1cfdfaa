#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace e2e {

// A program started for a scenario, known by its process and the thread that runs its
// windows. Ended by force when the object goes, should it still run then.
class Process {
 public:
  // Starts `exe` (a Windows path) with no arguments in `folder`, as a person starting it
  // from a shortcut whose working folder is `folder`. Throws DriverError when it cannot.
  Process(const std::wstring& exe, const std::wstring& folder);
  ~Process();
  Process(const Process&) = delete;
  Process& operator=(const Process&) = delete;

  DWORD Id() const { return id_; }
  DWORD MainThread() const { return thread_; }
  HANDLE Handle() const { return process_; }

  bool Running() const;
  // The exit code once it has ended.
  std::optional<DWORD> ExitCode() const;
  // Waits for the end; false when it still runs after `milliseconds`.
  bool WaitForEnd(DWORD milliseconds) const;
  // Whether the thread of `window` answers a message within `milliseconds`: a program busy
  // for longer counts as hung.
  static bool Responsive(HWND window, DWORD milliseconds);
  void Kill();

 private:
  HANDLE process_ = nullptr;
  DWORD id_ = 0;
  DWORD thread_ = 0;
};

// Windows paths for the Unix paths that CTest hands over: Wine shows the Unix root as Z:.
std::wstring WindowsPath(const std::wstring& path);
// The value of an environment variable, or `fallback`.
std::wstring Environment(const wchar_t* name, const std::wstring& fallback = L"");

// Ends a process that Melodex started during a scenario (the help viewer), by its id.
// False when it cannot.
bool EndProcess(DWORD id);

}  // namespace e2e
