#pragma once

#include <string>
#include <string_view>

#include "platform/CodePage.h"

namespace melodex {

// Code page 1252, the ANSI code page of Western Windows systems: the characters it holds,
// and a text in its bytes, "?" for any character it does not hold.
CodePage Cp1252();
std::string EncodeCp1252(std::wstring_view text);

}  // namespace melodex
