#pragma once

#include <string_view>

namespace melodex {

// The hand-over number in the main window's hidden field, read as the dialogs read it: the
// text's leading number (after any blanks, with an optional sign and decimal part), or 0
// when the text does not begin with one. "9abc" is 9, "9.5" is 9.5, "Temp text space" is 0.
double HandOverNumber(std::wstring_view text);

}  // namespace melodex
