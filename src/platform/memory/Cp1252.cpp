#include "platform/memory/Cp1252.h"

#include <algorithm>
#include <iterator>

namespace melodex {
namespace {

// What bytes 0x80 to 0x9F stand for in code page 1252; the others are ASCII and Latin-1.
// The five that have no letter of their own stand for the C1 controls of their number.
constexpr char32_t kCp1252High[32] = {
    0x20AC, 0x81,   0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x8D,   0x017D, 0x8F,   0x90,   0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x9D,   0x017E, 0x0178};

}  // namespace

CodePage Cp1252() {
  CodePage codePage;
  for (char32_t c = 0; c < 0x80; ++c) codePage.Add(c);
  for (char32_t c = 0xA0; c <= 0xFF; ++c) codePage.Add(c);
  for (const char32_t c : kCp1252High) codePage.Add(c);
  return codePage;
}

std::string EncodeCp1252(std::wstring_view text) {
  std::string bytes;
  bytes.reserve(text.size());
  for (const wchar_t unit : text) {
    const auto cp = static_cast<char32_t>(unit);
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) {
      bytes += static_cast<char>(cp);
      continue;
    }
    const auto* at = std::find(std::begin(kCp1252High), std::end(kCp1252High), cp);
    bytes += at != std::end(kCp1252High) ? static_cast<char>(0x80 + (at - std::begin(kCp1252High)))
                                         : '?';
  }
  return bytes;
}

}  // namespace melodex
