#include <string>
#include <vector>

#include "support/InMemoryProgram.h"
#include "ui/about/frmAbout.h"
#include "ui/dialogs/Form2.h"
#include "ui/dialogs/Form3.h"
#include "ui/dialogs/Form4.h"

namespace melodex::testing {
namespace {

using MainWindowTest = ProgramTest;

std::vector<std::string> Names(const std::vector<ui::Control*>& controls) {
  std::vector<std::string> names;
  for (const ui::Control* control : controls) names.emplace_back(control->Name());
  return names;
}

TEST_F(MainWindowTest, StartsWithTheDesignValuesAndGoDisabled) {
  Form1& f = Main();
  EXPECT_EQ(f.Caption(), L"Brixel's Melodex v1.5 \u00df1");
  EXPECT_EQ(f.Layout().clientWidth, 4500);
  EXPECT_EQ(f.Layout().clientHeight, 2445);
  EXPECT_TRUE(f.Visible());
  EXPECT_EQ(windows.Front(), &f);
  for (const ui::TextBox* path : {&f.Text1, &f.Text10, &f.Text11, &f.Text8}) {
    EXPECT_EQ(path->Text(), L"") << path->Name();
  }
  const std::vector<std::wstring> colours = {f.Text3.Text(), f.Text4.Text(), f.Text5.Text(),
                                             f.Text6.Text(), f.Text7.Text(), f.Text9.Text()};
  EXPECT_EQ(colours, (std::vector<std::wstring>{L"#FFFFFF", L"#000000", L"#0000FF", L"#00FF00",
                                                L"#FF0000", L"#FF0000"}));
  EXPECT_EQ(f.Check1.Value(), ui::CheckBox::State::Checked);
  EXPECT_EQ(f.Text2.Text(), L"Temp text space");
  for (const ui::Control* control : f.Controls()) {
    const bool disabled = control == &f.Command2 || control == &f.Text2;
    EXPECT_EQ(control->Enabled(), !disabled) << control->Name();
  }
  for (const ui::MenuItem* item :
       {&f.file, &f.exit, &f.help, &f.help2, &f.About, &f.brixel, &f.line, &f.Secret}) {
    EXPECT_TRUE(item->Enabled()) << item->Name();
  }
  EXPECT_EQ(f.Focused(), &f.Command1);
  EXPECT_EQ(windows.FocusedIn(f), &f.Command1);
}

TEST_F(MainWindowTest, OnlyThePromptAndThePickerRunTheReadinessTestAndItOnlyEnables) {
  Form1& f = Main();
  f.Text1.OnUserEdit(L"C:\\MP3");
  f.Text10.OnUserEdit(L"http://typed/");
  f.Text11.OnUserEdit(L"C:\\Out");
  EXPECT_FALSE(f.Command2.Enabled()) << "typing the paths runs no test";

  f.Text11.OnUserEdit(L"");
  dialogs.Type(L"http://host/music");
  f.Command12.Press();
  EXPECT_FALSE(f.Command2.Enabled()) << "the output folder is empty";

  f.Text11.OnUserEdit(L" ");  // blanks count as filled
  dialogs.Type(L"http://host/music");
  f.Command12.Press();
  EXPECT_TRUE(f.Command2.Enabled());
  EXPECT_EQ(windows.changes.back(), "Command2");

  f.Text1.OnUserEdit(L"");
  f.ReadinessTest();
  EXPECT_TRUE(f.Command2.Enabled()) << "nothing disables Go again";
}

TEST_F(MainWindowTest, HandOverButtonsWriteTheirNumberAndShowTheirDialog) {
  Form1& f = Main();
  struct Case {
    ui::CommandButton& button;
    const wchar_t* number;
    bool folderPicker;
  } cases[] = {{f.Command1, L"0", true},  {f.Command13, L"9", true}, {f.Command3, L"1", false},
               {f.Command4, L"2", false}, {f.Command5, L"3", false}, {f.Command6, L"4", false},
               {f.Command7, L"5", false}, {f.Command9, L"6", false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.button.Name());
    c.button.Press();
    EXPECT_EQ(f.Text2.Text(), c.number);
    const ui::Form& dialog = c.folderPicker ? static_cast<ui::Form&>(app.FolderPicker())
                                            : static_cast<ui::Form&>(app.ColourChooser());
    EXPECT_TRUE(dialog.Visible());
    EXPECT_EQ(windows.Front(), &dialog);
  }
  EXPECT_EQ(windows.Realized("Form2"), 1) << "one folder picker for the whole run";
  EXPECT_EQ(windows.Realized("Form3"), 1) << "one colour chooser for the whole run";
  EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(MainWindowTest, TheButtonPressedLastDecidesWhileADialogIsOpen) {
  Form1& f = Main();
  f.Command1.Press();  // the folder picker, for the music folder
  f.Command3.Press();  // then the colour chooser, for the background
  EXPECT_EQ(f.Text2.Text(), L"1");
  EXPECT_TRUE(app.FolderPicker().Visible());
  EXPECT_TRUE(app.ColourChooser().Visible());

  f.Command9.Press();  // the chooser is open already: it comes to the front
  EXPECT_EQ(f.Text2.Text(), L"6");
  EXPECT_EQ(windows.Front(), &app.ColourChooser());
  EXPECT_EQ(windows.Realized("Form3"), 1);
}

TEST_F(MainWindowTest, WebAddressPromptAcceptsOnlyHttpAddresses) {
  const MessageBoxRequest invalid{.text = L"NO Valid URL!!",
                                  .title = L"Error",
                                  .icon = MessageIcon::Critical,
                                  .helpFile = L"DEMO.HLP",
                                  .helpContext = 1000};
  struct Case {
    std::wstring answer;
    std::wstring stored;  // empty: refused
  } cases[] = {
      {L"http://host/music", L"http://host/music/"},
      {L"http://host/music/", L"http://host/music/"},
      {L"http://", L"http://"},
      {L"http://host/a b ", L"http://host/a b /"},
      {L"HTTP://host/", L""},
      {L"https://host/", L""},
      {L"ftp://host/", L""},
      {L"host/music/", L""},
      {L" http://host/", L""},
      {L"http:/", L""},
      {L"", L""},  // also what Cancel gives
  };
  Form1& f = Main();
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(c.answer));
    f.Text10.SetText(L"previous");
    dialogs.shown.clear();
    dialogs.Type(c.answer);

    f.Command12.Press();

    ASSERT_GE(dialogs.shown.size(), 1u);
    EXPECT_TRUE(dialogs.shown[0].isInputBox);
    EXPECT_EQ(dialogs.shown[0].prompt, L"Enter an URL To Your MP3s, This URL must be valid.");
    EXPECT_EQ(dialogs.shown[0].title, L"MP3 URL");
    EXPECT_EQ(dialogs.shown[0].defaultText, L"") << "the current address is not offered";
    if (c.stored.empty()) {
      ASSERT_EQ(dialogs.shown.size(), 2u);
      EXPECT_EQ(dialogs.shown[1].message, invalid);
      EXPECT_EQ(f.Text10.Text(), L"previous");
    } else {
      EXPECT_EQ(dialogs.shown.size(), 1u);
      EXPECT_EQ(f.Text10.Text(), c.stored);
    }
  }
}

TEST_F(MainWindowTest, QuitAsksAndEnterAnswersNo) {
  Main().Command8.Press();  // no answer scripted: Enter takes the default button

  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].message, (MessageBoxRequest{.text = L"Do you want to Quit ?",
                                                         .title = L"Exit",
                                                         .buttons = MessageButtons::YesNo,
                                                         .icon = MessageIcon::Question,
                                                         .defaultButton = 2,
                                                         .helpFile = L"DEMO.HLP",
                                                         .helpContext = 1000}));
  EXPECT_FALSE(windows.Ended());

  dialogs.Answer(MessageAnswer::Yes);
  Main().Command8.Press();
  EXPECT_TRUE(windows.Ended());
}

