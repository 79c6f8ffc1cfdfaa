#pragma once

#include "ui/model/Form.h"

namespace melodex {

class App;

// The help window: a few lines on how to make a page. It is only ever hidden.
class Form4 : public ui::Form {
 public:
  Form4(ui::Backend& backend, App& app);

  // Closing through the frame does what "&Ok" does.
  void CloseBox() override { Command1_Click(); }

  ui::Label Label1{*this,
                   "Label1",
                   L"Help? Do you Need help?",
                   {120, 120, 8535, 615},
                   0,
                   {.font = {.name = L"MS Sans Serif",
                             .points = 18,
                             .bold = true,
                             .italic = true,
                             .underline = true},
                    .foreColor = ui::Color::Rgb(0, 0, 192),
                    .backColor = ui::Color::System(ui::SystemColor::Window)}};
  // Its design caption never shows: Form_Load puts the help text in its place.
  ui::Label Label2{*this,
                   "Label2",
                   L"Ok.. Help is what you get... ",
                   {120, 840, 8535, 3135},
                   1,
                   {.backColor = ui::Color::Rgb(255, 255, 255)}};
  ui::CommandButton Command1{*this, "Command1", L"&Ok", {120, 4080, 8535, 255}, 2};

 protected:
  void Form_Load() override;

 private:
  void Command1_Click();

  App& app_;
};

}  // namespace melodex
