#pragma once

#include <memory>
#include <string>

#include "platform/Platform.h"
#include "ui/model/Backend.h"

namespace melodex {

class Form1;
class Form2;
class Form3;
class Form4;
class frmAbout;

// The program: its five windows, each created when first shown, and the platform they use.
class App {
 public:
  App(ui::Backend& windows, Platform& platform);
  ~App();
  App(const App&) = delete;
  App& operator=(const App&) = delete;

  // Loads and shows the main window.
  void Start();
  // Ends the program at once: every window closes, nothing is saved.
  void End();

  Form1& MainForm() { return *form1_; }
  Form2& FolderPicker();
  Form3& ColourChooser();
  Form4& HelpWindow();
  // The about box; a closed one is discarded and a fresh one made.
  frmAbout& AboutBox();

  Platform& System() { return platform_; }

  // F1 in a message box that names a help file: the help program shows the topic, or,
  // where it cannot, the program's own help window comes up.
  void ShowHelp(const std::wstring& helpFile, unsigned context);

 private:
  template <class F>
  F& Get(std::unique_ptr<F>& slot);

  ui::Backend& windows_;
  Platform& platform_;
  std::unique_ptr<Form1> form1_;
  std::unique_ptr<Form2> form2_;
  std::unique_ptr<Form3> form3_;
  std::unique_ptr<Form4> form4_;
  std::unique_ptr<frmAbout> about_;
};

}  // namespace melodex
