#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "ui/model/Look.h"

namespace melodex::win32 {

// Small conversions between the control model and Windows, shared by the windows and their
// controls.

// The application's icon among the program's resources.
inline constexpr int kIconResource = 1;

// A length in twips (1/1440 inch) in pixels at the DPI.
int Pixels(int twips, UINT dpi);
// A length in pixels at 96 dpi, in pixels at the DPI.
int Scaled(int pixels, UINT dpi);

COLORREF ColorOf(const ui::Color& color, COLORREF fallback);

// Texts the program composes break lines with line feed then carriage return; the window
// system draws a line break for carriage return then line feed.
std::wstring ForDisplay(const std::wstring& text);

std::wstring TextOf(HWND window);

// Something thrown that nothing else caught, told as the platform tells it, under the
// program's title.
void ReportUnexpected(std::wstring_view what = {});

}  // namespace melodex::win32
