#include "ui/dialogs/HandOver.h"

#include <cstdlib>
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
  // The digits and the decimal point, converted as a whole by the C library, to the nearest
  // number: adding them up one by one rounds at every step, and "8.99999999999999999999"
  // would come out above 9. Too many digits before the point give infinity.
  std::string number;
  bool point = false;
  for (; at < text.size(); ++at) {
    const wchar_t c = text[at];
    if (c == L'.' && !point) {
      point = true;
    } else if (c < L'0' || c > L'9') {
      break;
    }
    number += static_cast<char>(c);
  }
  const double value = number.empty() ? 0 : std::strtod(number.c_str(), nullptr);
  return sign * value;
}

}  // namespace melodex
