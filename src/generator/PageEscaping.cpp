#include "generator/PageEscaping.h"

#include <array>
#include <cstddef>
#include <type_traits>

#include "platform/Digits.h"

namespace melodex {
namespace {

// What an ASCII character may not be on the page as it is.
enum : unsigned char {
  kForbiddenInNames = 1,  // by Windows: control characters and " * / : < > ? \ |
  kLinkMark = 2,          // a link target's own: "#" starts a fragment, "%" an escape
  kReferenceMark = 4,     // "&" starts a character reference, with or without its ";"
};

constexpr std::array<unsigned char, 0x80> kAscii = [] {
  std::array<unsigned char, 0x80> table{};
  for (std::size_t c = 0; c < 0x20; ++c) table[c] = kForbiddenInNames;
  for (const char c : std::string_view("\"*/:<>?\\|")) {
    table[static_cast<std::size_t>(c)] = kForbiddenInNames;
  }
  table['#'] = table['%'] = kLinkMark;
  table['&'] = kReferenceMark;
  return table;
}();

char32_t UnitValue(wchar_t unit) {
  return static_cast<char32_t>(static_cast<std::make_unsigned_t<wchar_t>>(unit));
}

// One character of a wide text: its code point and the code units it takes (two for a
// surrogate pair). A pair is one character however wide wchar_t is: where it is 16 bits,
// as Windows hands text over, and where it is 32, so that the same text reads alike.
struct CodePoint {
  char32_t value;
  std::size_t length;
};

CodePoint CodePointAt(std::wstring_view text, std::size_t i) {
  const char32_t unit = UnitValue(text[i]);
  if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < text.size()) {
    const char32_t low = UnitValue(text[i + 1]);
    if (low >= 0xDC00 && low <= 0xDFFF) {
      return {0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00), 2};
    }
  }
  // A lone surrogate, or beyond Unicode where wchar_t is wider: no character at all.
  if ((unit >= 0xD800 && unit <= 0xDFFF) || unit > 0x10FFFF) return {0xFFFD, 1};
  return {unit, 1};
}

bool IsC1Control(char32_t c) { return c >= 0x80 && c <= 0x9F; }

void AppendReference(std::wstring& out, char32_t c) {
  switch (c) {
    case U'&':
      out += L"&amp;";
      return;
    case U'"':
      out += L"&quot;";
      return;
    case U'<':
      out += L"&lt;";
      return;
    case U'>':
      out += L"&gt;";
      return;
    default:
      break;
  }
  out.append(L"&#").append(DecimalDigits(IsC1Control(c) ? 0xFFFD : c)).push_back(L';');
}

void AppendPercentByte(std::wstring& out, unsigned byte) {
  out.append(L"%").append(HexDigits(byte, 2));
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

// Copies the text in runs of the code units it keeps, and writes each other character by
// `escape`, unless it is a surrogate pair that `keepsPair` keeps; returns whether it kept
// the whole text.
template <typename KeepsUnit, typename KeepsPair, typename Escape>
bool AppendEscaped(std::wstring& out, std::wstring_view text, KeepsUnit keepsUnit,
                   KeepsPair keepsPair, Escape escape) {
  std::size_t run = 0;
  for (std::size_t i = 0; i < text.size();) {
    if (keepsUnit(UnitValue(text[i]))) {
      ++i;
      continue;
    }
    out.append(text.data() + run, i - run);
    const CodePoint cp = CodePointAt(text, i);
    if (cp.length == 2 && keepsPair(cp.value)) {
      out.append(text.data() + i, 2);  // a surrogate pair of a Unicode page
    } else {
      escape(out, cp.value);
    }
    i += cp.length;
    run = i;
  }
  out.append(text.data() + run, text.size() - run);
  return run == 0;
}

}  // namespace

void AppendPageText(std::wstring& out, std::wstring_view text, const CodePage& codePage,
                    bool isFileName) {
  const unsigned char notRaw = isFileName ? kForbiddenInNames | kReferenceMark : 0;
  // An ASCII character unless `notRaw` names its kind; any other that the code page holds,
  // bar the C1 controls. Surrogates never: the code page decides on the pair they make.
  const auto keepsUnit = [&](char32_t c) {
    if (c < 0x80) return !(kAscii[c] & notRaw);
    return c > 0x9F && codePage.Holds(c);
  };
  AppendEscaped(
      out, text, keepsUnit, [&](char32_t c) { return codePage.Holds(c); }, AppendReference);
}

bool AppendLinkTarget(std::wstring& out, std::wstring_view text, bool isFileName) {
  const unsigned char notRaw = isFileName ? kForbiddenInNames | kLinkMark | kReferenceMark : 0;
  // Printable ASCII unless `notRaw` names its kind.
  const auto keepsUnit = [&](char32_t c) { return c >= 0x20 && c < 0x7F && !(kAscii[c] & notRaw); };
  // An "&" is the attribute's to decode, not the address's: the browser reads "&amp;" back as
  // the "&" of the name.
  const auto escape = [](std::wstring& to, char32_t c) {
    if (c == U'&') {
      to += L"&amp;";
    } else {
      AppendPercentUtf8(to, c);
    }
  };
  return AppendEscaped(
      out, text, keepsUnit, [](char32_t) { return false; }, escape);
}

}  // namespace melodex
