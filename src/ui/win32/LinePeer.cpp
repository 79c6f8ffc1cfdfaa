#include <algorithm>

#include "ui/win32/ControlPeer.h"
#include "ui/win32/Win32Support.h"
#include "ui/win32/Win32Window.h"

namespace melodex::win32 {
namespace {

// A straight line, painted by the window on itself: it has no child window.
class LinePeer : public ControlPeer {
 public:
  LinePeer(Win32Window& window, ui::Line& line) : ControlPeer(window, line), line_(line) {}

  void Create(int) override {}
  void Apply() override {}
  void Relayout() override {}

  void Paint(HDC dc) override {
    const UINT dpi = Window().Dpi();
    const int width = std::max(1, Scaled(line_.Width(), dpi));
    const HPEN pen =
        CreatePen(PS_SOLID, width, ColorOf(line_.LineColor(), GetSysColor(COLOR_WINDOWTEXT)));
    const HGDIOBJ old = SelectObject(dc, pen);
    MoveToEx(dc, Pixels(line_.X1(), dpi), Pixels(line_.Y1(), dpi), nullptr);
    LineTo(dc, Pixels(line_.X2(), dpi), Pixels(line_.Y2(), dpi));
    SelectObject(dc, old);
    DeleteObject(pen);
  }

 private:
  ChildStyle Style() const override { return {nullptr}; }

  ui::Line& line_;
};

}  // namespace

std::unique_ptr<ControlPeer> MakeLinePeer(Win32Window& window, ui::Line& line) {
  return std::make_unique<LinePeer>(window, line);
}

}  // namespace melodex::win32
