#pragma once

#include "ui/model/Form.h"

namespace melodex {

class App;

// The about box.
class frmAbout : public ui::Form {
 public:
  frmAbout(ui::Backend& backend, App& app)
      : ui::Form(backend, "frmAbout",
                 {.caption = L"About", .clientWidth = 5730, .clientHeight = 6990, .showInTaskbar = false}),
        app_(app) {}

  void CloseBox() override { Unload(); }

 private:
  [[maybe_unused]] App& app_;
};

}  // namespace melodex
