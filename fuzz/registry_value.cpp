// The text a registry value reads as, against a reading of the bytes of its own: any type,
// any data, including sizes no well-formed value has.
//
// Input: the first byte picks the type (its value modulo 12, REG_NONE to REG_QWORD), or,
// when it is 0xFF and four more bytes follow, those four bytes are the type, least
// significant first; the remaining bytes are the data.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <span>
#include <string>

#include "platform/Registry.h"
#include "ui/about/RegistryValueText.h"

namespace {

void Check(bool holds, const char* what) {
  if (holds) return;
  std::fprintf(stderr, "registry_value: %s\n", what);
  std::abort();
}

// UTF-16 units, least significant byte first; an odd last byte belongs to no unit.
std::wstring ExpectedText(std::span<const std::uint8_t> data) {
  std::wstring text(data.size() / 2, L'\0');
  for (std::size_t unit = 0; unit < text.size(); ++unit) {
    text[unit] = static_cast<wchar_t>(data[2 * unit] + 256 * data[2 * unit + 1]);
  }
  if (!text.empty() && text.back() == L'\0') text.resize(text.size() - 1);
  return text;
}

// "&h", then each byte from the last to the first as two upper-case hexadecimal digits,
// after a final NUL byte is cut.
std::wstring ExpectedNumber(std::span<const std::uint8_t> data) {
  if (!data.empty() && data.back() == 0) data = data.first(data.size() - 1);
  std::wstring text = L"&h";
  for (auto byte = data.rbegin(); byte != data.rend(); ++byte) {
    char digits[3];
    std::snprintf(digits, sizeof digits, "%02X", *byte);
    text += static_cast<wchar_t>(digits[0]);
    text += static_cast<wchar_t>(digits[1]);
  }
  return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
  if (size == 0) return 0;
  std::span<const std::uint8_t> input(bytes, size);
  std::uint32_t type = input[0] % 12;
  input = input.subspan(1);
  if (bytes[0] == 0xFF && input.size() >= 4) {
    type = input[0] | input[1] << 8 | input[2] << 16 | static_cast<std::uint32_t>(input[3]) << 24;
    input = input.subspan(4);
  }
  const std::wstring kept = L"kept \u00e9\U0001F3B5";

  const std::wstring text = melodex::RegistryValueText(type, input, kept);

  switch (type) {
    case melodex::kRegSz:
      Check(text == ExpectedText(input), "REG_SZ is not its UTF-16 units less one final NUL");
      break;
    case melodex::kRegDword:
      Check(text == ExpectedNumber(input), "REG_DWORD is not \"&h\" and its bytes, last first");
      break;
    default:
      Check(text == kept, "a value of another type changed the text passed in");
      break;
  }
  return 0;
}
