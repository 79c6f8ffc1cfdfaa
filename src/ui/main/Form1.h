#pragma once

#include "generator/PageSettings.h"
#include "ui/model/Form.h"

namespace melodex {

class App;

// The main window: every setting of the page, the commands that fill them in, "&Go", and
// the menus.
class Form1 : public ui::Form {
 public:
  Form1(ui::Backend& backend, App& app);

  // Enables "&Go" once the music folder, the web address and the output folder are all
  // filled in. It never disables it.
  void ReadinessTest();

  // The settings as they stand in the window now.
  PageSettings ReadPageSettings() const;

  // The close box ends the program, as "E&xit" does: no other window could bring this one back.
  void CloseBox() override { exit_Click(); }

  ui::CommandButton Command1{*this, "Command1", L"MP3 &Directory", {0, 120, 1335, 255}, 0};
  ui::TextBox Text1{*this, "Text1", {1320, 120, 3015, 285}, 1};
  ui::CommandButton Command12{*this, "Command12", L"&URL to MP3s", {0, 360, 1335, 255}, 22};
  ui::TextBox Text10{*this, "Text10", {1320, 360, 3015, 285}, 23};
  ui::CommandButton Command13{*this, "Command13", L"&Output Directory", {0, 600, 1335, 255}, 24};
  ui::TextBox Text11{*this, "Text11", {1320, 600, 3015, 285}, 25};
  ui::CommandButton Command3{*this, "Command3", L"&Back color", {0, 840, 1335, 255}, 3};
  ui::TextBox Text3{*this, "Text3", {1320, 840, 855, 285}, 5, L"#FFFFFF"};
  ui::CommandButton Command4{*this, "Command4", L"&Text color", {0, 1080, 1335, 255}, 6};
  ui::TextBox Text4{*this, "Text4", {1320, 1080, 855, 285}, 7, L"#000000"};
  ui::CommandButton Command5{*this, "Command5", L"&Link color", {0, 1320, 1335, 255}, 8};
  ui::TextBox Text5{*this, "Text5", {1320, 1320, 855, 285}, 11, L"#0000FF"};
  ui::CommandButton Command6{*this, "Command6", L"&Activelink Color", {0, 1560, 1335, 255}, 9};
  ui::TextBox Text6{*this, "Text6", {1320, 1560, 855, 285}, 12, L"#00FF00"};
  ui::CommandButton Command7{*this, "Command7", L"&Visitedlink color", {0, 1800, 1335, 255}, 10};
  ui::TextBox Text7{*this, "Text7", {1320, 1800, 855, 285}, 13, L"#FF0000"};
  ui::CommandButton Command9{*this, "Command9", L"&Tiltle color", {0, 2040, 1335, 255}, 17};
  ui::TextBox Text9{*this, "Text9", {1320, 2040, 855, 285}, 18, L"#FF0000"};
  ui::Label Label1{*this, "Label1", L"Page Title:", {2400, 960, 1935, 255}, 15};
  ui::TextBox Text8{*this, "Text8", {2400, 1200, 1935, 285}, 16};
  ui::CheckBox Check1{
      *this, "Check1", L"List Centered", {2400, 1440, 1935, 255}, 19, ui::CheckBox::State::Checked};
  ui::CommandButton Command2{*this, "Command2", L"&Go", {2400, 1800, 1935, 255}, 2};
  ui::CommandButton Command8{*this, "Command8", L"&Quit", {2400, 2040, 1935, 255}, 14};

  // The frame around the settings and the panel on the right.
  ui::Line Line4{*this, "Line4", 0, 0, 4440, 0, ui::Color::System(ui::SystemColor::WindowText)};
  ui::Line Line5{
      *this, "Line5", 4440, 0, 4440, 2400, ui::Color::System(ui::SystemColor::WindowText)};
  ui::Line Line2{
      *this, "Line2", 0, 2400, 4440, 2400, ui::Color::System(ui::SystemColor::WindowText)};
  ui::Line Line3{
      *this, "Line3", 2280, 2400, 2280, 960, ui::Color::System(ui::SystemColor::WindowText)};
  ui::Line Line1{*this, "Line1", 2280, 960, 4440, 960, ui::Color::Rgb(0, 0, 0)};

  // Below the client area, out of sight. Text2 carries the hand-over number that tells
  // the folder picker or the colour chooser which field its OK fills.
  ui::TextBox Text2{*this, "Text2", {120, 2520, 2175, 285}, 4, L"Temp text space"};
  ui::CommandButton Command10{*this, "Command10", L"Command10", {3120, 3000, 975, 375}, 20};
  ui::CommandButton Command11{*this, "Command11", L"Command11", {1200, 3000, 1695, 375}, 21};

  ui::MenuItem file{*this, "file", L"&File"};
  ui::MenuItem exit{file, "exit", L"E&xit"};
  ui::MenuItem help{*this, "help", L"&Help"};
  ui::MenuItem help2{help, "help2", L"H&elp"};
  ui::MenuItem About{help, "About", L"&About"};
  ui::MenuItem brixel{help, "brixel", L"Contact &Brixel"};
  ui::MenuItem line{*this, "line", L""};
  ui::MenuItem Secret{*this, "Secret", L" "};

 protected:
  void Form_Load() override;

 private:
  // The hand-over buttons: the number for the dialog's OK, then the dialog.
  void HandOver(const wchar_t* number, ui::Form& dialog);

  void Command1_Click();
  void Command13_Click();
  void Command3_Click();
  void Command4_Click();
  void Command5_Click();
  void Command6_Click();
  void Command7_Click();
  void Command9_Click();
  void Command12_Click();
  void Command2_Click();
  void Command8_Click();
  void Command10_Click();
  void Command11_Click();
  void exit_Click();
  void help2_Click();
  void About_Click();
  void brixel_Click();
  void Secret_Click();

  App& app_;
};

}  // namespace melodex
