#include "platform/win32/LongPaths.h"

#include "platform/FileSystem.h"
#include "platform/PathRules.h"
#include "platform/win32/SystemMessage.h"

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

namespace {

std::wstring Extended(const std::wstring& path) {
  return ExtendedLengthPath(path, {.current = CurrentDirectory, .onDrive = CurrentDirectoryOn});
}

}  // namespace

void RequireTaken(const std::wstring& extended, const std::wstring& shown) {
  switch (SystemRefusal(extended)) {
    case PathRefusal::kNone:
      return;
    case PathRefusal::kTooLong:
      throw FileSystemError(shown, SystemMessage(ERROR_FILENAME_EXCED_RANGE));
    case PathRefusal::kHoldsNul:
      throw FileSystemError(shown, SystemMessage(ERROR_INVALID_NAME));
  }
}

std::wstring ForSystem(const std::wstring& path, const std::wstring& shown) {
  std::wstring extended = Extended(path);
  RequireTaken(extended, shown);
  return extended;
}

std::optional<std::wstring> ForSystemIfTaken(const std::wstring& path) {
  std::wstring extended = Extended(path);
  if (SystemRefusal(extended) != PathRefusal::kNone) return std::nullopt;
  return extended;
}

}  // namespace melodex::win32
