#include "ui/model/Control.h"

#include <algorithm>
#include <cwctype>

#include "ui/model/Form.h"

namespace melodex::ui {

Control::Control(Form& form, Kind kind, std::string_view name, Rect rect, int tabIndex,
                 std::wstring text)
    : form_(form),
      kind_(kind),
      name_(name),
      rect_(rect),
      tabIndex_(tabIndex),
      text_(std::move(text)) {
  form_.Add(*this);
}

void Control::Changed() {
  if (WindowPeer* peer = form_.Peer()) peer->ControlChanged(*this);
}

void Control::SetEnabled(bool enabled) {
  if (enabled_ == enabled) return;
  enabled_ = enabled;
  Changed();
  if (!enabled && form_.Focused() == this) form_.PressTab();
}

void Control::SetText(std::wstring text) {
  if (text_ == text) return;
  text_ = std::move(text);
  Changed();
}

void Control::SetAccessibleName(std::wstring name) {
  if (accessibleName_ == name) return;
  accessibleName_ = std::move(name);
  Changed();
}

bool Control::TakesFocus() const {
  switch (kind_) {
    case Kind::Label:
    case Kind::Line:
    case Kind::Image:
      return false;
    default:
      return enabled_;
  }
}

wchar_t Control::AccessKey() const {
  if (kind_ == Kind::TextBox) return 0;
  for (std::size_t i = 0; i + 1 < text_.size(); ++i) {
    if (text_[i] != L'&') continue;
    if (text_[i + 1] != L'&') return static_cast<wchar_t>(std::towupper(text_[i + 1]));
    ++i;  // "&&" is a literal ampersand
  }
  return 0;
}

std::wstring Control::PlainText() const {
  if (kind_ == Kind::TextBox) return text_;
  std::wstring plain;
  for (std::size_t i = 0; i < text_.size(); ++i) {
    if (text_[i] == L'&' && i + 1 < text_.size()) ++i;  // the mark, or the first of "&&"
    plain += text_[i];
  }
  return plain;
}

void Control::Press() {
  if (enabled_) OnPress();
}

void TextBox::OnUserEdit(std::wstring text) { StoreText(std::move(text)); }

void CommandButton::OnPress() {
  if (Click) Click();
}

void CheckBox::SetValue(State state) {
  if (state_ == state) return;
  state_ = state;
  Changed();
}

void CheckBox::OnPress() { SetValue(state_ == State::Checked ? State::Unchecked : State::Checked); }

void OptionButton::SetValue(bool selected) {
  if (selected) {
    for (Control* control : Parent().Controls()) {
      if (control != this && control->GetKind() == Kind::OptionButton) {
        static_cast<OptionButton*>(control)->SetValue(false);
      }
    }
  }
  if (selected_ == selected) return;
  selected_ = selected;
  Changed();
}

void OptionButton::OnPress() { SetValue(true); }

Line::Line(Form& form, std::string_view name, int x1, int y1, int x2, int y2, Color color,
           int width)
    : Control(form, Kind::Line, name,
              {std::min(x1, x2), std::min(y1, y2), std::abs(x2 - x1), std::abs(y2 - y1)}, -1, L""),
      x1_(x1),
      y1_(y1),
      x2_(x2),
      y2_(y2),
      color_(color),
      width_(width) {}

}  // namespace melodex::ui
