// The control model on its own.
#include <gtest/gtest.h>

#include <string>

#include "ui/memory/MemoryBackend.h"
#include "ui/model/Control.h"
#include "ui/model/Form.h"

namespace melodex::ui {
namespace {

TEST(ControlTest, AnAmpersandMarksTheAccessKeyAndIsNotRead) {
  const struct {
    std::wstring caption;
    wchar_t key;
    std::wstring read;  // what a screen reader gets as a label's words
  } cases[] = {
      {L"&Go", L'G', L"Go"},
      {L"E&xit", L'X', L"Exit"},
      {L"&system Info...", L'S', L"system Info..."},
      // "&&" is an ampersand to show, not the mark of a key.
      {L"Rock && Roll", 0, L"Rock & Roll"},
      {L"&&Go", 0, L"&Go"},
      {L"Rock && &Roll", L'R', L"Rock & Roll"},
      {L"&&&Go", L'G', L"&Go"},
      {L"Go&", 0, L"Go&"},
      {L"Command10", 0, L"Command10"},
  };
  MemoryBackend backend;
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(c.caption));
    Form form(backend, "Form", {});
    const CommandButton button(form, "Command1", c.caption, {}, 0);
    EXPECT_EQ(button.AccessKey(), c.key);
    EXPECT_EQ(button.PlainText(), c.read);
  }
  // What the user types is no caption.
  Form form(backend, "Form", {});
  const TextBox box(form, "Text1", {}, 0, L"&Go");
  EXPECT_EQ(box.AccessKey(), 0);
  EXPECT_EQ(box.PlainText(), L"&Go");
}

// A label takes no focus: its access key hands the focus to the control after it, and is a
// key all the same, not the menu bar's.
TEST(ControlTest, ALabelsAccessKeyLeadsToTheControlAfterIt) {
  MemoryBackend backend;
  Form form(backend, "Form", {});
  const Label artist(form, "Label1", L"&Artist", {}, 0);
  const TextBox artistBox(form, "Text1", {}, 1);
  const TextBox yearBox(form, "Text2", {}, 2);
  const Label title(form, "Label2", L"&Title", {}, 3);  // shares its key with the next one
  TextBox titleBox(form, "Text3", {}, 4);
  const Label track(form, "Label3", L"&Track", {}, 5);
  const TextBox trackBox(form, "Text4", {}, 6);
  form.SetFocus(titleBox);

  EXPECT_TRUE(form.PressAccessKey(L'a'));
  EXPECT_EQ(form.Focused(), &artistBox);
  EXPECT_TRUE(form.PressAccessKey(L't'));
  EXPECT_EQ(form.Focused(), &titleBox);
}

}  // namespace
}  // namespace melodex::ui
