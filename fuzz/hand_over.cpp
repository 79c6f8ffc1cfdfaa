// The hand-over number against a reading of its own: the text's leading numeric part (after
// blanks, an optional sign, digits, an optional decimal part) converted by the C library,
// 0 when there is none.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "FuzzText.h"
#include "ui/dialogs/HandOver.h"

namespace {

double LeadingNumber(const std::wstring& text) {
  std::size_t at = text.find_first_not_of(L" \t");
  if (at == std::wstring::npos) return 0;
  std::string part;
  if (text[at] == L'+' || text[at] == L'-') part += static_cast<char>(text[at++]);
  bool digits = false, point = false;
  for (; at < text.size(); ++at) {
    const wchar_t c = text[at];
    if (c >= L'0' && c <= L'9') {
      digits = true;
    } else if (c == L'.' && !point) {
      point = true;
    } else {
      break;
    }
    part += static_cast<char>(c);
  }
  return digits ? std::strtod(part.c_str(), nullptr) : 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::wstring text = melodex::fuzz::TextReader(data, size).Text();
  const double got = melodex::HandOverNumber(text);
  const double expected = LeadingNumber(text);
  if (got != expected) {  // -0 and 0 are the same number to the dialogs
    std::fprintf(stderr, "hand-over number %.17g, the text's leading number is %.17g\n", got,
                 expected);
    std::abort();
  }
  return 0;
}
