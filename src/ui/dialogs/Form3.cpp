#include "ui/dialogs/Form3.h"

#include <string>

#include "ui/App.h"
#include "ui/dialogs/HandOver.h"
#include "ui/main/Form1.h"

namespace melodex {

Form3::Form3(ui::Backend& backend, App& app)
    : ui::Form(
          backend, "Form3",
          {.caption = L"Colors", .clientWidth = 1515, .clientHeight = 3630, .backColor = kGrey}),
      app_(app) {
  Command1.Click = [this] { Command1_Click(); };
  Command2.Click = [this] { Command2_Click(); };
}

void Form3::Command1_Click() {
  const struct {
    const ui::OptionButton& option;
    const wchar_t* value;
  } palette[] = {
      {Option1, L"#FFFFFF"}, {Option2, L"#000000"}, {Option3, L"#FF0000"}, {Option4, L"#0000FF"},
      {Option5, L"#00FF00"}, {Option6, L"#FFFF66"}, {Option7, L"#CC33FF"}, {Option8, L"#CC9999"},
  };
  // No option selected writes the empty text.
  std::wstring chosen;
  for (const auto& colour : palette) {
    if (colour.option.Value()) chosen = colour.value;
  }

  Form1& main = app_.MainForm();
  ui::TextBox* const targets[] = {&main.Text3, &main.Text4, &main.Text5,
                                  &main.Text6, &main.Text7, &main.Text9};
  const double target = HandOverNumber(main.Text2.Text());
  for (int number = 1; number <= 6; ++number) {
    if (target == number) targets[number - 1]->SetText(chosen);
  }
  main.Show();
  Hide();
}

void Form3::Command2_Click() {
  app_.MainForm().Show();
  Hide();
}

}  // namespace melodex
