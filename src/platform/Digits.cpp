#include "platform/Digits.h"

#include <algorithm>
#include <charconv>
#include <iterator>

namespace melodex {
namespace {

// The digits std::to_chars wrote, widened, their letters in capitals.
std::wstring Widened(const char* digits, const char* end) {
  std::wstring text;
  for (const char* c = digits; c != end; ++c) {
    text += static_cast<wchar_t>(*c >= 'a' ? *c - 'a' + 'A' : *c);
  }
  return text;
}

}  // namespace

std::wstring DecimalDigits(std::uint64_t number) {
  char digits[20];  // as many as 2^64 - 1 has
  return Widened(digits, std::to_chars(std::begin(digits), std::end(digits), number).ptr);
}

std::wstring HexDigits(std::uint64_t number, std::size_t width) {
  char digits[16];
  std::wstring text =
      Widened(digits, std::to_chars(std::begin(digits), std::end(digits), number, 16).ptr);
  return text.insert(0, std::max(width, text.size()) - text.size(), L'0');
}

}  // namespace melodex
