#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace melodex::fuzz {

// Reads fuzz input as texts of wide characters in a way that lets small inputs reach every
// kind of character: a byte below 0x80 is that ASCII character, 0x80 to 0xBF are U+0080 to
// U+00BF (the C1 controls and the upper Latin-1 signs), and 0xC0 to 0xFF take the next two
// bytes to make any code point up to U+3FFFFF, folded into Unicode's range. Surrogates come
// out alone, as broken names do; a character beyond U+FFFF comes out as a surrogate pair
// where wchar_t is 16 bits wide, as Windows hands it over. Byte 0 ends a text.
class TextReader {
 public:
  TextReader(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

  bool AtEnd() const { return at_ == size_; }

  std::uint8_t Byte() { return at_ < size_ ? data_[at_++] : 0; }

  std::wstring Text() {
    std::wstring text;
    while (at_ < size_) {
      const std::uint8_t byte = data_[at_++];
      if (byte == 0) break;
      if (byte < 0xC0) {
        text += static_cast<wchar_t>(byte);
        continue;
      }
      char32_t c = (static_cast<char32_t>(byte & 0x3F) << 16) | (char32_t{Byte()} << 8) | Byte();
      c %= 0x110000;
      if (sizeof(wchar_t) == 2 && c >= 0x10000) {
        text += static_cast<wchar_t>(0xD800 + ((c - 0x10000) >> 10));
        text += static_cast<wchar_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
      } else {
        text += static_cast<wchar_t>(c);
      }
    }
    return text;
  }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t at_ = 0;
};

}  // namespace melodex::fuzz
