#pragma once

#include <string>

#include "platform/FileSystem.h"
#include "ui/model/Form.h"
#include "ui/model/Lists.h"

namespace melodex {

class App;

// The folder picker: the user opens a folder in Dir1 (or a drive in Drive1) and "&Ok" writes
// it into the main-window field that the hand-over number names. It is only ever hidden, so
// drive and folder stay where they were for the next opening.
class Form2 : public ui::Form {
 public:
  Form2(ui::Backend& backend, App& app);

  // Closing through the frame hides the picker without writing anything.
  void CloseBox() override;

  ui::DirList Dir1{*this, "Dir1", {120, 120, 2655, 3015}, 0};
  ui::DriveList Drive1{*this, "Drive1", {120, 3240, 2655, 315}, 1};
  ui::CommandButton Command1{*this, "Command1", L"&Ok", {120, 3600, 2655, 255}, 2};

 private:
  void Drive1_Change();
  void Dir1_OpenFailed(const FileSystemError& error);
  void Command1_Click();

  FileSystem& Files();

  App& app_;
};

}  // namespace melodex
