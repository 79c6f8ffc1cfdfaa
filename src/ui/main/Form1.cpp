#include "ui/main/Form1.h"

#include <utility>

#include "Melodex.h"
#include "generator/GeneratePage.h"
#include "ui/App.h"
#include "ui/about/HiddenMessages.h"
#include "ui/about/frmAbout.h"
#include "ui/dialogs/Form2.h"
#include "ui/dialogs/Form3.h"
#include "ui/dialogs/Form4.h"

namespace melodex {

Form1::Form1(ui::Backend& backend, App& app)
    : ui::Form(
          backend, "Form1",
          {.clientWidth = 4500, .clientHeight = 2445, .border = ui::BorderStyle::FixedToolWindow}),
      app_(app) {
  SetDefaultButton(Command10);
  Text2.SetEnabled(false);  // the user can neither see nor edit the hand-over field
  // A text box is labelled by the button beside it, or the title's by the words above it;
  // the window system would name most of them after the wrong text, or not at all.
  const std::pair<ui::TextBox&, const ui::Control&> labels[] = {
      {Text1, Command1}, {Text10, Command12}, {Text11, Command13}, {Text3, Command3},
      {Text4, Command4}, {Text5, Command5},   {Text6, Command6},   {Text7, Command7},
      {Text9, Command9}, {Text8, Label1},
  };
  for (const auto& [box, label] : labels) box.SetAccessibleName(label.PlainText());
  Text2.SetAccessibleName(L"Hand-over number");
  Command1.Click = [this] { Command1_Click(); };
  Command13.Click = [this] { Command13_Click(); };
  Command3.Click = [this] { Command3_Click(); };
  Command4.Click = [this] { Command4_Click(); };
  Command5.Click = [this] { Command5_Click(); };
  Command6.Click = [this] { Command6_Click(); };
  Command7.Click = [this] { Command7_Click(); };
  Command9.Click = [this] { Command9_Click(); };
  Command12.Click = [this] { Command12_Click(); };
  Command2.Click = [this] { Command2_Click(); };
  Command8.Click = [this] { Command8_Click(); };
  Command10.Click = [this] { Command10_Click(); };
  Command11.Click = [this] { Command11_Click(); };
  exit.Click = [this] { exit_Click(); };
  help2.Click = [this] { help2_Click(); };
  About.Click = [this] { About_Click(); };
  brixel.Click = [this] { brixel_Click(); };
  Secret.Click = [this] { Secret_Click(); };
}

void Form1::Form_Load() {
  Command2.SetEnabled(false);
  SetCaption(L"Brixel's Melodex v1.5 \u00df1");
}

void Form1::ReadinessTest() {
  if (!Text1.Text().empty() && !Text10.Text().empty() && !Text11.Text().empty()) {
    Command2.SetEnabled(true);
  }
}

PageSettings Form1::ReadPageSettings() const {
  return {.MusicFolder = Text1.Text(),
          .OutputFolder = Text11.Text(),
          .BaseUrl = Text10.Text(),
          .PageTitle = Text8.Text(),
          .BackColor = Text3.Text(),
          .TextColor = Text4.Text(),
          .LinkColor = Text5.Text(),
          .ActiveLinkColor = Text6.Text(),
          .VisitedLinkColor = Text7.Text(),
          .TitleColor = Text9.Text(),
          .ListCentered = Check1.Value() == ui::CheckBox::State::Checked};
}

void Form1::HandOver(const wchar_t* number, ui::Form& dialog) {
  Text2.SetText(number);
  dialog.Show();
}

void Form1::Command1_Click() { HandOver(L"0", app_.FolderPicker()); }
void Form1::Command13_Click() { HandOver(L"9", app_.FolderPicker()); }
void Form1::Command3_Click() { HandOver(L"1", app_.ColourChooser()); }
void Form1::Command4_Click() { HandOver(L"2", app_.ColourChooser()); }
void Form1::Command5_Click() { HandOver(L"3", app_.ColourChooser()); }
void Form1::Command6_Click() { HandOver(L"4", app_.ColourChooser()); }
void Form1::Command7_Click() { HandOver(L"5", app_.ColourChooser()); }
void Form1::Command9_Click() { HandOver(L"6", app_.ColourChooser()); }

void Form1::Command12_Click() {
  Dialogs& dialogs = app_.System().dialogs;
  std::wstring url =
      dialogs.InputBox(L"Enter an URL To Your MP3s, This URL must be valid.", L"MP3 URL", L"");
  if (!url.starts_with(L"http://")) {
    dialogs.ShowMessage({.text = L"NO Valid URL!!",
                         .title = L"Error",
                         .icon = MessageIcon::Critical,
                         .helpFile = kHelpFile,
                         .helpContext = kHelpContext});
    return;
  }
  if (!url.ends_with(L"/")) url += L'/';
  Text10.SetText(std::move(url));
  ReadinessTest();
}

void Form1::Command2_Click() {
  Dialogs& dialogs = app_.System().dialogs;
  // Whatever the answer, even none: the page is written with it.
  if (Text8.Text().empty()) Text8.SetText(dialogs.InputBox(L"Enter a page Title!", L"Title", L""));
  try {
    GeneratePage(ReadPageSettings(), app_.System().files);
  } catch (const FileSystemError& error) {
    dialogs.ShowMessage({.text = std::wstring(L"The page was not written.") + kLineBreak +
                                 kLineBreak + error.Path() + kLineBreak + error.Reason(),
                         .title = L"Error",
                         .icon = MessageIcon::Critical,
                         .helpFile = kHelpFile,
                         .helpContext = kHelpContext});
    return;
  }
  dialogs.ShowMessage({.text = L"All Done, Page is Ready!"});
}

void Form1::Command8_Click() {
  const MessageAnswer answer = app_.System().dialogs.ShowMessage({.text = L"Do you want to Quit ?",
                                                                  .title = L"Exit",
                                                                  .buttons = MessageButtons::YesNo,
                                                                  .icon = MessageIcon::Question,
                                                                  .defaultButton = 2,
                                                                  .helpFile = kHelpFile,
                                                                  .helpContext = kHelpContext});
  if (answer == MessageAnswer::Yes) app_.End();
}

void Form1::exit_Click() { app_.End(); }

void Form1::help2_Click() { app_.HelpWindow().Show(); }

void Form1::About_Click() { app_.AboutBox().Show(); }

void Form1::Command10_Click() { ShowEnterBox(app_.System().dialogs); }

void Form1::Command11_Click() {
  ShowHiddenMessage(app_.System().dialogs, 2);
  Command11.SetEnabled(false);
}

void Form1::Secret_Click() {
  ShowHiddenMessage(app_.System().dialogs, 1);
  Secret.SetEnabled(false);
}

void Form1::brixel_Click() { ShowContactMessage(app_.System().dialogs); }

}  // namespace melodex
