#include "ui/model/Menu.h"

#include "ui/model/Form.h"

namespace melodex::ui {

MenuItem::MenuItem(Form& form, std::string_view name, std::wstring caption)
    : form_(form), name_(name), caption_(std::move(caption)) {
  form.Add(*this);
}

MenuItem::MenuItem(MenuItem& menu, std::string_view name, std::wstring caption)
    : form_(menu.form_), name_(name), caption_(std::move(caption)) {
  menu.items_.push_back(this);
}

void MenuItem::SetEnabled(bool enabled) {
  if (enabled_ == enabled) return;
  enabled_ = enabled;
  if (WindowPeer* peer = form_.Peer()) peer->MenuChanged(*this);
}

void MenuItem::Press() {
  if (enabled_ && Click) Click();
}

}  // namespace melodex::ui
