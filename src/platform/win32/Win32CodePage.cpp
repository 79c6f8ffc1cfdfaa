#include "platform/win32/Win32CodePage.h"

#include <windows.h>

#include <string>

namespace melodex::win32 {

CodePage CodePageOf(unsigned codePage) {
  if (codePage == CP_UTF8) return CodePage::Unicode();
  CPINFO info{};
  if (!GetCPInfo(codePage, &info)) info.MaxCharSize = 2;
  // The characters that might be held: in a single-byte code page what its bytes stand for,
  // else the whole of the first plane. Each is held if it comes back from the code page as
  // itself; one that is not held comes back as the default character instead. Both ways
  // take one call each over all of them, as one character is never more than one unit of
  // the result.
  std::wstring candidates;
  if (info.MaxCharSize == 1) {
    char bytes[255];
    for (int b = 1; b <= 255; ++b) bytes[b - 1] = static_cast<char>(b);
    candidates.resize(255);
    candidates.resize(static_cast<std::size_t>(
        MultiByteToWideChar(codePage, 0, bytes, 255, candidates.data(), 255)));
  } else {
    for (wchar_t c = 1; c < 0xD800; ++c) candidates += c;
    for (wchar_t c = 0xE000; c != 0; ++c) candidates += c;  // up to U+FFFF
  }
  const int units = static_cast<int>(candidates.size());
  std::string encoded(candidates.size() * info.MaxCharSize, '\0');
  encoded.resize(static_cast<std::size_t>(
      WideCharToMultiByte(codePage, WC_NO_BEST_FIT_CHARS, candidates.data(), units, encoded.data(),
                          static_cast<int>(encoded.size()), nullptr, nullptr)));
  std::wstring decoded(candidates.size(), L'\0');
  decoded.resize(static_cast<std::size_t>(MultiByteToWideChar(
      codePage, 0, encoded.data(), static_cast<int>(encoded.size()), decoded.data(), units)));

  CodePage held;
  held.Add(0);
  if (decoded.size() != candidates.size()) {
    // Not one character for one: keep to ASCII, which every ANSI code page holds.
    for (char32_t c = 1; c < 0x80; ++c) held.Add(c);
    return held;
  }
  for (std::size_t i = 0; i < candidates.size(); ++i) {
    if (decoded[i] == candidates[i]) held.Add(static_cast<char32_t>(candidates[i]));
  }
  return held;
}

}  // namespace melodex::win32
