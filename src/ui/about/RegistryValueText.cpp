#include "ui/about/RegistryValueText.h"

#include "platform/Registry.h"

namespace melodex {
namespace {

wchar_t HexDigit(unsigned digit) { return L"0123456789ABCDEF"[digit & 0xF]; }

}  // namespace

std::wstring RegistryValueText(std::uint32_t type, std::span<const std::uint8_t> data,
                               const std::wstring& kept) {
  switch (type) {
    case kRegSz: {
      // A NUL in the last place is the terminator, not part of the text. A value of no
      // bytes at all is the empty text.
      std::wstring text;
      text.reserve(data.size() / 2);
      for (std::size_t i = 0; i + 1 < data.size(); i += 2) {
        text += static_cast<wchar_t>(data[i] | (data[i + 1] << 8));
      }
      if (!text.empty() && text.back() == L'\0') text.pop_back();
      return text;
    }
    case kRegDword: {
      // The bytes from the most significant down. Like a text, the data loses a NUL in its
      // last place, so 261 (05 01 00 00) reads "&h000105".
      std::size_t n = data.size();
      if (n > 0 && data[n - 1] == 0) --n;
      std::wstring text = L"&h";
      for (std::size_t i = n; i-- > 0;) {
        text += HexDigit(data[i] >> 4);
        text += HexDigit(data[i]);
      }
      return text;
    }
    default:
      return kept;  // found, but nothing this program can use as text
  }
}

}  // namespace melodex
