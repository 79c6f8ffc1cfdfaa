// The three hidden messages, the "Enter box" behind Enter in the main window and the
// contact message: their exact texts and what shows them.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "Melodex.h"
#include "support/InMemoryProgram.h"
#include "ui/about/HiddenMessages.h"

namespace melodex::testing {
namespace {

// The texts byte for byte, breaks as line feed then carriage return.
TEST(HiddenMessageText, IsExactlyTheFourLinesOfEachMessage) {
  const std::wstring last =
      L"\n\r If you find all 3 secrets and write me the E-mail Your name will be shown in the next "
      L"version.";
  EXPECT_EQ(HiddenMessageText(1),
            L"You found a Secret!!!\n\rCool! This is Secret number 1, There are 2 others!\n\rwrite "
            L"the following word in a message to me : TOPSYWARP " +
                last);
  EXPECT_EQ(HiddenMessageText(2),
            L"You found a Secret!!!\n\rCool! This is Secret number 2, There are 2 others!\n\rwrite "
            L"the following word in a message to me : GLIMMERBOX " +
                last);
  EXPECT_EQ(HiddenMessageText(3),
            L"You found a Secret!!!\n\rCool! This is Secret number 3, There are 2 others!\n\rwrite "
            L"the following word in a message to me : FIZZLEDON " +
                last);
}

TEST(HiddenMessageText, HasThreeBreaksEachLineFeedThenCarriageReturn) {
  for (int n = 1; n <= 3; ++n) {
    SCOPED_TRACE(n);
    const std::wstring text = HiddenMessageText(n);
    EXPECT_EQ(std::count(text.begin(), text.end(), L'\n'), 3);
    EXPECT_EQ(std::count(text.begin(), text.end(), L'\r'), 3);
    for (std::size_t at = text.find(L'\n'); at != std::wstring::npos;
         at = text.find(L'\n', at + 1)) {
      ASSERT_LT(at + 1, text.size());
      EXPECT_EQ(text[at + 1], L'\r');
    }
    EXPECT_EQ(text.find(L"\r\n"), std::wstring::npos);
  }
}

class HiddenMessagesTest : public ProgramTest {
 protected:
  Form1& main = app.MainForm();
};

TEST_F(HiddenMessagesTest, TheBlankMenuItemShowsMessage1OnceAndIsThenDisabled) {
  std::vector<std::wstring> bar;
  for (const ui::MenuItem* item : main.MenuBar()) bar.push_back(item->Caption());
  ASSERT_EQ(bar, (std::vector<std::wstring>{L"&File", L"&Help", L"", L" "}));
  ASSERT_EQ(main.MenuBar()[3], &main.Secret);

  main.Secret.Press();
  main.Secret.Press();

  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].message, MessageBoxRequest{.text = HiddenMessageText(1)});
  EXPECT_FALSE(main.Secret.Enabled());
  EXPECT_NE(dialogs.shown[0].message.text.find(L": TOPSYWARP \n\r"), std::wstring::npos);
}

TEST_F(HiddenMessagesTest, Command11ComesAfterCommand10AndShowsMessage2Once) {
  main.SetFocus(main.Command10);
  main.PressTab();
  ASSERT_EQ(main.Focused(), &main.Command11);

  main.PressSpace();
  main.Command11.Press();

  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].message, MessageBoxRequest{.text = HiddenMessageText(2)});
  EXPECT_FALSE(main.Command11.Enabled());
  EXPECT_NE(main.Focused(), &main.Command11);
  const auto order = main.TabOrder();
  EXPECT_EQ(std::find(order.begin(), order.end(), &main.Command11), order.end());
}

TEST_F(HiddenMessagesTest, EnterOnCommand11ShowsMessage2NotTheEnterBox) {
  main.SetFocus(main.Command11);

  main.PressEnter();

  EXPECT_EQ(dialogs.MessageTexts(), std::vector<std::wstring>{HiddenMessageText(2)});
}

TEST_F(HiddenMessagesTest, EachHiddenMessageLeavesTheOthersAlone) {
  main.Secret.Press();
  main.Command11.Press();
  frmAbout& about = OpenAbout();
  about.Command5.Press();

  EXPECT_EQ(dialogs.MessageTexts(),
            (std::vector<std::wstring>{HiddenMessageText(1), HiddenMessageText(2),
                                       HiddenMessageText(3)}));
  EXPECT_FALSE(main.Secret.Enabled());
  EXPECT_FALSE(main.Command11.Enabled());
  EXPECT_FALSE(about.Command5.Enabled());
  // Finding all three changes nothing else.
  EXPECT_TRUE(main.Command10.Enabled());
  EXPECT_TRUE(main.brixel.Enabled());
  EXPECT_TRUE(about.Command4.Enabled());
  EXPECT_TRUE(files.ListFolder(L"C:\\").empty());
}

