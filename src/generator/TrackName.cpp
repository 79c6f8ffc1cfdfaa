#include "generator/TrackName.h"

namespace melodex {

std::wstring CleanTrackName(std::wstring_view fileName) {
  std::wstring text;
  CleanTrackName(fileName, text);
  return text;
}

void CleanTrackName(std::wstring_view fileName, std::wstring& linkText) {
  const std::wstring_view base =
      fileName.size() > 4 ? fileName.substr(0, fileName.size() - 4) : std::wstring_view{};
  // Written through a pointer into room made first: the text is never longer than the base.
  const std::size_t start = linkText.size();
  linkText.resize(start + base.size());
  wchar_t* out = linkText.data() + start;
  for (std::size_t i = 0; i < base.size(); ++i) {
    const wchar_t c = base[i];
    const bool isDigit = c >= L'0' && c <= L'9';
    if (i < 2 && isDigit) continue;  // a track number of at most two digits
    if (c == L'(' || c == L')' || c == L'[' || c == L']') continue;
    *out++ = c == L'_' ? L' ' : c;
  }
  linkText.resize(static_cast<std::size_t>(out - linkText.data()));
}

}  // namespace melodex
