#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace melodex::ui {

class Form;

// An item of a form's menu bar, or of the drop-down menu of such an item.
class MenuItem {
 public:
  // An item on the form's menu bar.
  MenuItem(Form& form, std::string_view name, std::wstring caption);
  // An item in the drop-down menu of `menu`.
  MenuItem(MenuItem& menu, std::string_view name, std::wstring caption);
  MenuItem(const MenuItem&) = delete;
  MenuItem& operator=(const MenuItem&) = delete;

  Form& Parent() const { return form_; }
  // Its name in code: a literal, of which only a view is kept.
  std::string_view Name() const { return name_; }
  const std::wstring& Caption() const { return caption_; }
  const std::vector<MenuItem*>& Items() const { return items_; }

  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);

  std::function<void()> Click;

  // The user chooses the item; a disabled item ignores it.
  void Press();

 private:
  Form& form_;
  std::string_view name_;
  std::wstring caption_;
  bool enabled_ = true;
  std::vector<MenuItem*> items_;
};

}  // namespace melodex::ui
