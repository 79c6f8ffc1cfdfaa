#include "ui/dialogs/Form4.h"

#include <string>

#include "Melodex.h"
#include "ui/App.h"
#include "ui/main/Form1.h"

namespace melodex {

Form4::Form4(ui::Backend& backend, App& app)
    : ui::Form(backend, "Form4",
               {.caption = L"Help!!!!!!!!!!!!!!!!!!!!!!!!!!",
                .clientWidth = 8745,
                .clientHeight = 4380}),
      app_(app) {
  Command1.Click = [this] { Command1_Click(); };
}

void Form4::Form_Load() {
  const std::wstring paragraph = std::wstring(kLineBreak) + kLineBreak;
  Label2.SetText(L" Ok Help is what you get..." + paragraph +
                 L"First you Select the MP3 Dir, that must be a directory containig files with the "
                 L"MP3 Extention" +
                 kLineBreak + L"     (future versions have selectable extentions)." + paragraph +
                 L"You Need to enter a valid URL to your MP3s on the web" + paragraph +
                 L"Enter an output dir where the HTML file will be stored" + paragraph +
                 L"Than select the colors you want to use in your Page " + paragraph +
                 L"Give a Page title and hit GO!" + paragraph +
                 L"That is all you have to do... aint it easy?");
}

void Form4::Command1_Click() {
  Hide();
  app_.MainForm().Show();
}

}  // namespace melodex
