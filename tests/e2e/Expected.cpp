#include "e2e/Expected.h"

#include <windows.h>

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

std::wstring InLinkTarget(const std::wstring& base) {
  static constexpr wchar_t kHex[] = L"0123456789ABCDEF";
  std::wstring target;
  for (const wchar_t c : base) {
    if (c >= 0x20 && c < 0x7F) {
      target += c;
      continue;
    }
    char bytes[4];
    const int size = WideCharToMultiByte(CP_UTF8, 0, &c, 1, bytes, 4, nullptr, nullptr);
    for (int i = 0; i < size; ++i) {
      const auto byte = static_cast<unsigned char>(bytes[i]);
      target += {L'%', kHex[byte >> 4], kHex[byte & 0xF]};
    }
  }
  return target;
}

}  // namespace e2e
