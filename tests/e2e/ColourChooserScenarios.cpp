// The colour chooser ("Colors") driven from outside: the palette's values, OK with nothing
// chosen, Cancel, and the hand-over number changed while it is open.
#include <gtest/gtest.h>

#include "e2e/Expected.h"
#include "e2e/Scenario.h"
#include "e2e/driver/Waiting.h"
#include "e2e/driver/Windows.h"

namespace e2e {
namespace {

class ColourChooser : public Scenario {
 protected:
  HWND Open(const std::wstring& button) {
    App().ClickMain(button);
    return App().Window(kColoursCaption);
  }
  void Close(HWND chooser, const std::wstring& button) {
    App().Click(chooser, button);
    App().WaitForHidden(chooser, L"the colour chooser");
    EXPECT_EQ(App().FrontAsLeft(), App().Main()) << "the main window comes forward";
  }
};

TEST_F(ColourChooser, EachOptionWritesItsPaletteValue) {
  const struct {
    const wchar_t* option;
    const wchar_t* value;
  } palette[] = {
      {L"White", L"#FFFFFF"},  {L"Black", L"#000000"},       {L"Red", L"#FF0000"},
      {L"Blue", L"#0000FF"},   {L"Green", L"#00FF00"},       {L"Yellow", L"#FFFF66"},
      {L"Purple", L"#CC33FF"}, {L"Silver/Grey", L"#CC9999"},
  };
  const struct {
    const wchar_t* button;
    Place field;
  } targets[] = {
      {L"&Back color", field::kBackColour},
      {L"&Text color", field::kTextColour},
      {L"&Link color", field::kLinkColour},
      {L"&Activelink Color", field::kActiveLinkColour},
      {L"&Visitedlink color", field::kVisitedLinkColour},
      {L"&Tiltle color", field::kTitleColour},
  };
  int turn = 0;
  for (const auto& colour : palette) {
    const auto& target = targets[turn++ % 6];
    SCOPED_TRACE(Narrow(std::wstring(colour.option) + L" through " + target.button));
    const HWND chooser = Open(target.button);
    App().Click(chooser, colour.option);
    WaitUntil(
        L"the option to be selected",
        [&] { return Checked(App().Control(chooser, colour.option)); },
        [] { return L"it is not"; });
    Close(chooser, L"&Ok");
    EXPECT_EQ(App().Text(target.field), colour.value);
  }
}

TEST_F(ColourChooser, OkWithNoOptionSelectedEmptiesTheField) {
  const HWND chooser = Open(L"&Text color");
  for (const HWND option : ChildrenOfClass(chooser, L"Button")) {
    EXPECT_FALSE(Checked(option)) << Narrow(TextOf(option)) << " is selected at first";
  }
  Close(chooser, L"&Ok");
  EXPECT_EQ(App().Text(field::kTextColour), L"");
  EXPECT_EQ(App().Text(field::kBackColour), L"#FFFFFF") << "no other field is touched";
}

TEST_F(ColourChooser, CancelWritesNothingAndTheChoiceIsKeptForTheNextOpening) {
  HWND chooser = Open(L"&Back color");
  App().Click(chooser, L"Red");
  Close(chooser, L"&Cancel");
  EXPECT_EQ(App().Text(field::kBackColour), L"#FFFFFF");

  chooser = Open(L"&Visitedlink color");
  EXPECT_TRUE(Checked(App().Control(chooser, L"Red"))) << "the choice survives Cancel";
  // Chosen by the keyboard this time: from "Red" down to "Blue", then Space.
  App().Click(chooser, L"Red");
  App().Press(VK_DOWN);
  WaitUntil(
      L"the focus to move down to \"Blue\"", [&] { return TextOf(App().Focused()) == L"Blue"; },
      [&] { return Describe(App().Focused()) + L" has it"; });
  App().Press(VK_SPACE);
  WaitUntil(
      L"\"Blue\" to be selected", [&] { return Checked(App().Control(chooser, L"Blue")); },
      [] { return L"it is not"; });
  EXPECT_FALSE(Checked(App().Control(chooser, L"Red")));
  Close(chooser, L"&Ok");
  EXPECT_EQ(App().Text(field::kVisitedLinkColour), L"#0000FF");
}

TEST_F(ColourChooser, TheButtonPressedLastDecidesWhatOkFills) {
  Melodex& app = App();
  HWND chooser = Open(L"&Back color");
  EXPECT_EQ(Open(L"&Tiltle color"), chooser) << "one chooser, brought forward";
  app.Click(chooser, L"Purple");
  Close(chooser, L"&Ok");
  EXPECT_EQ(app.Text(field::kTitleColour), L"#CC33FF");
  EXPECT_EQ(app.Text(field::kBackColour), L"#FFFFFF");

  chooser = Open(L"&Back color");
  app.ClickMain(L"MP3 &Directory");
  app.Window(kPickerCaption);
  app.Activate(chooser);
  app.Click(chooser, L"Green");
  Close(chooser, L"&Ok");  // hand-over number 0: nothing written, the chooser closes
  EXPECT_EQ(app.Text(field::kBackColour), L"#FFFFFF");
  EXPECT_EQ(app.Text(field::kMusicFolder), L"");
}

}  // namespace
}  // namespace e2e
