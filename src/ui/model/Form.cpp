#include "ui/model/Form.h"

#include <algorithm>
#include <cwctype>

namespace melodex::ui {

Form::Form(Backend& backend, std::string_view name, Design design)
    : backend_(backend), name_(name), design_(std::move(design)), caption_(design_.caption) {}

Form::~Form() = default;

void Form::Load() {
  if (peer_) return;
  unloaded_ = false;
  for (Control* control : controls_) control->OnLoad();
  peer_ = backend_.Realize(*this);
  Form_Load();
}

void Form::Show() {
  Load();
  if (!peer_) return;  // Form_Load unloaded it again
  if (!focused_ || !focused_->TakesFocus()) {
    const auto order = TabOrder();
    focused_ = order.empty() ? nullptr : order.front();
  }
  visible_ = true;
  peer_->Show();
  if (focused_) peer_->FocusChanged(*focused_);
}

void Form::Hide() {
  if (!visible_) return;
  visible_ = false;
  if (peer_) peer_->Hide();
}

void Form::Unload() {
  if (!peer_) return;
  visible_ = false;
  unloaded_ = true;
  peer_.reset();
}

void Form::SetCaption(std::wstring caption) {
  caption_ = std::move(caption);
  if (peer_) peer_->CaptionChanged();
}

void Form::SetOuterHeight(int twips) {
  outerHeight_ = twips;
  if (peer_) peer_->OuterSizeChanged();
}

void Form::SetOuterWidth(int twips) {
  outerWidth_ = twips;
  if (peer_) peer_->OuterSizeChanged();
}

std::vector<Control*> Form::TabOrder() const {
  std::vector<Control*> order;
  for (Control* control : controls_) {
    if (control->TakesFocus()) order.push_back(control);
  }
  std::stable_sort(order.begin(), order.end(), [](const Control* a, const Control* b) {
    return a->TabIndex() < b->TabIndex();
  });
  return order;
}

void Form::SetFocus(Control& control) {
  if (!control.TakesFocus()) return;
  focused_ = &control;
  if (peer_) peer_->FocusChanged(control);
}

void Form::PressTab(bool backwards) {
  const auto order = TabOrder();
  if (order.empty()) return;  // nothing in the window can take the focus
  // From a control that has just lost the right to the focus, go on from its place.
  const int from = focused_ ? focused_->TabIndex() : (backwards ? order.front()->TabIndex() : -1);
  Control* next = nullptr;
  if (!backwards) {
    const auto after = std::find_if(order.begin(), order.end(),
                                    [&](const Control* c) { return c->TabIndex() > from; });
    next = after != order.end() ? *after : order.front();
  } else {
    const auto before = std::find_if(order.rbegin(), order.rend(),
                                     [&](const Control* c) { return c->TabIndex() < from; });
    next = before != order.rend() ? *before : order.back();
  }
  SetFocus(*next);
}

CommandButton* Form::EnterTarget() const {
  if (focused_ && focused_->WantsEnter()) return nullptr;
  if (focused_ && focused_->GetKind() == Control::Kind::CommandButton) {
    return static_cast<CommandButton*>(focused_);
  }
  return defaultButton_;
}

void Form::PressEnter() {
  if (focused_ && focused_->WantsEnter()) {
    if (focused_->Enabled()) focused_->OnEnter();
    return;
  }
  if (CommandButton* button = EnterTarget()) button->Press();
}

void Form::PressEscape() {
  if (cancelButton_) cancelButton_->Press();
}

void Form::PressSpace() {
  if (focused_ && focused_->GetKind() != Control::Kind::TextBox) focused_->Press();
}

bool Form::PressAccessKey(wchar_t key) {
  std::vector<Control*> all(controls_);
  std::stable_sort(all.begin(), all.end(), [](const Control* a, const Control* b) {
    return a->TabIndex() < b->TabIndex();
  });
  std::vector<Control*> matches;
  for (Control* control : all) {
    if (control->Enabled() && control->AccessKey() != 0 &&
        control->AccessKey() == static_cast<wchar_t>(std::towupper(key))) {
      matches.push_back(control);
    }
  }
  if (matches.empty()) return false;
  if (matches.size() > 1) {
    // Several controls share the key: move among them, press none.
    const int from = focused_ ? focused_->TabIndex() : -1;
    const auto after = std::find_if(matches.begin(), matches.end(),
                                    [&](const Control* c) { return c->TabIndex() > from; });
    Control* next = after != matches.end() ? *after : matches.front();
    if (next->TakesFocus()) {
      SetFocus(*next);
    } else {
      focused_ = next;  // a label: its key leads to the control after it
      PressTab();
    }
    return true;
  }
  Control& match = *matches.front();
  if (match.GetKind() == Control::Kind::Label) {
    focused_ = &match;
    PressTab();
    return true;
  }
  SetFocus(match);
  match.Press();
  return true;
}

}  // namespace melodex::ui
