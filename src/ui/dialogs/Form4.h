#pragma once

#include "ui/model/Form.h"

namespace melodex {

class App;

// The help window.
class Form4 : public ui::Form {
 public:
  Form4(ui::Backend& backend, App& app)
      : ui::Form(backend, "Form4",
                 {.caption = L"Help!!!!!!!!!!!!!!!!!!!!!!!!!!", .clientWidth = 8745, .clientHeight = 4380}),
        app_(app) {}

 private:
  [[maybe_unused]] App& app_;
};

}  // namespace melodex
