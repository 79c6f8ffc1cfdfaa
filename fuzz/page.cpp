// The page writer on any title, base address and file name, in a code page of each kind:
// every line is whole (no line break inside one; each ends in CR LF) and holds only
// characters the code page holds, none of them a C1 control; the title is spelt in both of
// its places, each character as itself or as its reference; the link target is printable
// ASCII and percent-decodes back to the base address and the file name in UTF-8, each "&" of
// the name written "&amp;"; and the link text spells the cleaned name with every character a
// file name may not hold, markup among them, and every "&" as a reference.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "FuzzText.h"
#include "generator/ListingPageWriter.h"
#include "generator/TrackName.h"
#include "platform/CodePage.h"
#include "platform/FileSystem.h"
#include "support/PageExample.h"

namespace {

using melodex::CodePage;

// A surrogate that is not half of a pair, or a value beyond Unicode: no character at all.
constexpr char32_t kBroken = 0x110000;

void Require(bool ok, const char* what, std::wstring_view line = {}) {
  if (ok) return;
  std::fprintf(stderr, "page: %s\n", what);
  if (!line.empty()) {
    std::fprintf(stderr, "in the line:");
    for (const wchar_t c : line) std::fprintf(stderr, " %X", static_cast<unsigned>(c));
    std::fprintf(stderr, "\n");
  }
  std::abort();
}

// The characters of a wide text. A high surrogate followed by a low one is one character
// however wide wchar_t is (UTF-16, as Windows hands text over); any other unit is a code
// point of its own, and a surrogate alone is none.
std::u32string CodePoints(std::wstring_view text) {
  std::u32string points;
  for (std::size_t i = 0; i < text.size(); ++i) {
    auto c = static_cast<char32_t>(text[i]);
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() &&
        static_cast<char32_t>(text[i + 1]) >= 0xDC00 &&
        static_cast<char32_t>(text[i + 1]) <= 0xDFFF) {
      c = 0x10000 + ((c - 0xD800) << 10) + (static_cast<char32_t>(text[++i]) - 0xDC00);
    } else if ((c >= 0xD800 && c <= 0xDFFF) || c > 0x10FFFF) {
      c = kBroken;
    }
    points += c;
  }
  return points;
}

