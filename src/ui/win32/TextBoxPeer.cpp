#include <windows.h>

#include <commctrl.h>

#include "ui/win32/ControlPeer.h"
#include "ui/win32/Win32Support.h"
#include "ui/win32/Win32Window.h"

namespace melodex::win32 {
namespace {

// A single-line edit box with no length limit; what the user types reaches the model as it
// is typed.
class TextBoxPeer : public ControlPeer {
 public:
  TextBoxPeer(Win32Window& window, ui::TextBox& box) : ControlPeer(window, box), box_(box) {}

  void OnCommand(int code) override {
    if (code == EN_CHANGE && !Window().IsQuiet()) box_.OnUserEdit(TextOf(Handle()));
    if (code == EN_SETFOCUS) Window().SyncFocus();
  }

 private:
  ChildStyle Style() const override {
    return {WC_EDITW, WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE};
  }
  void OnCreated() override { SendMessageW(Handle(), EM_SETLIMITTEXT, 0, 0); }
  // A text box holds its text as it is, whatever line breaks it has.
  std::wstring Shown() const override { return box_.Text(); }

  ui::TextBox& box_;
};

}  // namespace

std::unique_ptr<ControlPeer> MakeTextBoxPeer(Win32Window& window, ui::TextBox& box) {
  return std::make_unique<TextBoxPeer>(window, box);
}

}  // namespace melodex::win32
