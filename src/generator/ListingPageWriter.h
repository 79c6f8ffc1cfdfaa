#pragma once

#include <string>
#include <string_view>

#include "generator/PageSettings.h"
#include "platform/CodePage.h"
#include "platform/FileSystem.h"

namespace melodex {

// Writes the lines of "mp3list.html" to a page file: WriteHead once, WriteLink once per
// music file, WriteFoot once, then Close. Each line is made in one buffer kept for the next,
// so a long listing costs no allocation per name.
class ListingPageWriter {
 public:
  explicit ListingPageWriter(TextFile& file) : file_(file), codePage_(file.Encoding()) {}

  // The head line, the heading line and, for a centred list, the centring line.
  void WriteHead(const PageSettings& settings);

  // One link: the base address and the file name as target, the cleaned track name as text.
  void WriteLink(std::wstring_view baseUrl, std::wstring_view fileName);

  // The footer with the mail link to the author.
  void WriteFoot();

  void Close();

 private:
  void Text(std::wstring_view text);
  void Flush();

  TextFile& file_;
  const CodePage codePage_;
  std::wstring line_;
  std::wstring linkText_;
  std::wstring baseUrl_;
  std::wstring escapedBaseUrl_;
};

}  // namespace melodex
