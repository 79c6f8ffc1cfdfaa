#pragma once

#include "ui/win32/ControlPeer.h"
#include "ui/win32/Win32Window.h"

namespace melodex::win32 {

// What every kind of button shares: a click, Space or an access key presses the model's
// control, and taking the focus may change which button Enter presses.
class ButtonPeer : public ControlPeer {
 public:
  using ControlPeer::ControlPeer;

  void OnCommand(int code) override {
    if (code == BN_SETFOCUS) Window().SyncFocus();
    if (code == BN_CLICKED) {
      Window().SyncFocus();
      Model().Press();  // the form, and this peer with it, may be gone after this
    }
  }
};

}  // namespace melodex::win32
