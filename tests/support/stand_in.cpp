// Stands in for a program the tests start: it leaves a marker file beside itself, named
// after its own file with ".ran" added, that holds how it was asked to show its window and
// the command line it was given, then ends. Copies of it under different names tell the
// tests which of them ran.
#include <windows.h>

#include <string>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  // Its own path at whatever length, in the form file calls take at any length.
  std::wstring self(MAX_PATH, L'\0');
  DWORD length = 0;
  while ((length = GetModuleFileNameW(nullptr, self.data(), static_cast<DWORD>(self.size()))) ==
         self.size()) {
    self.resize(self.size() * 2);
  }
  if (length == 0) return 1;
  self.resize(length);
  if (!self.starts_with(L"\\\\")) self.insert(0, L"\\\\?\\");

  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  GetStartupInfoW(&startup);
  const int show = (startup.dwFlags & STARTF_USESHOWWINDOW) ? startup.wShowWindow : -1;
  const std::wstring text = std::to_wstring(show) + L"\n" + GetCommandLineW();

  // Written under another name and then renamed, so that a test never reads half a marker.
  const std::wstring marker = self + L".ran";
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
