#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace melodex {

// A number's digits: in decimal ("536875572"), or in hexadecimal with capital letters and
// 0s in front to at least `width` digits (HexDigits(10, 2) is "0A").
std::wstring DecimalDigits(std::uint64_t number);
std::wstring HexDigits(std::uint64_t number, std::size_t width);

}  // namespace melodex
