#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace melodex {

// The text a registry value reads as, from its type and the data bytes read (as many as the
// registry reported): text (REG_SZ) is its UTF-16 units, least significant byte first, less
// one NUL at the end and less an odd last byte; a 32-bit number (REG_DWORD) is "&h" and two
// upper-case hexadecimal digits a byte, from the last byte to the first, once a NUL byte at
// the end is cut; a value of any other type leaves `kept` as it was.
std::wstring RegistryValueText(std::uint32_t type, std::span<const std::uint8_t> data,
                               const std::wstring& kept);

}  // namespace melodex
