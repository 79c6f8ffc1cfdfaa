#include "generator/TrackName.h"

namespace melodex {

std::wstring CleanTrackName(std::wstring_view fileName) {
  const std::wstring_view base =
      fileName.size() > 4 ? fileName.substr(0, fileName.size() - 4) : std::wstring_view{};
  std::wstring text;
  text.reserve(base.size());
  for (std::size_t i = 0; i < base.size(); ++i) {
    const wchar_t c = base[i];
    const bool isDigit = c >= L'0' && c <= L'9';
    if (i < 2 && isDigit) continue;  // a track number of at most two digits
    if (c == L'(' || c == L')' || c == L'[' || c == L']') continue;
    text += c == L'_' ? L' ' : c;
  }
  return text;
}

}  // namespace melodex
