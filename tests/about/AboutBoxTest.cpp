// The about box as the model holds it: its layout, its life from one About to the next, and
// its keyboard.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/InMemoryProgram.h"
#include "ui/about/HiddenMessages.h"

namespace melodex::testing {
namespace {

using ui::Color;
using ui::Control;
using ui::Rect;

class AboutBoxTest : public ProgramTest {};

std::vector<std::string> Names(const std::vector<Control*>& controls) {
  std::vector<std::string> names;
  for (const Control* control : controls) names.emplace_back(control->Name());
  return names;
}

TEST_F(AboutBoxTest, WindowIsAFixedBoxWithoutTaskbarEntryLaidOutTallerThanItIsShown) {
  const frmAbout& about = OpenAbout();

  EXPECT_EQ(about.Name(), "frmAbout");
  EXPECT_EQ(about.Caption(), L"About");
  EXPECT_EQ(about.Layout().clientWidth, 5730);
  EXPECT_EQ(about.Layout().clientHeight, 6990);
  EXPECT_EQ(about.Layout().border, ui::BorderStyle::FixedSingle);
  EXPECT_FALSE(about.Layout().showInTaskbar);
  EXPECT_TRUE(about.MenuBar().empty());
}

TEST_F(AboutBoxTest, EveryControlHasItsTextAndPlace) {
  struct Expected {
    std::string name;
    Control::Kind kind;
    std::wstring text;
    Rect rect;
  };
  const Expected expected[] = {
      {"Image1", Control::Kind::Image, L"", {240, 240, 480, 480}},
      {"lblTitle", Control::Kind::Label, L"Melodex", {1050, 120, 3885, 480}},
      {"lblVersion", Control::Kind::Label, L"Version 1.5 \u00dfeta 1", {1050, 600, 3885, 345}},
      {"lblDescription",
       Control::Kind::Label,
       L"This program creates HTML pages from directories containing MP3 files. It makes a nice "
       L"listing in the colors you choose. ",
       {1050, 960, 3885, 570}},
      {"Line1(0)", Control::Kind::Line, L"", {120, 2040, 5549, 0}},
      {"Line1(1)", Control::Kind::Line, L"", {90, 2040, 5564, 0}},
      {"Label1",
       Control::Kind::Label,
       L"Written by Brixel. Free to use and to pass on.",
       {240, 1680, 5175, 255}},
      {"lblDisclaimer",
       Control::Kind::Label,
       L"This program comes as it is, without warranty of any kind. You use it at your "
       L"own risk; its author is not liable for any loss it may cause.",
       {255, 2160, 4110, 705}},
      {"cmdOK", Control::Kind::CommandButton, L"Close", {4440, 2160, 1260, 225}},
      {"cmdSysInfo", Control::Kind::CommandButton, L"&System Info...", {4440, 2400, 1245, 225}},
      {"Command4", Control::Kind::CommandButton, L"Command4", {960, 6120, 2055, 495}},
      {"Command5", Control::Kind::CommandButton, L"Command5", {3600, 6240, 735, 495}},
  };
  const frmAbout& about = OpenAbout();

  ASSERT_EQ(about.Controls().size(), std::size(expected));
  for (const Expected& e : expected) {
    SCOPED_TRACE(e.name);
    const Control* found = nullptr;
    for (const Control* control : about.Controls()) {
      if (control->Name() == e.name) found = control;
    }
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(found->GetKind(), e.kind);
    EXPECT_EQ(found->Text(), e.text);
    EXPECT_EQ(found->Geometry(), e.rect);
    EXPECT_TRUE(found->Enabled());
  }
}

TEST_F(AboutBoxTest, LabelsHaveTheirFontsAndColours) {
  const frmAbout& about = OpenAbout();

  const auto& title = about.lblTitle.Appearance();
  EXPECT_EQ(title.font.name, L"Times New Roman");
  EXPECT_EQ(title.font.points, 24);
  EXPECT_TRUE(title.font.bold);
  EXPECT_TRUE(title.font.italic);
  EXPECT_FALSE(title.font.underline);
  EXPECT_EQ(title.foreColor, Color::Rgb(255, 0, 0));

  const auto& version = about.lblVersion.Appearance();
  EXPECT_EQ(version.font.name, L"MS Sans Serif");
  EXPECT_EQ(version.font.points, 12);
  EXPECT_TRUE(version.font.bold);
  EXPECT_TRUE(version.font.italic);
  EXPECT_EQ(version.foreColor, Color{});

  for (const ui::Label* label : {&about.lblDescription, &about.lblDisclaimer, &about.Label1}) {
    SCOPED_TRACE(label->Name());
    EXPECT_EQ(label->Appearance().font.name, L"");  // the dialog font
    EXPECT_FALSE(label->Appearance().font.bold);
    EXPECT_EQ(label->Appearance().foreColor,
              label == &about.Label1 ? Color{} : Color::Rgb(0, 0, 0));
  }
}

TEST_F(AboutBoxTest, TwoLinesMakeAnEtchedRule) {
  const frmAbout& about = OpenAbout();
  const ui::Line& white = about.Line1[0];
  const ui::Line& grey = about.Line1[1];

  EXPECT_EQ((std::vector<int>{white.X1(), white.Y1(), white.X2(), white.Y2(), white.Width()}),
            (std::vector<int>{120, 2040, 5669, 2040, 2}));
  EXPECT_EQ(white.LineColor(), Color::Rgb(255, 255, 255));
  EXPECT_EQ((std::vector<int>{grey.X1(), grey.Y1(), grey.X2(), grey.Y2(), grey.Width()}),
            (std::vector<int>{90, 2040, 5654, 2040, 1}));
  EXPECT_EQ(grey.LineColor(), Color::Rgb(128, 128, 128));
}

TEST_F(AboutBoxTest, LoadingSetsTheOuterHeightThenTheWidth) {
  const frmAbout& about = OpenAbout();

  EXPECT_EQ(windows.outerSizes, (std::vector<MemoryBackend::OuterSize>{{"frmAbout", 0, 3450},
                                                                       {"frmAbout", 5820, 3450}}));
  EXPECT_EQ(about.OuterWidth(), 5820);
  EXPECT_EQ(about.OuterHeight(), 3450);
  // Everything from Command4 down lies below what the window shows.
  EXPECT_GT(about.Command4.Geometry().top, about.OuterHeight());
  EXPECT_GT(about.Command5.Geometry().top, about.OuterHeight());
}

TEST_F(AboutBoxTest, TabGoesCloseSystemInfoCommand4Command5AndRoundAgain) {
  frmAbout& about = OpenAbout();

  EXPECT_EQ(Names(about.TabOrder()),
            (std::vector<std::string>{"cmdOK", "cmdSysInfo", "Command4", "Command5"}));
  EXPECT_EQ(about.Focused(), &about.cmdOK);
  std::vector<std::string> visited;
  for (int i = 0; i < 5; ++i) {
    about.PressTab();
    visited.emplace_back(about.Focused()->Name());
  }
  EXPECT_EQ(visited, (std::vector<std::string>{"cmdSysInfo", "Command4", "Command5", "cmdOK",
                                               "cmdSysInfo"}));
  about.PressTab(/*backwards=*/true);
  about.PressTab(/*backwards=*/true);
  EXPECT_EQ(about.Focused(), &about.Command5);
  EXPECT_EQ(windows.FocusedIn(about), &about.Command5);
}

TEST_F(AboutBoxTest, OnlySystemInfoHasAnAccessKeyAndCloseIsTheCancelButton) {
  const frmAbout& about = OpenAbout();

  EXPECT_EQ(about.CancelButton(), &about.cmdOK);
  EXPECT_EQ(about.DefaultButton(), nullptr);
  for (const Control* control : about.Controls()) {
    SCOPED_TRACE(control->Name());
    EXPECT_EQ(control->AccessKey(), control == &about.cmdSysInfo ? L'S' : L'\0');
  }
}

TEST_F(AboutBoxTest, EscapeClosesTheBoxFromEveryControl) {
  for (const char* name : {"cmdOK", "cmdSysInfo", "Command4", "Command5"}) {
    SCOPED_TRACE(name);
    frmAbout& about = OpenAbout();
    for (Control* control : about.Controls()) {
      if (control->Name() == name) about.SetFocus(*control);
    }
    ASSERT_EQ(about.Focused()->Name(), name);

    about.PressEscape();

    EXPECT_TRUE(about.Unloaded());
    EXPECT_FALSE(about.Visible());
  }
  EXPECT_TRUE(dialogs.shown.empty());
  EXPECT_TRUE(processes.started.empty());
  EXPECT_EQ(windows.Realized("frmAbout"), 4);
}

TEST_F(AboutBoxTest, CloseAndTheCloseBoxUnloadTheBox) {
  frmAbout& first = OpenAbout();
  first.cmdOK.Press();
  EXPECT_TRUE(first.Unloaded());

  frmAbout& second = OpenAbout();
  second.SetFocus(second.Command4);
  second.PressSpace();  // Command4 does nothing
  EXPECT_FALSE(second.Unloaded());
  second.CloseBox();
  EXPECT_TRUE(second.Unloaded());
  EXPECT_EQ(windows.Front(), &app.MainForm());
}

TEST_F(AboutBoxTest, Command4ChangesNothing) {
  frmAbout& about = OpenAbout();
  about.SetFocus(about.Command4);

  about.Command4.Press();
  about.PressSpace();
  about.PressEnter();

  EXPECT_TRUE(dialogs.shown.empty());
  EXPECT_TRUE(processes.started.empty());
  EXPECT_TRUE(registry.Opens().empty());
  EXPECT_TRUE(about.Visible());
  EXPECT_EQ(about.Focused(), &about.Command4);
  for (const Control* control : about.Controls()) EXPECT_TRUE(control->Enabled());
}

TEST_F(AboutBoxTest, Command5ShowsHiddenMessage3OnceAndIsThenSkipped) {
  frmAbout& about = OpenAbout();
  for (int i = 0; i < 3; ++i) about.PressTab();
  ASSERT_EQ(about.Focused(), &about.Command5);

  about.PressSpace();

  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].message, MessageBoxRequest{.text = HiddenMessageText(3)});
  EXPECT_FALSE(about.Command5.Enabled());
  EXPECT_NE(about.Focused(), &about.Command5);
  EXPECT_EQ(Names(about.TabOrder()), (std::vector<std::string>{"cmdOK", "cmdSysInfo", "Command4"}));

