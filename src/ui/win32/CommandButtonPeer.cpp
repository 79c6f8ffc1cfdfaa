#include "ui/win32/ButtonPeer.h"

#include <commctrl.h>

namespace melodex::win32 {
namespace {

class CommandButtonPeer : public ButtonPeer {
 public:
  CommandButtonPeer(Win32Window& window, ui::CommandButton& button)
      : ButtonPeer(window, button), button_(button) {}

  void ShowAsEnterTarget(bool target) override {
    const LONG_PTR style = GetWindowLongPtrW(Handle(), GWL_STYLE);
    const bool looksDefault = (style & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
    if (looksDefault != target) {
      SendMessageW(Handle(), BM_SETSTYLE, BS_NOTIFY | (target ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON),
                   TRUE);
    }
  }

 private:
  ChildStyle Style() const override {
    const bool isDefault = &button_ == button_.Parent().DefaultButton();
    return {WC_BUTTONW, static_cast<DWORD>(WS_TABSTOP | BS_NOTIFY |
                                           (isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON))};
  }

  ui::CommandButton& button_;
};

}  // namespace

std::unique_ptr<ControlPeer> MakeCommandButtonPeer(Win32Window& window, ui::CommandButton& button) {
  return std::make_unique<CommandButtonPeer>(window, button);
}

}  // namespace melodex::win32
