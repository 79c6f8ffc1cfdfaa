#include "ui/App.h"

#include "ui/about/frmAbout.h"
#include "ui/dialogs/Form2.h"
#include "ui/dialogs/Form3.h"
#include "ui/dialogs/Form4.h"
#include "ui/main/Form1.h"

namespace melodex {

App::App(ui::Backend& windows, Platform& platform)
    : windows_(windows), platform_(platform), form1_(std::make_unique<Form1>(windows, *this)) {}

App::~App() = default;

template <class F>
F& App::Get(std::unique_ptr<F>& slot) {
  if (!slot || slot->Unloaded()) slot = std::make_unique<F>(windows_, *this);
  return *slot;
}

Form2& App::FolderPicker() { return Get(form2_); }
Form3& App::ColourChooser() { return Get(form3_); }
Form4& App::HelpWindow() { return Get(form4_); }
frmAbout& App::AboutBox() { return Get(about_); }

void App::Start() { form1_->Show(); }

void App::End() { windows_.EndProgram(); }

void App::ShowHelp(const std::wstring& helpFile, unsigned context) {
  if (!platform_.help.ShowTopic(helpFile, context)) HelpWindow().Show();
}

}  // namespace melodex
