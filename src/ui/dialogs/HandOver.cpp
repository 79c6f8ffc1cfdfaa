#include "ui/dialogs/HandOver.h"

#include <charconv>
#include <limits>
#include <string>

namespace melodex {

double HandOverNumber(std::wstring_view text) {
  std::size_t at = 0;
  while (at < text.size() && (text[at] == L' ' || text[at] == L'\t')) ++at;
  double sign = 1;
  if (at < text.size() && (text[at] == L'+' || text[at] == L'-')) {
    if (text[at] == L'-') sign = -1;
    ++at;
  }
  // The digits and the decimal point, converted as a whole: adding them up one by one
  // rounds at every step, and "8.99999999999999999999" would come out above 9.
  std::string number;
  bool point = false;
  bool nonZero = false;
  for (; at < text.size(); ++at) {
    const wchar_t c = text[at];
    if (c == L'.' && !point) {
      point = true;
    } else if (c >= L'0' && c <= L'9') {
      nonZero = nonZero || (c != L'0' && !point);
    } else {
      break;
    }
    number += static_cast<char>(c);
  }
  double value = 0;
  const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
  if (error == std::errc::result_out_of_range) {
    // Too many digits before the point for a double, or so small it is none at all.
    value = nonZero ? std::numeric_limits<double>::infinity() : 0;
  }
  return sign * value;
}

}  // namespace melodex
