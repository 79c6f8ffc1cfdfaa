// Stands in for a program the tests start: it leaves a marker file beside itself, named
// after its own file with ".ran" added, that holds how it was asked to show its window and
// the command line it was given, then ends. Copies of it under different names tell the
// tests which of them ran.
#include <windows.h>

#include <string>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  wchar_t self[MAX_PATH * 2];
  const DWORD length = GetModuleFileNameW(nullptr, self, MAX_PATH * 2);
  if (length == 0 || length >= MAX_PATH * 2) return 1;

  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  GetStartupInfoW(&startup);
  const int show = (startup.dwFlags & STARTF_USESHOWWINDOW) ? startup.wShowWindow : -1;
  const std::wstring text = std::to_wstring(show) + L"\n" + GetCommandLineW();

  // Written under another name and then renamed, so that a test never reads half a marker.
  const std::wstring marker = std::wstring(self, length) + L".ran";
  const std::wstring partial = marker + L".part";
  const HANDLE file =
      CreateFileW(partial.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return 2;
  DWORD written = 0;
  const BOOL ok = WriteFile(file, text.data(), static_cast<DWORD>(text.size() * sizeof(wchar_t)),
                            &written, nullptr);
  CloseHandle(file);
  if (!ok || !MoveFileExW(partial.c_str(), marker.c_str(), MOVEFILE_REPLACE_EXISTING)) return 3;
  return 0;
}