TEST_F(MainWindowTest, ExitAndTheCloseBoxEndAtOnceEvenWithDialogsOpen) {
  Main().Command1.Press();
  Main().help2.Press();
  Main().exit.Press();
  EXPECT_TRUE(windows.Ended());
  EXPECT_TRUE(dialogs.shown.empty());

  MemoryBackend other;
  App second(other, platform);
  second.Start();
  second.MainForm().CloseBox();
  EXPECT_TRUE(other.Ended());
}

TEST_F(MainWindowTest, EnterInATextBoxPressesTheHiddenDefaultButtonNotGo) {
  Form1& f = Main();
  f.Command2.SetEnabled(true);
  for (ui::TextBox* box : {&f.Text1, &f.Text8, &f.Text3}) {
    SCOPED_TRACE(box->Name());
    dialogs.shown.clear();
    dialogs.Answer(MessageAnswer::Ignore);
    f.SetFocus(*box);
    f.PressEnter();
    EXPECT_EQ(dialogs.MessageTexts(),
              (std::vector<std::wstring>{L"Enter does not do you any good.....!!!",
                                         L"I could try to Ignore you!!"}));
  }
  EXPECT_FALSE(files.ReadFile(L"\\mp3list.html")) << "Go was not pressed";

  dialogs.shown.clear();
  f.SetFocus(f.Command11);
  f.PressEnter();  // a focused button takes Enter itself
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_TRUE(dialogs.shown[0].message.text.starts_with(L"You found a Secret!!!"));
}

TEST_F(MainWindowTest, TabFollowsTheTabOrderSkippingTheDisabledAndLabels) {
  Form1& f = Main();
  std::vector<std::string> visited;
  for (int i = 0; i < 24; ++i) {
    visited.emplace_back(f.Focused()->Name());
    f.PressTab();
  }
  EXPECT_EQ(visited,
            (std::vector<std::string>{
                "Command1",  "Text1",     "Command3", "Text3",     "Command4", "Text4",
                "Command5",  "Command6",  "Command7", "Text5",     "Text6",    "Text7",
                "Command8",  "Text8",     "Command9", "Text9",     "Check1",   "Command10",
                "Command11", "Command12", "Text10",   "Command13", "Text11",   "Command1"}));

  f.Command2.SetEnabled(true);
  f.SetFocus(f.Text1);
  f.PressTab();
  EXPECT_EQ(f.Focused(), &f.Command2);
  f.PressTab(/*backwards=*/true);
  EXPECT_EQ(f.Focused(), &f.Text1);
  EXPECT_EQ(Names(f.TabOrder()).size(), 24u);
}

