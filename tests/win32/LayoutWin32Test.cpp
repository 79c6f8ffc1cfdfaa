// Every control of every window as large as its design, in pixels at the window's DPI, and in
// its font at that DPI, whatever the system's message font (this program runs once more in
// prefixes with a larger one): some kinds of control the window system sizes by their font
// unless told otherwise. The same once the window has moved to a screen of another DPI.
#include <string>
#include <string_view>

#include "ui/about/frmAbout.h"
#include "ui/dialogs/Form2.h"
#include "ui/dialogs/Form3.h"
#include "ui/dialogs/Form4.h"
#include "win32/RealWindows.h"

namespace melodex::testing {
namespace {

class LayoutWin32Test : public RealWindows {
 protected:
  // Each control at its design's place, in the system's message font or a label's own, at
  // the DPI.
  void ExpectLaidOutAt(const ui::Form* form, UINT dpi) {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, dpi);
    for (const ui::Control* control : form->Controls()) {
      if (control->GetKind() == ui::Control::Kind::Line) continue;  // drawn by its window
      SCOPED_TRACE(std::string(form->Name()) + "." + std::string(control->Name()) + " at " +
                   std::to_string(dpi));
      const ui::Rect& design = control->Geometry();
      const RECT real = PlaceOf(*control);
      EXPECT_EQ(real.left, Px(design.left, dpi));
      EXPECT_EQ(real.top, Px(design.top, dpi));
      EXPECT_EQ(real.right - real.left, Px(design.width, dpi));
      EXPECT_EQ(real.bottom - real.top, Px(design.height, dpi));
      if (control->GetKind() == ui::Control::Kind::Image) continue;  // shows no text
      const auto* label = dynamic_cast<const ui::Label*>(control);
      const bool own = label && !label->Appearance().font.name.empty();
      LOGFONTW font{};
      GetObjectW(reinterpret_cast<HFONT>(SendMessageW(Real(*control), WM_GETFONT, 0, 0)),
                 sizeof font, &font);
      EXPECT_EQ(font.lfHeight,
                own ? -MulDiv(label->Appearance().font.points, static_cast<int>(dpi), 72)
                    : metrics.lfMessageFont.lfHeight);
      // A font of its own is a face the design names, and may draw a name in any script
      // through the fonts linked to it; never the old bitmap font, which the DPI cannot scale.
      if (own) {
        EXPECT_EQ(font.lfCharSet, DEFAULT_CHARSET);
        EXPECT_NE(font.lfFaceName[0], L'\0');
        EXPECT_NE(std::wstring_view(font.lfFaceName), L"MS Sans Serif");
      }
    }
  }
};

TEST_F(LayoutWin32Test, EveryControlHasTheRectangleAndTheFontOfItsDesign) {
  if (const int height = ExpectedMessageFont()) {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    ASSERT_TRUE(
        SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, 96));
    ASSERT_EQ(metrics.lfMessageFont.lfHeight, -height) << "the test prefix sets the message font";
  }
  ui::Form* const forms[] = {&Main(), &app.FolderPicker(), &app.ColourChooser(), &app.HelpWindow(),
                             &app.AboutBox()};
  for (ui::Form* form : forms) {
    form->Show();  // drawn, so that what it must draw anew shows
    windows.PumpPending();
    const HWND window = Real(*form);
    ASSERT_NE(window, nullptr) << form->Name();
    const UINT dpi = GetDpiForWindow(window);
    ASSERT_EQ(dpi, ExpectedDpi());
    ExpectLaidOutAt(form, dpi);

    // Moved to a screen of one and a half times the DPI: the window asks for its size there,
    // and takes the place the system suggests.
    const UINT other = dpi * 3 / 2;
    RECT before, after;
    GetWindowRect(window, &before);
    SIZE size{};
    ASSERT_TRUE(SendMessageW(window, WM_GETDPISCALEDSIZE, other, reinterpret_cast<LPARAM>(&size)));
    const RECT suggested{before.left + 7, before.top + 5, before.left + 7 + size.cx,
                         before.top + 5 + size.cy};
    SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(other, other),
                 reinterpret_cast<LPARAM>(&suggested));
    GetWindowRect(window, &after);
    EXPECT_TRUE(EqualRect(&after, &suggested));
    const HRGN dirty = CreateRectRgn(0, 0, 0, 0);
    GetUpdateRgn(window, dirty, FALSE);
    EXPECT_TRUE(PtInRegion(dirty, 0, 0)) << "drawn anew in full";
    DeleteObject(dirty);
    ExpectLaidOutAt(form, other);
    // Back where it came from, it wants the size it had there.
    SendMessageW(window, WM_GETDPISCALEDSIZE, dpi, reinterpret_cast<LPARAM>(&size));
    EXPECT_EQ(size.cx, before.right - before.left);
    EXPECT_EQ(size.cy, before.bottom - before.top);
  }
}

}  // namespace
}  // namespace melodex::testing