void AppendUtf8(std::string& out, char32_t c) {
  if (c == kBroken) c = 0xFFFD;
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

bool IsC1(char32_t c) { return c >= 0x80 && c <= 0x9F; }

// What Windows does not allow in a file name.
bool ForbiddenInNames(char32_t c) {
  return c < 0x20 || std::u32string_view(U"\"*/:<>?\\|").find(c) != std::u32string_view::npos;
}

// What a browser would read as the start of a character reference.
bool StartsReference(char32_t c) { return c == U'&'; }

bool MayStandRaw(char32_t c, const CodePage& codePage, bool fromFileName) {
  return c != kBroken && codePage.Holds(c) && !IsC1(c) &&
         !(fromFileName && (ForbiddenInNames(c) || StartsReference(c)));
}

// What a link target may hold as it is: printable ASCII, of a file name not what Windows
// forbids in names, the link's own marks "#" and "%" nor the start of a reference.
bool MayStandRawInLink(char32_t c, bool fromFileName) {
  if (c < 0x20 || c > 0x7E) return false;
  return !fromFileName || (!ForbiddenInNames(c) && c != U'#' && c != U'%' && !StartsReference(c));
}

// The code pages a page may be written in: Windows' Western one (which holds five of the
// C1 controls as bytes of their own), one that holds ASCII only, and UTF-8.
CodePage MakeCodePage(int which) {
  CodePage codePage;
  switch (which) {
    case 0:
      for (char32_t c = 0; c < 0x80; ++c) codePage.Add(c);
      for (char32_t c = 0xA0; c <= 0xFF; ++c) codePage.Add(c);
      for (const char32_t c :
           {0x81,   0x8D,   0x8F,   0x90,   0x9D,   0x20AC, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020,
            0x2021, 0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x017D, 0x2018, 0x2019, 0x201C, 0x201D,
            0x2022, 0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x017E, 0x0178}) {
        codePage.Add(c);
      }
      return codePage;
    case 1:
      for (char32_t c = 0; c < 0x80; ++c) codePage.Add(c);
      return codePage;
    default:
      return CodePage::Unicode();
  }
}

const CodePage& PickCodePage(std::uint8_t which) {
  static const CodePage kCodePages[] = {MakeCodePage(0), MakeCodePage(1), MakeCodePage(2)};
  return kCodePages[which % 3];
}

// A page file under the fuzzer's control: it keeps the lines as given and the bytes as a
// file would (UTF-8 here), each line ended by CR LF.
class PageFile : public melodex::TextFile {
 public:
  explicit PageFile(const CodePage& codePage) : codePage_(codePage) {}
  CodePage Encoding() const override { return codePage_; }
  void WriteLine(std::wstring_view line) override {
    lines.emplace_back(line);
    for (const char32_t c : CodePoints(line)) AppendUtf8(bytes, c);
    bytes += "\r\n";
  }
  void Close() override {}

  std::vector<std::wstring> lines;
  std::string bytes;

 private:
  CodePage codePage_;
};

PageFile Write(const CodePage& codePage, const melodex::PageSettings& settings,
               std::wstring_view fileName) {
  PageFile file(codePage);
  melodex::ListingPageWriter writer(file);
  writer.WriteHead(settings);
  writer.WriteLink(settings.BaseUrl, fileName);
  writer.WriteFoot();
  writer.Close();
  return file;
}

// One line's characters, read from the start.
class Cursor {
 public:
  explicit Cursor(std::wstring_view line) : line_(line), points_(CodePoints(line)) {}

  bool Take(std::u32string_view text) {
    if (points_.compare(at_, text.size(), text) != 0) return false;
    at_ += text.size();
    return true;
  }
  bool Take(std::wstring_view text) { return Take(CodePoints(text)); }
  bool TakeReference(char32_t expected) {
    const std::size_t start = at_;
    if (Take(U"&#")) {
      std::uint64_t value = 0;
      for (std::size_t digits = 0; digits < 8 && Peek() >= U'0' && Peek() <= U'9'; ++digits) {
        value = value * 10 + (points_[at_++] - U'0');
      }
      if (at_ > start + 2 && Take(U";") && value == expected) return true;
    }
    at_ = start;
    return false;
  }
  // "%XX", as one byte.
  bool TakePercent(std::string& bytes) {
    if (Peek() != U'%' || at_ + 3 > points_.size()) return false;
    const int high = Hex(points_[at_ + 1]), low = Hex(points_[at_ + 2]);
    if (high < 0 || low < 0) return false;
    bytes += static_cast<char>(high * 16 + low);
    at_ += 3;
    return true;
  }
  char32_t Peek() const { return at_ < points_.size() ? points_[at_] : 0; }
  void Skip() { ++at_; }
  bool AtEnd() const { return at_ == points_.size(); }
  std::u32string_view Rest() const { return std::u32string_view(points_).substr(at_); }
  std::wstring_view Line() const { return line_; }

 private:
  static int Hex(char32_t c) {
    if (c >= U'0' && c <= U'9') return static_cast<int>(c - U'0');
    if (c >= U'A' && c <= U'F') return static_cast<int>(c - U'A' + 10);
    return -1;
  }

  std::wstring_view line_;
  std::u32string points_;
  std::size_t at_ = 0;
};

// Text on the page: each character as itself where it may stand raw, else as its numeric
// reference (U+FFFD's for a C1 control or a broken surrogate), or a named one for markup.
void ExpectText(Cursor& line, std::wstring_view text, const CodePage& codePage, bool fromFileName) {
  for (const char32_t c : CodePoints(text)) {
    if (MayStandRaw(c, codePage, fromFileName)) {
      Require(line.Take(std::u32string(1, c)), "a character is not itself", line.Line());
      continue;
    }
    const bool named = (c == U'"' && line.Take(U"&quot;")) || (c == U'<' && line.Take(U"&lt;")) ||
                       (c == U'>' && line.Take(U"&gt;")) || (c == U'&' && line.Take(U"&amp;"));
    Require(named || line.TakeReference(c == kBroken || IsC1(c) ? 0xFFFD : c),
            "a character is neither itself nor its reference", line.Line());
  }
}

// The base address in a link target: each character as itself where it may stand raw, else
// as its UTF-8 bytes percent-encoded.
void ExpectBaseAddress(Cursor& line, std::wstring_view base) {
  for (const char32_t c : CodePoints(base)) {
    if (MayStandRawInLink(c, false)) {
      Require(line.Take(std::u32string(1, c)), "a character is not itself", line.Line());
      continue;
    }
    std::string expected, got;
    AppendUtf8(expected, c);
    while (got.size() < expected.size() && line.TakePercent(got)) {
    }
    Require(got == expected, "a character is neither itself nor percent-encoded", line.Line());
  }
}

// The file name in a link target, up to the closing quote, percent-decoded and "&amp;" read
// as the "&" it stands for.
std::string FileNameTarget(Cursor& line) {
  std::string bytes;
  while (line.Peek() != U'"') {
    if (line.TakePercent(bytes)) continue;
    if (line.Take(U"&amp;")) {
      bytes += '&';
      continue;
    }
    const char32_t c = line.Peek();
    Require(!line.AtEnd(), "the link target does not end", line.Line());
    Require(MayStandRawInLink(c, true), "the link target holds a character raw that it may not",
            line.Line());
    AppendUtf8(bytes, c);
    line.Skip();
  }
  return bytes;
}

// Where a text stands in a line: just after the first `marker`.
std::size_t After(std::wstring_view line, std::wstring_view marker) {
  const std::size_t at = line.find(marker);
  Require(at != std::wstring_view::npos, "a line of the page is not there", line);
  return at + marker.size();
}

std::wstring WithoutLineBreaks(std::wstring text) {
  std::erase_if(text, [](wchar_t c) { return c == L'\r' || c == L'\n'; });
  return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  melodex::fuzz::TextReader input(data, size);
  const CodePage& codePage = PickCodePage(input.Byte());
  const bool centred = input.Byte() & 1;
  // The title and the base address are the user's own and go on the page as typed; a line
  // break in them (which their single-line boxes do not take) would be the user's to make.
  const std::wstring title = WithoutLineBreaks(input.Text());
  const std::wstring base = WithoutLineBreaks(input.Text());
  const std::wstring fileName = input.Text();

  melodex::PageSettings settings = melodex::testing::StartPageSettings(L"", L"");
  settings.BaseUrl = base;
  settings.PageTitle = title;
  settings.ListCentered = centred;
  const PageFile page = Write(codePage, settings, fileName);
  // The same page without title, address or name shows where each goes.
  settings.PageTitle = settings.BaseUrl = L"";
  const PageFile plain = Write(codePage, settings, L"");

  Require(page.lines.size() == plain.lines.size() && page.lines.size() >= 4,
          "the page has lines missing or too many");
  std::size_t lineStart = 0;
  for (const std::wstring& line : page.lines) {
    const std::size_t end = page.bytes.find("\r\n", lineStart);
    Require(end != std::string::npos, "a line does not end in CR LF", line);
    const std::string_view bytes = std::string_view(page.bytes).substr(lineStart, end - lineStart);
    Require(bytes.find_first_of("\r\n") == std::string_view::npos, "a line breaks inside", line);
    lineStart = end + 2;
    for (const char32_t c : CodePoints(line)) {
      Require(c != kBroken && codePage.Holds(c), "a character the code page does not hold", line);
      Require(!IsC1(c), "a C1 control on the page", line);
    }
  }
  Require(lineStart == page.bytes.size(), "something follows the last line's CR LF");

  // The title, in the head line and in the heading line.
  for (const std::size_t i : {0, 1}) {
    const std::wstring_view marker = i == 0 ? L"<Title>" : L"<I>";
    const std::size_t at = After(plain.lines[i], marker);
    Cursor line(page.lines[i]);
    Require(line.Take(plain.lines[i].substr(0, at)), "the title's line begins otherwise",
            page.lines[i]);
    ExpectText(line, title, codePage, false);
    Require(line.Rest() == CodePoints(std::wstring_view(plain.lines[i]).substr(at)),
            "the title's line ends otherwise", page.lines[i]);
  }

  // The link line, the last but one.
  Cursor link(page.lines[page.lines.size() - 2]);
  Require(link.Take(U"<a href=\""), "the link line begins otherwise", link.Line());
  ExpectBaseAddress(link, base);
  std::string expectedName;
  for (const char32_t c : CodePoints(fileName)) AppendUtf8(expectedName, c);
  Require(FileNameTarget(link) == expectedName, "the link target does not decode to the file name",
          link.Line());
  Require(link.Take(U"\">"), "the link target is not closed", link.Line());
  ExpectText(link, melodex::CleanTrackName(fileName), codePage, true);
  Require(link.Take(U"</a><br>") && link.AtEnd(), "the link line ends otherwise", link.Line());
  return 0;
}
