// The help window driven through the program, on the in-memory platform.
#include <gtest/gtest.h>

#include <string>

#include "Melodex.h"
#include "support/InMemoryProgram.h"
#include "ui/dialogs/Form4.h"

namespace melodex::testing {
namespace {

class HelpWindowTest : public ProgramTest {
 protected:
  Form4& Help() { return app.HelpWindow(); }
};

TEST_F(HelpWindowTest, ShowsTheHelpTextPieceByPiece) {
  Main().help2.Press();

  EXPECT_EQ(Help().Label2.Text(),
            L" Ok Help is what you get...\n\r\n\r"
            L"First you Select the MP3 Dir, that must be a directory containig files with the MP3 "
            L"Extention\n\r"
            L"     (future versions have selectable extentions).\n\r\n\r"
            L"You Need to enter a valid URL to your MP3s on the web\n\r\n\r"
            L"Enter an output dir where the HTML file will be stored\n\r\n\r"
            L"Than select the colors you want to use in your Page \n\r\n\r"
            L"Give a Page title and hit GO!\n\r\n\r"
            L"That is all you have to do... aint it easy?");
}

TEST_F(HelpWindowTest, LaysOutTheHeadingTheTextAndTheButton) {
  Main().help2.Press();
  const Form4& help = Help();

  EXPECT_EQ(help.Caption(), L"Help!!!!!!!!!!!!!!!!!!!!!!!!!!");
  EXPECT_EQ(help.Caption().size(), 4u + 26u);
  EXPECT_EQ(help.Layout().clientWidth, 8745);
  EXPECT_EQ(help.Layout().clientHeight, 4380);

  EXPECT_EQ(help.Label1.Text(), L"Help? Do you Need help?");
  EXPECT_EQ(help.Label1.Geometry(), (ui::Rect{120, 120, 8535, 615}));
  const auto& heading = help.Label1.Appearance();
  EXPECT_EQ(heading.font.name, L"MS Sans Serif");
  EXPECT_EQ(heading.font.points, 18);
  EXPECT_TRUE(heading.font.bold);
  EXPECT_TRUE(heading.font.italic);
  EXPECT_TRUE(heading.font.underline);
  EXPECT_EQ(heading.foreColor, ui::Color::Rgb(0, 0, 192));
  EXPECT_EQ(heading.backColor, ui::Color::System(ui::SystemColor::Window));

  EXPECT_EQ(help.Label2.Geometry(), (ui::Rect{120, 840, 8535, 3135}));
  EXPECT_EQ(help.Label2.Appearance().font.name, L"") << "the window's default font";
  EXPECT_EQ(help.Label2.Appearance().backColor, ui::Color::Rgb(255, 255, 255));

  EXPECT_EQ(help.Command1.Text(), L"&Ok");
  EXPECT_EQ(help.Command1.Geometry(), (ui::Rect{120, 4080, 8535, 255}));
  EXPECT_EQ(help.TabOrder(), std::vector<ui::Control*>{&Help().Command1});
  EXPECT_EQ(help.DefaultButton(), nullptr);
  EXPECT_EQ(help.CancelButton(), nullptr);
}

TEST_F(HelpWindowTest, OkHidesItAndBringsTheMainWindowBackUntouched) {
  Main().Text1.OnUserEdit(L"C:\\Music");
  Main().Command3.Press();  // the colour chooser stays open, behind the help
  Main().Text2.SetText(L"3");
  Main().help2.Press();
  EXPECT_EQ(windows.Front(), &Help());
  EXPECT_TRUE(windows.Shown(Help()));

  Help().Command1.Press();

  EXPECT_FALSE(Help().Visible());
  EXPECT_FALSE(windows.Shown(Help()));
  EXPECT_EQ(windows.Front(), &Main());
  EXPECT_EQ(Main().Text1.Text(), L"C:\\Music");
  EXPECT_EQ(Main().Text2.Text(), L"3");
  EXPECT_EQ(Main().Text5.Text(), L"#0000FF");
}

TEST_F(HelpWindowTest, IsOneWindowHoweverOftenItIsShown) {
  Main().help2.Press();
  Main().help2.Press();
  EXPECT_EQ(windows.Realized("Form4"), 1);

  Help().CloseBox();
  EXPECT_FALSE(Help().Visible());
  EXPECT_EQ(windows.Front(), &Main());

  Main().help2.Press();
  EXPECT_TRUE(Help().Visible());
  EXPECT_EQ(windows.Realized("Form4"), 1);
  EXPECT_EQ(Help().Label2.Text().substr(0, 27), L" Ok Help is what you get...");
}

TEST_F(HelpWindowTest, StandsInForAHelpFileThatCannotBeOpened) {
  help.available = false;
  app.ShowHelp(kHelpFile, kHelpContext);
  EXPECT_TRUE(Help().Visible());
  EXPECT_TRUE(Help().Label2.Text().ends_with(L"aint it easy?"));

  Help().Command1.Press();
  help.available = true;
  app.ShowHelp(kHelpFile, kHelpContext);
  EXPECT_FALSE(Help().Visible());
  ASSERT_EQ(help.shown.size(), 1u);
  EXPECT_EQ(help.shown[0].file, L"DEMO.HLP");
  EXPECT_EQ(help.shown[0].context, 1000u);
}

}  // namespace
}  // namespace melodex::testing
