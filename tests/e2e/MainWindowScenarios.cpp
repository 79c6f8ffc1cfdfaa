// The main window driven from outside: its start, the readiness of "&Go", the web-address
// rules, the ways to end the program, the Enter box and the hidden messages it holds.
#include <gtest/gtest.h>

#include "e2e/Expected.h"
#include "e2e/Scenario.h"
#include "e2e/driver/Waiting.h"
#include "e2e/driver/Windows.h"

namespace e2e {
namespace {

class MainWindow : public Scenario {
 protected:
  HWND Go() { return App().Control(App().Main(), L"&Go"); }
  // Asks for the web address and answers `answer` (Esc when `cancel`).
  void EnterUrl(const std::wstring& answer, bool cancel = false) {
    App().Alt(L'u');
    EXPECT_EQ(App().AnswerInputBox(L"MP3 URL", answer, cancel), kUrlPrompt);
  }
  void WaitForEnd() {
    WaitUntil(
        L"the program to end", [&] { return !App().Program().Running(); },
        [&] { return App().Windows(); });
    EXPECT_EQ(App().Program().ExitCode(), 0u) << "it ended as a program ends, not by a crash";
  }
};

TEST_F(MainWindow, StartsWithTheLaidOutValuesAndGoDisabled) {
  Melodex& app = App();
  const HWND main = app.Main();
  EXPECT_EQ(TextOf(main), kMainCaption);
  EXPECT_EQ(app.Text(field::kMusicFolder), L"");
  EXPECT_EQ(app.Text(field::kBaseUrl), L"");
  EXPECT_EQ(app.Text(field::kOutputFolder), L"");
  EXPECT_EQ(app.Text(field::kTitle), L"");
  EXPECT_EQ(app.Text(field::kBackColour), L"#FFFFFF");
  EXPECT_EQ(app.Text(field::kTextColour), L"#000000");
  EXPECT_EQ(app.Text(field::kLinkColour), L"#0000FF");
  EXPECT_EQ(app.Text(field::kActiveLinkColour), L"#00FF00");
  EXPECT_EQ(app.Text(field::kVisitedLinkColour), L"#FF0000");
  EXPECT_EQ(app.Text(field::kTitleColour), L"#FF0000");
  EXPECT_TRUE(Checked(app.Control(main, L"List Centered")));
  EXPECT_FALSE(Enabled(Go()));
  EXPECT_EQ(app.Text(field::kHandOver), L"Temp text space");
  EXPECT_FALSE(Enabled(app.Field(field::kHandOver)));
  // Centred on the screen.
  const RECT frame = ScreenRect(main);
  const RECT screen = ScreenRect(GetDesktopWindow());
  EXPECT_NEAR((frame.left + frame.right) / 2, (screen.left + screen.right) / 2, 2);
  app.Snapshot(main, L"e2e-main-window");
}

TEST_F(MainWindow, GoStaysDisabledForTypedPathsUntilTheUrlPromptRunsTheReadinessTest) {
  Melodex& app = App();
  app.Retype(field::kMusicFolder, In(L"music"));
  app.Retype(field::kOutputFolder, In(L"out"));
  app.Retype(field::kBaseUrl, L"http://typed.example/");
  app.Settle();
  EXPECT_FALSE(Enabled(Go())) << "typing the three paths runs no readiness test";

  EnterUrl(L"http://example.org/mp3");
  WaitUntil(
      L"\"&Go\" to be enabled", [&] { return Enabled(Go()); }, [&] { return Describe(Go()); });
  EXPECT_EQ(app.Text(field::kBaseUrl), L"http://example.org/mp3/");

  app.Retype(field::kMusicFolder, L"");
  app.Settle();
  EXPECT_TRUE(Enabled(Go())) << "nothing disables \"&Go\" again";
}

TEST_F(MainWindow, UrlPromptWithEitherFolderEmptyLeavesGoAsItWas) {
  Melodex& app = App();
  app.Retype(field::kMusicFolder, In(L"music"));
  EnterUrl(L"http://example.org/");
  app.Settle();
  EXPECT_FALSE(Enabled(Go())) << "the output folder is empty";
}

TEST_F(MainWindow, UrlRules) {
  struct Row {
    const wchar_t* answer;
    bool cancel;
    const wchar_t* stored;  // null: refused with "NO Valid URL!!"
  } rows[] = {
      {L"http://example.org/music", false, L"http://example.org/music/"},
      {L"http://example.org/music/", false, L"http://example.org/music/"},
      {L"http://", false, L"http://"},
      {L"http://my host/my music", false, L"http://my host/my music/"},
      {L"http://example.org/ ", false, L"http://example.org/ /"},
      {L"HTTP://EXAMPLE.ORG/", false, nullptr},
      {L"Http://example.org/", false, nullptr},
      {L"https://example.org/", false, nullptr},
      {L"ftp://example.org/", false, nullptr},
      {L"example.org/music", false, nullptr},
      {L" http://example.org/", false, nullptr},
      {L"http:/", false, nullptr},
      {L"", false, nullptr},
      {L"http://cancelled.example/", true, nullptr},
  };
  std::wstring stored = L"";
  for (const Row& row : rows) {
    SCOPED_TRACE(Narrow(L"answer " + Quoted(row.answer) + (row.cancel ? L", cancelled" : L"")));
    EnterUrl(row.answer, row.cancel);
    if (row.stored) {
      stored = row.stored;
      App().ExpectNoBox();
    } else {
      EXPECT_EQ(App().AnswerMessageBox(L"Error", kOk), kNoValidUrl);
    }
    EXPECT_EQ(App().Text(field::kBaseUrl), stored);
  }
}

TEST_F(MainWindow, QuitAnsweredNoByEnterKeepsItRunning) {
  Melodex& app = App();
  app.ClickMain(L"&Quit");
  EXPECT_EQ(app.SeeMessageBox(L"Exit"), kQuitQuestion);
  app.Press(VK_RETURN);
  WaitForWindowToGo(app.Id(), L"Exit");
  app.Settle();
  EXPECT_TRUE(app.Program().Running());
  EXPECT_TRUE(Enabled(app.Main()));
  // The keyboard is back in the main window: Alt+Q asks again.
  app.Alt(L'q');
  EXPECT_EQ(app.AnswerMessageBox(L"Exit", kNo), kQuitQuestion);
  EXPECT_TRUE(app.Program().Running());
}

TEST_F(MainWindow, QuitAnsweredYesEndsIt) {
  App().ClickMain(L"&Quit");
  EXPECT_EQ(App().AnswerMessageBox(L"Exit", kYes), kQuitQuestion);
  WaitForEnd();
}

TEST_F(MainWindow, ExitEndsItWithoutAQuestionWhileEveryDialogIsOpen) {
  Melodex& app = App();
  app.ClickMain(L"MP3 &Directory");
  app.Window(kPickerCaption);
  app.ClickMain(L"&Back color");
  app.Window(kColoursCaption);
  app.Activate(app.Main());  // back to the main window for its menu
  app.Menu(L'h', L'e');
  app.Window(kHelpCaption);
  app.Activate(app.Main());
  app.Menu(L'h', L'a');
  app.Window(kAboutCaption);
  app.Activate(app.Main());
  app.Menu(L'f', L'x');
  WaitForEnd();
}

TEST_F(MainWindow, CloseBoxEndsIt) {
  ASSERT_TRUE(App().Pointer().ClickCloseBox(App().Main()));
  WaitForEnd();
}

TEST_F(MainWindow, EnterInATextBoxShowsTheEnterBoxUntilItIsNotRetried) {
  Melodex& app = App();
  app.Click(app.Field(field::kTitle));
  app.Press(VK_RETURN);
  EXPECT_EQ(app.AnswerMessageBox(L"Enter box", kRetry), kEnterBox);
  EXPECT_EQ(app.AnswerMessageBox(kAppTitle, kOk), kRetryAnswer);
  EXPECT_EQ(app.AnswerMessageBox(L"Enter box", kRetry), kEnterBox);
  EXPECT_EQ(app.AnswerMessageBox(kAppTitle, kOk), kRetryAnswer);
  EXPECT_EQ(app.AnswerMessageBox(L"Enter box", kIgnore), kEnterBox);
  EXPECT_EQ(app.AnswerMessageBox(kAppTitle, kOk), kIgnoreAnswer);
  app.ExpectNoBox();

  app.Click(app.Field(field::kMusicFolder));
  app.Press(VK_RETURN);
  EXPECT_EQ(app.AnswerMessageBox(L"Enter box", kAbort), kEnterBox);
  EXPECT_EQ(app.AnswerMessageBox(kAppTitle, kOk), kAbortAnswer);
  app.ExpectNoBox();
  EXPECT_FALSE(Enabled(Go())) << "Enter never presses \"&Go\"";
}

TEST_F(MainWindow, HiddenMessage1SitsAtTheBlankPlaceRightOfHelpOnTheMenuBar) {
  Melodex& app = App();
  const POINT place = app.ClickSecretPlace();
  EXPECT_EQ(app.AnswerMessageBox(kAppTitle, kOk), HiddenMessage(1));
  // Found once: the place does nothing any more.
  app.Pointer().Click(place);
  app.Settle();
  app.ExpectNoBox();
}

TEST_F(MainWindow, HiddenMessage2IsReachedByTabbingToCommand11) {
  Melodex& app = App();
  app.Click(app.Field(field::kTitleColour));
  app.TabTo(L"List Centered");
  EXPECT_EQ(app.TabTo(L"Command10"), 1) << "the hidden default button follows \"List Centered\"";
  EXPECT_EQ(app.TabTo(L"Command11"), 1) << "Command11 follows Command10";
  app.Press(VK_SPACE);
  EXPECT_EQ(app.AnswerMessageBox(kAppTitle, kOk), HiddenMessage(2));
  const HWND command11 = app.Control(app.Main(), L"Command11");
  EXPECT_FALSE(Enabled(command11));
  // Once shown it is disabled, and Tab passes it by.
  app.Click(app.Field(field::kTitleColour));
  app.TabTo(L"Command10");
  app.Press(VK_TAB);
  app.Settle();
  EXPECT_EQ(TextOf(app.Focused()), L"&URL to MP3s");
}

TEST_F(MainWindow, EnterOnCommand11ShowsHiddenMessage2NotTheEnterBox) {
  Melodex& app = App();
  app.Click(app.Field(field::kTitleColour));
  app.TabTo(L"Command11");
  app.Press(VK_RETURN);
  EXPECT_EQ(app.AnswerMessageBox(kAppTitle, kOk), HiddenMessage(2));
  app.ExpectNoBox();
}

TEST_F(MainWindow, ContactMessageFromTheHelpMenu) {
  Melodex& app = App();
  app.Menu(L'h', L'b');
  EXPECT_EQ(app.AnswerMessageBox(kAppTitle, kOk), kContact);
  app.Menu(L'h', L'b');  // again: it can be repeated at will
  EXPECT_EQ(app.AnswerMessageBox(kAppTitle, kOk), kContact);
}

TEST_F(MainWindow, TheKeyboardIsBackInTheMainWindowAfterAMessageBox) {
  Melodex& app = App();
  app.Alt(L'u');
  app.AnswerInputBox(L"MP3 URL", L"no address");
  app.Box(L"Error");
  app.Press(VK_RETURN);
  WaitForWindowToGo(app.Id(), L"Error");
  app.Settle();
  const HWND focus = FocusOf(app.Program().MainThread());
  ASSERT_NE(focus, nullptr) << "after the box no window of Melodex is active, so the user's keys "
                               "go nowhere until they click the window";
  EXPECT_EQ(GetAncestor(focus, GA_ROOT), app.Main());
}

}  // namespace
}  // namespace e2e
