#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "ui/model/Look.h"

namespace melodex::ui {

class Form;

// A control of a form: its kind, design geometry (twips), tab order and the properties that
// code and user change. Setting a property from code shows in the real window; what the user
// does arrives through Press() and, for text boxes, OnUserEdit().
class Control {
 public:
  enum class Kind {
    TextBox,
    CommandButton,
    CheckBox,
    OptionButton,
    Label,
    Line,
    Image,
    DriveList,
    DirList
  };

  Control(Form& form, Kind kind, std::string_view name, Rect rect, int tabIndex, std::wstring text);
  virtual ~Control() = default;
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

  Form& Parent() const { return form_; }
  Kind GetKind() const { return kind_; }
  // Its name in code. Names are literals, which outlive every control: only a view is kept.
  std::string_view Name() const { return name_; }
  const Rect& Geometry() const { return rect_; }
  int TabIndex() const { return tabIndex_; }

  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);

  // The caption of a button, check box, option button or label; the text of a text box.
  const std::wstring& Text() const { return text_; }
  void SetText(std::wstring text);

  // Whether the control can have the keyboard focus now.
  bool TakesFocus() const;

  // The access key: the letter after a single "&" in the caption, upper-cased, or 0.
  wchar_t AccessKey() const;
  // The caption as it reads on screen: without the "&" that marks the access key, and "&&"
  // as one "&". A text box's text as it is.
  std::wstring PlainText() const;

  // What a screen reader announces the control as. Empty: the window system's own name,
  // which for a button, check box, option button or label is its caption. A control whose
  // label is something else (the button beside a text box) is given the label's words.
  const std::wstring& AccessibleName() const { return accessibleName_; }
  void SetAccessibleName(std::wstring name);

  // The user clicks the control, presses Space on it or types its access key. A disabled
  // control ignores it, whatever the window system delivers.
  void Press();

  // Whether Enter, while the control has the focus, is the control's own key rather than
  // the window's default button's; and what Enter then does.
  virtual bool WantsEnter() const { return false; }
  virtual void OnEnter() {}

  // The form is being loaded, before its window is made: a control that shows what lies
  // outside the program reads it now.
  virtual void OnLoad() {}

 protected:
  virtual void OnPress() {}
  void Changed();
  // Stores text that the real window holds already.
  void StoreText(std::wstring text) { text_ = std::move(text); }

 private:
  Form& form_;
  Kind kind_;
  std::string_view name_;
  Rect rect_;
  int tabIndex_;
  bool enabled_ = true;
  std::wstring text_;
  std::wstring accessibleName_;
};

class TextBox : public Control {
 public:
  TextBox(Form& form, std::string_view name, Rect rect, int tabIndex, std::wstring text = L"")
      : Control(form, Kind::TextBox, name, rect, tabIndex, std::move(text)) {}

  // What the user typed, already in the real window.
  void OnUserEdit(std::wstring text);
};

class CommandButton : public Control {
 public:
  CommandButton(Form& form, std::string_view name, std::wstring caption, Rect rect, int tabIndex)
      : Control(form, Kind::CommandButton, name, rect, tabIndex, std::move(caption)) {}

  std::function<void()> Click;

 protected:
  void OnPress() override;
};

class CheckBox : public Control {
 public:
  enum class State { Unchecked, Checked, Grayed };
  CheckBox(Form& form, std::string_view name, std::wstring caption, Rect rect, int tabIndex,
           State state)
      : Control(form, Kind::CheckBox, name, rect, tabIndex, std::move(caption)), state_(state) {}

  State Value() const { return state_; }
  void SetValue(State state);

 protected:
  void OnPress() override;  // toggles between checked and unchecked

 private:
  State state_;
};

// Option buttons placed directly on a form form one group: selecting one clears the others.
class OptionButton : public Control {
 public:
  OptionButton(Form& form, std::string_view name, std::wstring caption, Rect rect, int tabIndex,
               Color foreColor, Color backColor)
      : Control(form, Kind::OptionButton, name, rect, tabIndex, std::move(caption)),
        foreColor_(foreColor),
        backColor_(backColor) {}

  bool Value() const { return selected_; }
  void SetValue(bool selected);
  const Color& ForeColor() const { return foreColor_; }
  const Color& BackColor() const { return backColor_; }

 protected:
  void OnPress() override;

 private:
  bool selected_ = false;
  Color foreColor_;
  Color backColor_;
};

// Text on the form, one line or several; it never takes the focus. An access key in its
// caption moves the focus to the next control in the tab order.
class Label : public Control {
 public:
  struct Look {
    Font font;
    Color foreColor;
    Color backColor;
  };
  Label(Form& form, std::string_view name, std::wstring caption, Rect rect, int tabIndex,
        Look look = {})
      : Control(form, Kind::Label, name, rect, tabIndex, std::move(caption)),
        look_(std::move(look)) {}

  const Look& Appearance() const { return look_; }

 private:
  Look look_;
};

// A straight line from (x1, y1) to (x2, y2), in twips.
class Line : public Control {
 public:
  Line(Form& form, std::string_view name, int x1, int y1, int x2, int y2, Color color,
       int width = 1);

  int X1() const { return x1_; }
  int Y1() const { return y1_; }
  int X2() const { return x2_; }
  int Y2() const { return y2_; }
  const Color& LineColor() const { return color_; }
  int Width() const { return width_; }  // in pixels

 private:
  int x1_, y1_, x2_, y2_;
  Color color_;
  int width_;
};

// The application's icon.
class Image : public Control {
 public:
  Image(Form& form, std::string_view name, Rect rect)
      : Control(form, Kind::Image, name, rect, -1, L"") {}
};

}  // namespace melodex::ui
