#include "e2e/Expected.h"

#include "e2e/driver/Files.h"

namespace e2e {

std::string PageBytes(const PageLook& look, const std::vector<std::wstring>& linkLines) {
  std::vector<std::wstring> lines = {HeadLine(look), HeadingLine(look)};
  if (look.centred) lines.push_back(L"<center>");
  lines.insert(lines.end(), linkLines.begin(), linkLines.end());
  lines.push_back(kFooterLine);
  std::string bytes;
  for (const std::wstring& line : lines) bytes += Ansi(line) + "\r\n";
  return bytes;
}

}  // namespace e2e
