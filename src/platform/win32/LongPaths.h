#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace melodex::win32 {

// A text the system writes into a buffer the caller sizes, at whatever length it has:
// `call(buffer, size)` returns the length written, or the size it needs when the buffer
// is too small, or 0 on failure (then the result is empty).
template <typename Call>
std::wstring GrowingBuffer(Call call) {
  std::wstring text(256, L'\0');
  for (;;) {
    const DWORD length = call(text.data(), static_cast<DWORD>(text.size()));
    if (length == 0) return {};
    if (length < text.size()) {
      text.resize(length);
      return text;
    }
    text.resize(length + 1);
  }
}

// The process's current folder, and the one it remembers for a drive ('D'; its root when it
// remembers none). As the system keeps them, which may be in extended-length form.
std::wstring CurrentDirectory();
std::wstring CurrentDirectoryOn(wchar_t drive);

// A path as the file calls take it at any length: in extended-length form, resolved against
// the current folders. Paths shown to the user stay as they were given.
//
// A path the system cannot take as it is (too long, or holding a NUL) would make it work on
// another path than the one given, so it goes no further: ForSystem throws FileSystemError
// naming `shown` with the system's reason, ForSystemIfTaken gives nothing, and
// RequireTaken checks a path in extended-length form made from one of them.
std::wstring ForSystem(const std::wstring& path, const std::wstring& shown);
inline std::wstring ForSystem(const std::wstring& path) { return ForSystem(path, path); }
std::optional<std::wstring> ForSystemIfTaken(const std::wstring& path);
void RequireTaken(const std::wstring& extended, const std::wstring& shown);

}  // namespace melodex::win32
