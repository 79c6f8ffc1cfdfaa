// Stands in for the System Information tool in the scenarios: leaves a marker file beside
// itself, named after its own file with ".ran" added, holding the command line it got.
#include <windows.h>

#include <string>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  wchar_t self[MAX_PATH];
  const DWORD length = GetModuleFileNameW(nullptr, self, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return 1;
  const std::wstring marker = std::wstring(self, length) + L".ran";
  const std::wstring text = GetCommandLineW();
  // Written under another name first, so that nobody reads half a marker.
  const std::wstring partial = marker + L".part";
  const HANDLE file =
      CreateFileW(partial.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return 2;
  DWORD written = 0;
  const BOOL ok = WriteFile(file, text.data(), static_cast<DWORD>(text.size() * sizeof(wchar_t)),
                            &written, nullptr);
  CloseHandle(file);
  return ok && MoveFileExW(partial.c_str(), marker.c_str(), MOVEFILE_REPLACE_EXISTING) ? 0 : 3;
}
