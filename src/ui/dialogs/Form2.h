#pragma once

#include "ui/model/Form.h"

namespace melodex {

class App;

// The folder picker.
class Form2 : public ui::Form {
 public:
  Form2(ui::Backend& backend, App& app)
      : ui::Form(backend, "Form2", {.caption = L"MP3 dir", .clientWidth = 2820, .clientHeight = 3900}),
        app_(app) {}

 private:
  [[maybe_unused]] App& app_;
};

}  // namespace melodex
