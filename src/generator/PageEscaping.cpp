#include "generator/PageEscaping.h"

#include <cstdint>

namespace melodex {
namespace {

// One character of a wide text: its code point and the code units it takes (two for a
// surrogate pair where wchar_t is 16 bits wide).
struct CodePoint {
  char32_t value;
  std::size_t length;
};

CodePoint CodePointAt(std::wstring_view text, std::size_t i) {
  const auto unit = static_cast<char32_t>(text[i]);
  if constexpr (sizeof(wchar_t) == 2) {
    if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < text.size()) {
      const auto low = static_cast<char32_t>(text[i + 1]);
      if (low >= 0xDC00 && low <= 0xDFFF) {
        return {0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00), 2};
      }
    }
  }
  if (unit >= 0xD800 && unit <= 0xDFFF) return {0xFFFD, 1};  // a lone surrogate
  return {unit, 1};
}

bool IsAscii(std::wstring_view text) {
  for (const wchar_t c : text) {
    if (static_cast<std::uint32_t>(c) >= 0x80) return false;
  }
  return true;
}

void AppendDecimal(std::wstring& out, char32_t value) {
  out += std::to_wstring(static_cast<std::uint32_t>(value));
}

void AppendPercentByte(std::wstring& out, unsigned byte) {
  static constexpr wchar_t kHex[] = L"0123456789ABCDEF";
  out += L'%';
  out += kHex[byte >> 4];
  out += kHex[byte & 0xF];
}

void AppendPercentUtf8(std::wstring& out, char32_t cp) {
  if (cp < 0x80) {
    AppendPercentByte(out, cp);
  } else if (cp < 0x800) {
    AppendPercentByte(out, 0xC0 | (cp >> 6));
    AppendPercentByte(out, 0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    AppendPercentByte(out, 0xE0 | (cp >> 12));
    AppendPercentByte(out, 0x80 | ((cp >> 6) & 0x3F));
    AppendPercentByte(out, 0x80 | (cp & 0x3F));
  } else {
    AppendPercentByte(out, 0xF0 | (cp >> 18));
    AppendPercentByte(out, 0x80 | ((cp >> 12) & 0x3F));
    AppendPercentByte(out, 0x80 | ((cp >> 6) & 0x3F));
    AppendPercentByte(out, 0x80 | (cp & 0x3F));
  }
}

bool Encodable(std::wstring_view text, const TextFile& file) {
  return IsAscii(text) || file.CanEncode(text);
}

}  // namespace

void AppendPageText(std::wstring& out, std::wstring_view text, const TextFile& file) {
  if (Encodable(text, file)) {
    out += text;
    return;
  }
  for (std::size_t i = 0; i < text.size();) {
    const CodePoint cp = CodePointAt(text, i);
    const std::wstring_view unit = text.substr(i, cp.length);
    if (cp.value != 0xFFFD && Encodable(unit, file)) {
      out += unit;
    } else {
      out += L"&#";
      AppendDecimal(out, cp.value);
      out += L';';
    }
    i += cp.length;
  }
}

void AppendLinkTarget(std::wstring& out, std::wstring_view text, const TextFile& file,
                      bool isFileName) {
  const bool hasMarks = isFileName && text.find_first_of(L"#%") != std::wstring_view::npos;
  if (!hasMarks && Encodable(text, file)) {
    out += text;
    return;
  }
  for (std::size_t i = 0; i < text.size();) {
    const CodePoint cp = CodePointAt(text, i);
    const std::wstring_view unit = text.substr(i, cp.length);
    if (isFileName && (cp.value == U'#' || cp.value == U'%')) {
      AppendPercentByte(out, cp.value);
    } else if (cp.value != 0xFFFD && Encodable(unit, file)) {
      out += unit;
    } else {
      AppendPercentUtf8(out, cp.value);
    }
    i += cp.length;
  }
}

}  // namespace melodex
