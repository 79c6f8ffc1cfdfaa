#include <windows.h>

#include <commctrl.h>

#include "ui/win32/ButtonPeer.h"

namespace melodex::win32 {
namespace {

class CheckBoxPeer : public ButtonPeer {
 public:
  CheckBoxPeer(Win32Window& window, ui::CheckBox& box) : ButtonPeer(window, box), box_(box) {}

  void Apply() override {
    ButtonPeer::Apply();
    const ui::CheckBox::State state = box_.Value();
    SendMessageW(Handle(), BM_SETCHECK,
                 state == ui::CheckBox::State::Checked  ? BST_CHECKED
                 : state == ui::CheckBox::State::Grayed ? BST_INDETERMINATE
                                                        : BST_UNCHECKED,
                 0);
  }

 private:
  // The model toggles the box: the window system's own toggling is left out.
  ChildStyle Style() const override { return {WC_BUTTONW, WS_TABSTOP | BS_NOTIFY | BS_CHECKBOX}; }
  void OnCreated() override { Apply(); }

  ui::CheckBox& box_;
};

}  // namespace

std::unique_ptr<ControlPeer> MakeCheckBoxPeer(Win32Window& window, ui::CheckBox& box) {
  return std::make_unique<CheckBoxPeer>(window, box);
}

}  // namespace melodex::win32
