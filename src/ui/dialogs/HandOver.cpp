#include "ui/dialogs/HandOver.h"

#include <charconv>
#include <limits>
#include <string>

namespace melodex {

double HandOverNumber(std::wstring_view text) {
  std::size_t at = 0;
  while (at < text.size() && (text[at] == L' ' || text[at] == L'\t')) ++at;
  const bool negative = at < text.size() && text[at] == L'-';
  if (negative || (at < text.size() && text[at] == L'+')) ++at;
  // The digits and the decimal point, converted as a whole to the nearest number: adding them
  // up one by one rounds at every step, and "8.99999999999999999999" would come out above 9.
  // Every digit counts, however many: a number halfway between two doubles has up to 768
  // significant digits, and one more beyond them decides which way it goes.
  std::string number;
  for (bool point = false; at < text.size(); ++at) {
    const wchar_t c = text[at];
    if (c == L'.' && !point) {
      point = true;
    } else if (c < L'0' || c > L'9') {
      break;
    }
    number += static_cast<char>(c);
  }
  double value = 0;  // also when there is no digit at all
  if (std::from_chars(number.data(), number.data() + number.size(), value, std::chars_format::fixed)
          .ec == std::errc::result_out_of_range) {
    // Too large gives infinity, too small 0: a number whose first digit other than 0 comes
    // before the point is at least 1, never too small.
    value =
        number[number.find_first_not_of('0')] == '.' ? 0 : std::numeric_limits<double>::infinity();
  }
  return negative ? -value : value;
}

}  // namespace melodex
