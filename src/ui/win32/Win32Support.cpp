#include "ui/win32/Win32Support.h"

#include "Melodex.h"
#include "platform/win32/Unexpected.h"

namespace melodex::win32 {
namespace {

int SystemColorIndex(ui::SystemColor color) {
  switch (color) {
    case ui::SystemColor::Window:
      return COLOR_WINDOW;
    case ui::SystemColor::ButtonText:
      return COLOR_BTNTEXT;
    case ui::SystemColor::HighlightText:
      return COLOR_HIGHLIGHTTEXT;
    case ui::SystemColor::WindowText:
      break;
  }
  return COLOR_WINDOWTEXT;
}

}  // namespace

int Pixels(int twips, UINT dpi) { return MulDiv(twips, static_cast<int>(dpi), 1440); }

int Scaled(int pixels, UINT dpi) {
  return MulDiv(pixels, static_cast<int>(dpi), USER_DEFAULT_SCREEN_DPI);
}

COLORREF ColorOf(const ui::Color& color, COLORREF fallback) {
  switch (color.kind) {
    case ui::Color::Kind::Rgb:
      return RGB((color.value >> 16) & 0xFF, (color.value >> 8) & 0xFF, color.value & 0xFF);
    case ui::Color::Kind::System:
      return GetSysColor(SystemColorIndex(static_cast<ui::SystemColor>(color.value)));
    case ui::Color::Kind::Default:
      break;
  }
  return fallback;
}

std::wstring ForDisplay(const std::wstring& text) {
  std::wstring shown = text;
  for (std::size_t at = shown.find(L"\n\r"); at != std::wstring::npos;
       at = shown.find(L"\n\r", at + 2)) {
    shown[at] = L'\r';
    shown[at + 1] = L'\n';
  }
  return shown;
}

std::wstring TextOf(HWND window) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(
      static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return text;
}

void ReportUnexpected(std::wstring_view what) { ReportUnexpected(kAppTitle, what); }

}  // namespace melodex::win32
