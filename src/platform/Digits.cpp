#include "platform/Digits.h"

#include <charconv>
#include <iterator>

namespace melodex {
namespace {

// The digits std::to_chars wrote, widened, with 0s in front to `width`.
std::wstring Widened(const char* digits, const char* end, std::size_t width) {
  std::wstring text;
  for (auto count = static_cast<std::size_t>(end - digits); count < width; ++count) text += L'0';
  for (const char* c = digits; c != end; ++c) {
    text += static_cast<wchar_t>(*c >= 'a' ? *c - 'a' + 'A' : *c);
  }
  return text;
}

}  // namespace

std::wstring DecimalDigits(std::uint64_t number) {
  char digits[20];  // as many as 2^64 - 1 has
  return Widened(digits, std::to_chars(std::begin(digits), std::end(digits), number).ptr, 0);
}

std::wstring HexDigits(std::uint64_t number, std::size_t width) {
  char digits[16];
  return Widened(digits, std::to_chars(std::begin(digits), std::end(digits), number, 16).ptr,
                 width);
}

}  // namespace melodex