TEST_F(MainWindowTest, AccessKeysPressTheirButtonOrMoveAmongTwins) {
  Form1& f = Main();
  EXPECT_TRUE(f.PressAccessKey(L'u'));
  EXPECT_EQ(f.Focused(), &f.Command12);
  ASSERT_EQ(dialogs.shown.size(), 2u);
  EXPECT_EQ(dialogs.shown[0].title, L"MP3 URL");

  dialogs.shown.clear();
  f.PressAccessKey(L'T');  // "&Text color" and "&Tiltle color" share the key
  EXPECT_EQ(f.Focused(), &f.Command4);
  f.PressAccessKey(L'T');
  EXPECT_EQ(f.Focused(), &f.Command9);
  EXPECT_EQ(f.Text2.Text(), L"Temp text space") << "neither was pressed";
  EXPECT_TRUE(dialogs.shown.empty());

  EXPECT_FALSE(f.PressAccessKey(L'G'));   // "&Go" is disabled
  EXPECT_FALSE(f.PressAccessKey(L'\0'));  // the key of no control, not of those without one
  EXPECT_EQ(f.Focused(), &f.Command9);
  EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(MainWindowTest, DisabledControlsAndMenuItemsNeverFire) {
  Form1& f = Main();
  f.Command2.Press();
  EXPECT_TRUE(dialogs.shown.empty());
  EXPECT_FALSE(files.ReadFile(L"C:\\mp3list.html"));

  f.Secret.Press();
  EXPECT_EQ(dialogs.shown.size(), 1u);
  EXPECT_FALSE(f.Secret.Enabled());
  f.Secret.Press();
  EXPECT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(windows.changes.back(), "Secret");
}

TEST_F(MainWindowTest, GoWritesThePageFromTheWindowFieldsAndKeepsTheAskedTitle) {
  files.AddFolder(L"C:\\MP3");
  files.AddFolder(L"C:\\Out");
  files.AddFile(L"C:\\MP3\\01_Intro.mp3");
  Form1& f = Main();
  f.Text1.OnUserEdit(L"C:\\MP3");
  f.Text11.OnUserEdit(L"C:\\Out");
  f.Text3.OnUserEdit(L"navy");
  f.Check1.Press();  // clears "List Centered"
  EXPECT_EQ(windows.changes.back(), "Check1");
  dialogs.Type(L"http://host/mp3");
  f.Command12.Press();
  ASSERT_TRUE(f.Command2.Enabled());
  dialogs.shown.clear();
  dialogs.Type(L"Party");

  f.Command2.Press();

  EXPECT_EQ(f.Text8.Text(), L"Party");
  ASSERT_EQ(dialogs.shown.size(), 2u);
  EXPECT_TRUE(dialogs.shown[0].isInputBox);
  EXPECT_EQ(dialogs.shown[0].prompt, L"Enter a page Title!");
  EXPECT_EQ(dialogs.shown[0].title, L"Title");
  EXPECT_EQ(dialogs.shown[0].defaultText, L"");
  EXPECT_EQ(dialogs.shown[1].message, MessageBoxRequest{.text = L"All Done, Page is Ready!"});
  const std::string page = files.ReadFile(L"C:\\Out\\mp3list.html").value_or("");
  EXPECT_TRUE(page.starts_with("<html><Title>Party</title><body bgcolor=\"navy\" "));
  EXPECT_NE(
      page.find("</center>\r\n<a href=\"http://host/mp3/01_Intro.mp3\"> Intro</a><br>\r\n<br><br>"),
      std::string::npos)
      << page;
}

TEST_F(MainWindowTest, HelpKeyOpensTheTopicOrElseTheHelpWindow) {
  app.ShowHelp(L"DEMO.HLP", 1000);
  EXPECT_TRUE(app.HelpWindow().Visible()) << "no help program: the program's own help";

  app.HelpWindow().Hide();
  help.available = true;
  app.ShowHelp(L"DEMO.HLP", 1000);
  ASSERT_EQ(help.shown.size(), 1u);
  EXPECT_EQ(help.shown[0].file, L"DEMO.HLP");
  EXPECT_EQ(help.shown[0].context, 1000u);
  EXPECT_FALSE(app.HelpWindow().Visible());
}

TEST_F(MainWindowTest, HelpAndAboutShowOneWindowEach) {
  Main().help2.Press();
  Main().help2.Press();
  Main().About.Press();
  Main().About.Press();
  EXPECT_EQ(windows.Realized("Form4"), 1);
  EXPECT_EQ(windows.Realized("frmAbout"), 1);
  EXPECT_EQ(windows.Front(), static_cast<const ui::Form*>(&app.AboutBox()));
}

}  // namespace
}  // namespace melodex::testing
