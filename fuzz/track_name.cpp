// The track-name cleaner on any name: both forms agree, the appending one keeps what was
// there, and the link text only ever leaves out characters of the base name: brackets, and
// at most two digits, nothing else.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "FuzzText.h"
#include "generator/TrackName.h"

namespace {

void Require(bool ok, const char* what) {
  if (ok) return;
  std::fprintf(stderr, "track name: %s\n", what);
  std::abort();
}

bool IsBracket(wchar_t c) { return c == L'(' || c == L')' || c == L'[' || c == L']'; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::wstring name = melodex::fuzz::TextReader(data, size).Text();
  const std::wstring text = melodex::CleanTrackName(name);

  std::wstring appended = L"<kept>";
  melodex::CleanTrackName(name, appended);
  Require(appended == L"<kept>" + text, "the appending form differs");

  Require(
      std::none_of(text.begin(), text.end(), [](wchar_t c) { return c == L'_' || IsBracket(c); }),
      "an underscore or a bracket is left");

  // The text is the base name with characters left out, underscores read as blanks.
  std::wstring base = name.size() > 4 ? name.substr(0, name.size() - 4) : L"";
  std::replace(base.begin(), base.end(), L'_', L' ');
  std::size_t at = 0;
  std::size_t digitsLeftOut = 0;
  for (const wchar_t c : base) {
    if (at < text.size() && text[at] == c) {
      ++at;
    } else if (!IsBracket(c)) {
      Require(c >= L'0' && c <= L'9', "a character other than a bracket or digit is left out");
      ++digitsLeftOut;
    }
  }
  Require(at == text.size(), "the text holds what the base name does not, or out of order");
  Require(digitsLeftOut <= 2, "more than two digits are left out");
  return 0;
}
