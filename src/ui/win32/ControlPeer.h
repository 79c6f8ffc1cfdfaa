#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "ui/model/Control.h"

namespace melodex::ui {
class CheckBox;
class CommandButton;
class DirList;
class DriveList;
class Image;
class Label;
class Line;
class OptionButton;
class TextBox;
}  // namespace melodex::ui

namespace melodex::win32 {

class Win32Window;

// The real control behind one control of a form: it makes the child window, keeps it as the
// model says, and handles what the child reports, which the window hands on to it (its
// notifications, its colours, its owner-drawn items).
class ControlPeer {
 public:
  ControlPeer(Win32Window& window, ui::Control& control) : window_(window), control_(control) {}
  virtual ~ControlPeer() = default;
  ControlPeer(const ControlPeer&) = delete;
  ControlPeer& operator=(const ControlPeer&) = delete;

  ui::Control& Model() const { return control_; }
  // The child window, or null for a control that the window paints itself.
  HWND Handle() const { return handle_; }

  // Makes the child window, with that id, showing the model's state.
  virtual void Create(int id);
  // Brings the child in line with the model after the model changed.
  virtual void Apply();
  // Gives the child the model's screen-reader name, a copy of its own, anew whenever the
  // model changed: the model's controls are gone before their windows at the end.
  virtual void ApplyName();
  // Places and sizes the child anew, and gives it its fonts, after the DPI changed.
  virtual void Relayout();

  // A notification of the child (WM_COMMAND).
  virtual void OnCommand(int /*code*/) {}
  // The colours the child draws its text in (WM_CTLCOLORSTATIC, WM_CTLCOLORBTN): sets them
  // on `dc` and returns the background brush.
  HBRUSH OnColor(HDC dc);
  virtual void OnMeasureItem(MEASUREITEMSTRUCT& /*item*/) {}
  virtual void OnDrawItem(const DRAWITEMSTRUCT& /*item*/) {}
  // Draws on the window itself, below the children.
  virtual void Paint(HDC /*dc*/) {}
  // Whether Enter, pressed now, presses this control: a button then looks like the default
  // button.
  virtual void ShowAsEnterTarget(bool /*target*/) {}

 protected:
  struct ChildStyle {
    const wchar_t* className;
    DWORD style = 0;
    DWORD exStyle = 0;
  };
  // The window class and the styles of the child, beyond those every child has.
  virtual ChildStyle Style() const = 0;
  // Runs once the child exists and has its font.
  virtual void OnCreated() {}
  // The text the child shows for the model's text.
  virtual std::wstring Shown() const;
  virtual HFONT Font();
  // Left, top, width and height in pixels.
  virtual RECT Place() const;
  // The text and background colours of a control that has colours of its own.
  virtual void Colors(COLORREF& /*fore*/, COLORREF& /*back*/) const {}

  Win32Window& Window() const { return window_; }

 private:
  Win32Window& window_;
  ui::Control& control_;
  HWND handle_ = nullptr;
};

// The peer of a control of any kind.
std::unique_ptr<ControlPeer> MakePeer(Win32Window& window, ui::Control& control);

// One peer for each kind of control, each in a file of its own.
std::unique_ptr<ControlPeer> MakeTextBoxPeer(Win32Window& window, ui::TextBox& box);
std::unique_ptr<ControlPeer> MakeCommandButtonPeer(Win32Window& window, ui::CommandButton& button);
std::unique_ptr<ControlPeer> MakeCheckBoxPeer(Win32Window& window, ui::CheckBox& box);
std::unique_ptr<ControlPeer> MakeOptionButtonPeer(Win32Window& window, ui::OptionButton& option);
std::unique_ptr<ControlPeer> MakeLabelPeer(Win32Window& window, ui::Label& label);
std::unique_ptr<ControlPeer> MakeLinePeer(Win32Window& window, ui::Line& line);
std::unique_ptr<ControlPeer> MakeImagePeer(Win32Window& window, ui::Image& image);
std::unique_ptr<ControlPeer> MakeDriveListPeer(Win32Window& window, ui::DriveList& drives);
std::unique_ptr<ControlPeer> MakeDirListPeer(Win32Window& window, ui::DirList& folders);

}  // namespace melodex::win32
