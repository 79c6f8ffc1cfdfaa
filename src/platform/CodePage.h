#pragma once

#include <bitset>
#include <cstddef>

namespace melodex {

// The characters a code page holds: those its conversion keeps exactly, with no look-alike
// put in their place. A text file hands one out once, so that text can be made ready for the
// file character by character without asking the file each time.
class CodePage {
 public:
  // A code page that holds nothing yet.
  CodePage() = default;

  // A Unicode code page (UTF-8), which holds every character.
  static CodePage Unicode() {
    CodePage unicode;
    unicode.all_ = true;
    return unicode;
  }

  // Adds a character below U+10000; the code pages of the system hold no other, bar Unicode.
  void Add(char32_t character) {
    if (character < kPlane) plane_[character] = true;
  }

  // A surrogate is no character of its own, so no code page holds one alone.
  bool Holds(char32_t character) const {
    if (character >= 0xD800 && character <= 0xDFFF) return false;
    if (all_) return character <= 0x10FFFF;
    return character < kPlane && plane_[character];
  }

 private:
  static constexpr std::size_t kPlane = 0x10000;

  bool all_ = false;
  std::bitset<kPlane> plane_;
};

}  // namespace melodex
