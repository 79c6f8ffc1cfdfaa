#pragma once

#include "ui/model/Form.h"

namespace melodex {

class App;

// The colour chooser: eight palette colours as one group of options; "&Ok" writes the chosen
// colour into the main-window field that the hand-over number names. It is only ever hidden,
// so the selection stays for the next opening.
class Form3 : public ui::Form {
 public:
  static constexpr ui::Color kGrey = ui::Color::Rgb(128, 128, 128);

  Form3(ui::Backend& backend, App& app);

  // Closing through the frame is a cancel.
  void CloseBox() override { Command2_Click(); }

  // The captions are drawn in colours of their own; three of them differ from the value
  // written (see Command1_Click).
  static constexpr ui::Color kHighlightText = ui::Color::System(ui::SystemColor::HighlightText);
  static constexpr ui::Color kButtonText = ui::Color::System(ui::SystemColor::ButtonText);
  // clang-format off
  ui::OptionButton Option1{*this, "Option1", L"White", {240, 120, 1695, 255}, 0, kHighlightText, kGrey};
  ui::OptionButton Option2{*this, "Option2", L"Black", {240, 480, 1695, 255}, 1, kButtonText, kGrey};
  ui::OptionButton Option3{*this, "Option3", L"Red", {240, 840, 1695, 255}, 2, ui::Color::Rgb(255, 0, 0), kGrey};
  ui::OptionButton Option4{*this, "Option4", L"Blue", {240, 1200, 1815, 255}, 3, ui::Color::Rgb(0, 0, 255), kGrey};
  ui::OptionButton Option5{*this, "Option5", L"Green", {240, 1560, 1815, 255}, 4, ui::Color::Rgb(0, 255, 0), kGrey};
  ui::OptionButton Option6{*this, "Option6", L"Yellow", {240, 1920, 1815, 255}, 5, ui::Color::Rgb(255, 255, 0), kGrey};
  ui::OptionButton Option7{*this, "Option7", L"Purple", {240, 2280, 1695, 255}, 6, ui::Color::Rgb(255, 0, 255), kGrey};
  ui::OptionButton Option8{*this, "Option8", L"Silver/Grey", {240, 2640, 1695, 255}, 7, ui::Color::Rgb(192, 192, 192), kGrey};
  // clang-format on
  ui::CommandButton Command1{*this, "Command1", L"&Ok", {120, 3000, 1335, 255}, 8};
  ui::CommandButton Command2{*this, "Command2", L"&Cancel", {120, 3360, 1335, 255}, 9};

 private:
  void Command1_Click();
  void Command2_Click();

  App& app_;
};

}  // namespace melodex
