#include "ui/dialogs/HandOver.h"

namespace melodex {

double HandOverNumber(std::wstring_view text) {
  std::size_t at = 0;
  while (at < text.size() && (text[at] == L' ' || text[at] == L'\t')) ++at;
  double sign = 1;
  if (at < text.size() && (text[at] == L'+' || text[at] == L'-')) {
    if (text[at] == L'-') sign = -1;
    ++at;
  }
  double number = 0;
  while (at < text.size() && text[at] >= L'0' && text[at] <= L'9') {
    number = number * 10 + (text[at++] - L'0');
  }
  if (at < text.size() && text[at] == L'.') {
    double scale = 0.1;
    for (++at; at < text.size() && text[at] >= L'0' && text[at] <= L'9'; ++at) {
      number += (text[at] - L'0') * scale;
      scale /= 10;
    }
  }
  return sign * number;
}

}  // namespace melodex
