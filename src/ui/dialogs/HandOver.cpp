#include "ui/dialogs/HandOver.h"

#include <algorithm>
#include <charconv>
#include <limits>
#include <memory>
#include <string>

namespace melodex {

double HandOverNumber(std::wstring_view text) {
  text.remove_prefix(std::min(text.find_first_not_of(L" \t"), text.size()));
  const bool negative = text.starts_with(L'-');
  if (negative || text.starts_with(L'+')) text.remove_prefix(1);
  // The digits and the decimal point, converted as a whole to the nearest number: adding them
  // up one by one rounds at every step, and "8.99999999999999999999" would come out above 9.
  // Every digit counts, however many: a number halfway between two doubles has up to 768
  // significant digits, and one more beyond them decides which way it goes. The conversion
  // stops at a second point.
  const std::wstring_view digits = text.substr(0, text.find_first_not_of(L"0123456789."));
  const std::string number(digits.begin(), digits.end());
  double value = 0;  // also when there is no digit at all
  const auto read = std::from_chars(std::to_address(number.begin()), std::to_address(number.end()),
                                    value, std::chars_format::fixed);
  if (read.ec == std::errc::result_out_of_range) {
    // Too large gives infinity, too small 0: a number whose first digit other than 0 comes
    // before the point is at least 1, never too small.
    value =
        number[number.find_first_not_of('0')] == '.' ? 0 : std::numeric_limits<double>::infinity();
  }
  return negative ? -value : value;
}

}  // namespace melodex
