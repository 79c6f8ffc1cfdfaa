#pragma once

#include "ui/model/Form.h"

namespace melodex {

class App;

// The colour chooser.
class Form3 : public ui::Form {
 public:
  Form3(ui::Backend& backend, App& app)
      : ui::Form(backend, "Form3", {.caption = L"Colors", .clientWidth = 1515, .clientHeight = 3630}),
        app_(app) {}

 private:
  [[maybe_unused]] App& app_;
};

}  // namespace melodex
