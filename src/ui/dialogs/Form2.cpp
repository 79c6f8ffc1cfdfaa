#include "ui/dialogs/Form2.h"

#include "Melodex.h"
#include "generator/GeneratePage.h"
#include "ui/App.h"
#include "ui/dialogs/HandOver.h"
#include "ui/main/Form1.h"

namespace melodex {
namespace {

void ShowError(Dialogs& dialogs, std::wstring text, MessageButtons buttons = MessageButtons::Ok) {
  dialogs.ShowMessage({.text = std::move(text),
                       .title = L"Error",
                       .buttons = buttons,
                       .icon = MessageIcon::Critical,
                       .helpFile = kHelpFile,
                       .helpContext = kHelpContext});
}

}  // namespace

Form2::Form2(ui::Backend& backend, App& app)
    : ui::Form(backend, "Form2",
               {.caption = L"MP3 dir", .clientWidth = 2820, .clientHeight = 3900}),
      app_(app) {
  Dir1.ReadFrom(Files());
  Drive1.ReadFrom(Files());
  // No words on the window label the two lists.
  Dir1.SetAccessibleName(L"Folder");
  Drive1.SetAccessibleName(L"Drive");
  Drive1.Change = [this] { Drive1_Change(); };
  Dir1.OpenFailed = [this](const FileSystemError& error) { Dir1_OpenFailed(error); };
  Command1.Click = [this] { Command1_Click(); };
}

FileSystem& Form2::Files() { return app_.System().files; }

void Form2::CloseBox() {
  Hide();
  app_.MainForm().Show();
}

void Form2::Drive1_Change() {
  const std::wstring drive = Drive1.Drive();
  if (drive.empty()) return;
  try {
    Dir1.SetPath(Files().CurrentFolderOn(drive));
    return;
  } catch (const FileSystemError&) {
    // The folder the process last used there may be gone; the drive's root will do.
  }
  try {
    Dir1.SetPath(drive + L"\\");
    return;
  } catch (const FileSystemError&) {
    // Not even the root can be read: no medium, or a network drive that has gone.
  }
  const wchar_t letter = static_cast<wchar_t>(drive[0] - L'A' + L'a');
  ShowError(app_.System().dialogs, L"Drive " + std::wstring{letter, L':'} + L" is not ready.");
  Drive1.SetDrive(Dir1.Path());
}

void Form2::Dir1_OpenFailed(const FileSystemError& error) {
  ShowError(app_.System().dialogs, std::wstring(L"The folder cannot be opened.") + kLineBreak +
                                       kLineBreak + error.Path() + kLineBreak + error.Reason());
}

void Form2::Command1_Click() {
  Form1& main = app_.MainForm();
  const double target = HandOverNumber(main.Text2.Text());
  if (target == 0) {
    main.Text1.SetText(Dir1.Path());
    main.ReadinessTest();
    if (!HoldsMusic(main.Text1.Text(), Files())) {
      ShowError(app_.System().dialogs, L"NO MP3s found in this Directory!!",
                MessageButtons::OkCancel);
      return;
    }
  } else if (target == 9) {
    main.Text11.SetText(Dir1.Path());
    main.ReadinessTest();
  } else {
    return;  // the hand-over field names a colour: not the picker's business
  }
  Hide();
  main.Show();
}

}  // namespace melodex
