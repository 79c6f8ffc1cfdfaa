#include "platform/win32/LongPaths.h"

#include "platform/PathRules.h"

namespace melodex::win32 {

std::wstring CurrentDirectory() {
  return GrowingBuffer(
      [](wchar_t* buffer, DWORD size) { return GetCurrentDirectoryW(size, buffer); });
}

std::wstring CurrentDirectoryOn(wchar_t drive) {
  // "D:" alone names the folder the process last used on that drive; the call only looks
  // at what the process remembers and never touches the drive.
  const std::wstring relative{drive, L':'};
  std::wstring full = GrowingBuffer([&](wchar_t* buffer, DWORD size) {
    return GetFullPathNameW(relative.c_str(), size, buffer, nullptr);
  });
  return full.empty() ? relative + L'\\' : full;
}

std::wstring ForSystem(const std::wstring& path) {
  return ExtendedLengthPath(path, {.current = CurrentDirectory, .onDrive = CurrentDirectoryOn});
}

bool RunningOnWine() {
  static const bool onWine = [] {
    const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll && GetProcAddress(ntdll, "wine_get_version") != nullptr;
  }();
  return onWine;
}

}  // namespace melodex::win32
