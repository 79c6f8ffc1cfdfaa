#pragma once

#include <string>

namespace melodex::ui {

// A rectangle in twips (1/1440 inch): left and top within the window's client area.
struct Rect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  bool operator==(const Rect&) const = default;
};

enum class SystemColor { WindowText, Window, ButtonText, HighlightText };

struct Color {
  enum class Kind { Default, Rgb, System };
  Kind kind = Kind::Default;
  unsigned value = 0;  // 0xRRGGBB, or a SystemColor

  static constexpr Color Rgb(unsigned red, unsigned green, unsigned blue) {
    return {Kind::Rgb, (red << 16) | (green << 8) | blue};
  }
  static constexpr Color System(SystemColor color) {
    return {Kind::System, static_cast<unsigned>(color)};
  }
  bool operator==(const Color&) const = default;
};

// An empty name means the window's default font.
struct Font {
  std::wstring name;
  int points = 0;
  bool bold = false;
  bool italic = false;
  bool underline = false;
};

}  // namespace melodex::ui
