#pragma once

#include <cstdint>
#include <string>

#include "ui/model/Form.h"

namespace melodex {

class App;

// The about box: product, version, description, credit and disclaimer, "Close", and
// "&System Info..." that starts the system's System Information tool. The layout is taller
// than the window: Form_Load shrinks the window so that Command4 and Command5 lie out of
// sight, though Tab still reaches them.
class frmAbout : public ui::Form {
 public:
  frmAbout(ui::Backend& backend, App& app);

  // The close box unloads the box, as "Close" does: the next About builds a fresh one.
  void CloseBox() override { Unload(); }

  // Finds the System Information tool through the registry and starts it, or tells the user
  // that it cannot. Nothing escapes it.
  void StartSysInfo();

  // Reads the value `SubKeyRef` of the key `KeyName` below the root `KeyRoot` into `KeyVal`
  // as text: a string as it is, a 32-bit number as "&h" and its hexadecimal digits, any
  // other type leaving `KeyVal` as it was. False, with `KeyVal` empty, when the key or the
  // value is missing, cannot be read or is larger than 1024 bytes.
  bool GetKeyValue(std::int32_t KeyRoot, const std::wstring& KeyName, const std::wstring& SubKeyRef,
                   std::wstring& KeyVal);

  ui::Image Image1{*this, "Image1", {240, 240, 480, 480}};
  ui::Label lblTitle{
      *this,
      "lblTitle",
      L"Melodex",
      {1050, 120, 3885, 480},
      5,
      {.font = {.name = L"Times New Roman", .points = 24, .bold = true, .italic = true},
       .foreColor = ui::Color::Rgb(255, 0, 0)}};
  ui::Label lblVersion{
      *this,
      "lblVersion",
      L"Version 1.5 \u00dfeta 1",
      {1050, 600, 3885, 345},
      6,
      {.font = {.name = L"MS Sans Serif", .points = 12, .bold = true, .italic = true}}};
  ui::Label lblDescription{*this,
                           "lblDescription",
                           L"This program creates HTML pages from directories containing MP3 "
                           L"files. It makes a nice listing in the colors you choose. ",
                           {1050, 960, 3885, 570},
                           7,
                           {.foreColor = ui::Color::Rgb(0, 0, 0)}};
  // Two lines on the same row make an etched rule under the description.
  ui::Line Line1[2]{
      {*this, "Line1(0)", 120, 2040, 5669, 2040, ui::Color::Rgb(255, 255, 255), 2},
      {*this, "Line1(1)", 90, 2040, 5654, 2040, ui::Color::Rgb(128, 128, 128), 1},
  };
  ui::Label Label1{*this,
                   "Label1",
                   L"Written by Brixel. Free to use and to pass on.",
                   {240, 1680, 5175, 255},
                   8};
  ui::Label lblDisclaimer{*this,
                          "lblDisclaimer",
                          L"This program comes as it is, without warranty of any kind. "
                          L"You use it at your own risk; its author is not liable for any "
                          L"loss it may cause.",
                          {255, 2160, 4110, 705},
                          9,
                          {.foreColor = ui::Color::Rgb(0, 0, 0)}};
  ui::CommandButton cmdOK{*this, "cmdOK", L"Close", {4440, 2160, 1260, 225}, 0};
  ui::CommandButton cmdSysInfo{*this, "cmdSysInfo", L"&System Info...", {4440, 2400, 1245, 225}, 1};
  // Out of sight below the window's frame.
  ui::CommandButton Command4{*this, "Command4", L"Command4", {960, 6120, 2055, 495}, 2};
  ui::CommandButton Command5{*this, "Command5", L"Command5", {3600, 6240, 735, 495}, 3};

 protected:
  void Form_Load() override;

 private:
  void cmdOK_Click();
  void cmdSysInfo_Click();
  void Command5_Click();

  App& app_;
};

}  // namespace melodex
