#include "ui/win32/ControlPeer.h"

#include "platform/Error.h"
#include "platform/win32/ScreenReaderName.h"
#include "ui/model/Lists.h"
#include "ui/win32/Win32Support.h"
#include "ui/win32/Win32Window.h"

namespace melodex::win32 {

void ControlPeer::Create(int id) {
  const ChildStyle child = Style();
  DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | child.style;  // some controls overlap
  if (!control_.Enabled()) style |= WS_DISABLED;
  const RECT place = Place();
  // Children join the bottom of the window order as they are made.
  handle_ = CreateWindowExW(child.exStyle, child.className, Shown().c_str(), style, place.left,
                            place.top, place.right, place.bottom, window_.Handle(),
                            reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), window_.Instance(),
                            nullptr);
  if (!handle_) throw Error(L"cannot create a control");
  SendMessageW(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(Font()), FALSE);
  OnCreated();
  ApplyName();
}

void ControlPeer::ApplyName() { NameForScreenReaders(handle_, control_.AccessibleName()); }

void ControlPeer::Apply() {
  EnableWindow(handle_, control_.Enabled());
  const std::wstring text = Shown();
  if (TextOf(handle_) != text) {
    Win32Window::Quiet quiet(window_);
    SetWindowTextW(handle_, text.c_str());
  }
}

void ControlPeer::Relayout() {
  const RECT place = Place();
  MoveWindow(handle_, place.left, place.top, place.right, place.bottom, FALSE);
  SendMessageW(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(Font()), FALSE);
}

HBRUSH ControlPeer::OnColor(HDC dc) {
  COLORREF fore = GetSysColor(COLOR_BTNTEXT);
  COLORREF back = window_.Background();
  Colors(fore, back);
  if (!control_.Enabled()) fore = GetSysColor(COLOR_GRAYTEXT);
  return window_.SetColors(dc, fore, back);
}

std::wstring ControlPeer::Shown() const { return ForDisplay(control_.Text()); }

HFONT ControlPeer::Font() { return window_.DefaultFont(); }

RECT ControlPeer::Place() const {
  const ui::Rect& r = control_.Geometry();
  const UINT dpi = window_.Dpi();
  return {Pixels(r.left, dpi), Pixels(r.top, dpi), Pixels(r.width, dpi), Pixels(r.height, dpi)};
}

std::unique_ptr<ControlPeer> MakePeer(Win32Window& window, ui::Control& control) {
  using Kind = ui::Control::Kind;
  switch (control.GetKind()) {
    case Kind::TextBox:
      return MakeTextBoxPeer(window, static_cast<ui::TextBox&>(control));
    case Kind::CommandButton:
      return MakeCommandButtonPeer(window, static_cast<ui::CommandButton&>(control));
    case Kind::CheckBox:
      return MakeCheckBoxPeer(window, static_cast<ui::CheckBox&>(control));
    case Kind::OptionButton:
      return MakeOptionButtonPeer(window, static_cast<ui::OptionButton&>(control));
    case Kind::Label:
      return MakeLabelPeer(window, static_cast<ui::Label&>(control));
    case Kind::Line:
      return MakeLinePeer(window, static_cast<ui::Line&>(control));
    case Kind::Image:
      return MakeImagePeer(window, static_cast<ui::Image&>(control));
    case Kind::DriveList:
      return MakeDriveListPeer(window, static_cast<ui::DriveList&>(control));
    case Kind::DirList:
      break;
  }
  return MakeDirListPeer(window, static_cast<ui::DirList&>(control));
}

}  // namespace melodex::win32