  about.Command5.Press();
  EXPECT_EQ(dialogs.MessageTexts().size(), 1u);
  EXPECT_TRUE(about.Visible());
}

TEST_F(AboutBoxTest, Command5ComesBackInAReopenedBoxButNotWhenAboutIsChosenWhileOpen) {
  frmAbout& first = OpenAbout();
  first.Command5.Press();
  ASSERT_FALSE(first.Command5.Enabled());
  app.MainForm().Show();  // the main window stays usable and comes in front

  frmAbout& again = OpenAbout();
  EXPECT_EQ(&again, &first);
  EXPECT_FALSE(again.Command5.Enabled());
  EXPECT_EQ(windows.Front(), &again);
  EXPECT_EQ(windows.Realized("frmAbout"), 1);
  EXPECT_EQ(windows.outerSizes.size(), 2u);  // Form_Load ran once

  again.cmdOK.Press();
  frmAbout& fresh = OpenAbout();
  EXPECT_TRUE(fresh.Command5.Enabled());
  EXPECT_EQ(windows.Realized("frmAbout"), 2);
  EXPECT_EQ(fresh.OuterHeight(), 3450);
  fresh.Command5.Press();
  EXPECT_EQ(dialogs.MessageTexts(),
            (std::vector<std::wstring>{HiddenMessageText(3), HiddenMessageText(3)}));
}

TEST_F(AboutBoxTest, TheMainWindowWorksWhileTheBoxIsOpen) {
  frmAbout& about = OpenAbout();

  dialogs.Type(L"http://music.example.org");
  app.MainForm().Command12.Press();
  app.MainForm().brixel.Press();

  EXPECT_EQ(app.MainForm().Text10.Text(), L"http://music.example.org/");
  EXPECT_EQ(dialogs.MessageTexts().size(), 1u);
  EXPECT_TRUE(about.Visible());
  EXPECT_FALSE(about.Unloaded());
}

}  // namespace
}  // namespace melodex::testing
