#pragma once

#include <memory>

namespace melodex::ui {

class Control;
class Form;
class MenuItem;

// The real window behind a form. The form tells it what changed; the backend tells the form
// what the user did (Control::Press, TextBox::OnUserEdit, Form::OnUserFocus, Form::CloseBox).
class WindowPeer {
 public:
  virtual ~WindowPeer() = default;
  virtual void Show() = 0;  // visible, and brought to the front
  virtual void Hide() = 0;
  virtual void CaptionChanged() = 0;
  virtual void ControlChanged(const Control& control) = 0;
  virtual void MenuChanged(const MenuItem& item) = 0;
  virtual void FocusChanged(const Control& control) = 0;
  virtual void OuterSizeChanged() = 0;
};

// Makes real windows of forms.
class Backend {
 public:
  virtual ~Backend() = default;
  // The form's window with all its controls, not yet visible.
  virtual std::unique_ptr<WindowPeer> Realize(Form& form) = 0;
  // Closes every window and ends the program.
  virtual void EndProgram() = 0;
};

}  // namespace melodex::ui
