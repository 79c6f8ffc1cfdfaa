#include <windows.h>

#include <commctrl.h>
#include <uxtheme.h>

#include "ui/win32/ButtonPeer.h"
#include "ui/win32/Win32Support.h"

namespace melodex::win32 {
namespace {

class OptionButtonPeer : public ButtonPeer {
 public:
  OptionButtonPeer(Win32Window& window, ui::OptionButton& option)
      : ButtonPeer(window, option), option_(option) {}

  void Apply() override {
    ButtonPeer::Apply();
    SendMessageW(Handle(), BM_SETCHECK, option_.Value() ? BST_CHECKED : BST_UNCHECKED, 0);
    // Checking an option button makes it the group's only tab stop; here every option keeps
    // its own place in the tab order.
    SetWindowLongPtrW(Handle(), GWL_STYLE, GetWindowLongPtrW(Handle(), GWL_STYLE) | WS_TABSTOP);
  }

 private:
  // The model clears the other options of the group: the window system's own is left out.
  ChildStyle Style() const override {
    return {WC_BUTTONW, WS_TABSTOP | BS_NOTIFY | BS_RADIOBUTTON};
  }
  void OnCreated() override {
    // Themed option buttons ignore the text colour; these captions are drawn in theirs.
    SetWindowTheme(Handle(), L"", L"");
    Apply();
  }
  void Colors(COLORREF& fore, COLORREF& back) const override {
    fore = ColorOf(option_.ForeColor(), fore);
    back = ColorOf(option_.BackColor(), back);
  }

  ui::OptionButton& option_;
};

}  // namespace

std::unique_ptr<ControlPeer> MakeOptionButtonPeer(Win32Window& window, ui::OptionButton& option) {
  return std::make_unique<OptionButtonPeer>(window, option);
}

}  // namespace melodex::win32
