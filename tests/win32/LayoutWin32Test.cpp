// Every control of every window as large as its design, in pixels at the window's DPI,
// whatever the system's message font (this program runs once more in prefixes with a larger
// one): some kinds of control the window system sizes by their font unless told otherwise.
#include <string>

#include "ui/about/frmAbout.h"
#include "ui/dialogs/Form2.h"
#include "ui/dialogs/Form3.h"
#include "ui/dialogs/Form4.h"
#include "win32/RealWindows.h"

namespace melodex::testing {
namespace {

using LayoutWin32Test = RealWindows;

TEST_F(LayoutWin32Test, EveryControlHasTheRectangleOfItsDesign) {
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
    form->Load();
    windows.PumpPending();
    const HWND window = Real(*form);
    ASSERT_NE(window, nullptr) << form->Name();
    const UINT dpi = GetDpiForWindow(window);
    ASSERT_EQ(dpi, ExpectedDpi());
    for (const ui::Control* control : form->Controls()) {
      if (control->GetKind() == ui::Control::Kind::Line) continue;  // drawn by its window
      SCOPED_TRACE(std::string(form->Name()) + "." + std::string(control->Name()));
      const ui::Rect& design = control->Geometry();
      const RECT real = PlaceOf(*control);
      EXPECT_EQ(real.left, Px(design.left, dpi));
      EXPECT_EQ(real.top, Px(design.top, dpi));
      EXPECT_EQ(real.right - real.left, Px(design.width, dpi));
      EXPECT_EQ(real.bottom - real.top, Px(design.height, dpi));
    }
  }
}

}  // namespace
}  // namespace melodex::testing
