#include <windows.h>

#include <commctrl.h>

#include "ui/win32/ControlPeer.h"
#include "ui/win32/Win32Support.h"
#include "ui/win32/Win32Window.h"

namespace melodex::win32 {
namespace {

// The application's icon, at the size of the control.
class ImagePeer : public ControlPeer {
 public:
  using ControlPeer::ControlPeer;
  ~ImagePeer() override {
    if (icon_) DestroyIcon(icon_);
  }

  void Relayout() override {
    ControlPeer::Relayout();
    ShowIcon();
  }

 private:
  ChildStyle Style() const override { return {WC_STATICW, SS_ICON | SS_REALSIZECONTROL}; }
  void OnCreated() override { ShowIcon(); }

  void ShowIcon() {
    const int size = Place().right;
    const HICON icon = static_cast<HICON>(LoadImageW(
        Window().Instance(), MAKEINTRESOURCEW(kIconResource), IMAGE_ICON, size, size, 0));
    if (!icon) return;
    SendMessageW(Handle(), STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
    if (icon_) DestroyIcon(icon_);
    icon_ = icon;
  }

  HICON icon_ = nullptr;
};

}  // namespace

std::unique_ptr<ControlPeer> MakeImagePeer(Win32Window& window, ui::Image& image) {
  return std::make_unique<ImagePeer>(window, image);
}

}  // namespace melodex::win32