TEST_F(HiddenMessagesTest, SecretAndCommand11StayDisabledAcrossAboutBoxes) {
  main.Secret.Press();
  main.Command11.Press();
  OpenAbout().cmdOK.Press();
  OpenAbout();

  EXPECT_FALSE(main.Secret.Enabled());
  EXPECT_FALSE(main.Command11.Enabled());
  EXPECT_TRUE(app.AboutBox().Command5.Enabled());
}

// --- The Enter box ---

const MessageBoxRequest kEnterBox{.text = L"Enter does not do you any good.....!!!",
                                  .title = L"Enter box",
                                  .buttons = MessageButtons::AbortRetryIgnore,
                                  .icon = MessageIcon::Critical,
                                  .defaultButton = 1,
                                  .helpFile = L"DEMO.HLP",
                                  .helpContext = 1000};
const MessageBoxRequest kRetry{.text = L"Retry??? Ok:))"};
const MessageBoxRequest kAbort{.text = L"What do you want to Abort??"};
const MessageBoxRequest kIgnore{.text = L"I could try to Ignore you!!"};

struct EnterCase {
  const char* name;
  std::vector<MessageAnswer> answers;
  std::vector<MessageBoxRequest> boxes;
};

const EnterCase kEnterCases[] = {
    {"Abort", {MessageAnswer::Abort}, {kEnterBox, kAbort}},
    {"Ignore", {MessageAnswer::Ignore}, {kEnterBox, kIgnore}},
    {"RetryTwiceThenIgnore",
     {MessageAnswer::Retry, MessageAnswer::Ok, MessageAnswer::Retry, MessageAnswer::Ok,
      MessageAnswer::Ignore},
     {kEnterBox, kRetry, kEnterBox, kRetry, kEnterBox, kIgnore}},
    {"RetryTwiceThenAbort",
     {MessageAnswer::Retry, MessageAnswer::Ok, MessageAnswer::Retry, MessageAnswer::Ok,
      MessageAnswer::Abort},
     {kEnterBox, kRetry, kEnterBox, kRetry, kEnterBox, kAbort}},
    // Enter on the box presses its default button, Abort.
    {"EnterOnTheBox", {}, {kEnterBox, kAbort}},
};

class EnterBoxTest : public ::testing::TestWithParam<EnterCase>, protected InMemoryProgram {};

TEST_P(EnterBoxTest, EnterInATextFieldOpensTheEnterBoxUntilAbortOrIgnore) {
  for (const MessageAnswer answer : GetParam().answers) dialogs.Answer(answer);
  Form1& main = app.MainForm();
  main.SetFocus(main.Text8);

  main.PressEnter();

  std::vector<MessageBoxRequest> boxes;
  for (const auto& box : dialogs.shown) boxes.push_back(box.message);
  EXPECT_EQ(boxes, GetParam().boxes);
  // It changes nothing and can be had again.
  EXPECT_TRUE(main.Command10.Enabled());
  EXPECT_EQ(main.Text8.Text(), L"");
  main.PressEnter();
  EXPECT_GT(dialogs.shown.size(), boxes.size());
}

INSTANTIATE_TEST_SUITE_P(Answers, EnterBoxTest, ::testing::ValuesIn(kEnterCases),
                         [](const auto& info) { return std::string(info.param.name); });

// --- The contact message ---

TEST_F(HiddenMessagesTest, ContactMessageNamesTheAddressAndCanBeRepeated) {
  main.brixel.Press();
  main.brixel.Press();

  const MessageBoxRequest expected{.text = std::wstring(L"Write Brixel an E-Mial to:\n\r") +
                                           AuthorContactAddress};
  ASSERT_EQ(dialogs.shown.size(), 2u);
  EXPECT_EQ(dialogs.shown[0].message, expected);
  EXPECT_EQ(dialogs.shown[1].message, expected);
  EXPECT_TRUE(main.brixel.Enabled());
}

}  // namespace
}  // namespace melodex::testing
