// The control model on its own.
#include <gtest/gtest.h>

#include <string>

#include "ui/memory/MemoryBackend.h"
#include "ui/model/Control.h"
#include "ui/model/Form.h"

namespace melodex::ui {
namespace {

TEST(ControlTest, TheAccessKeyIsTheLetterAfterASingleAmpersand) {
  const struct {
    std::wstring caption;
    wchar_t key;
  } cases[] = {
      {L"&Go", L'G'},
      {L"E&xit", L'X'},
      {L"&system Info...", L'S'},
      // "&&" is an ampersand to show, not the mark of a key.
      {L"Rock && Roll", 0},
      {L"&&Go", 0},
      {L"Rock && &Roll", L'R'},
      {L"&&&Go", L'G'},
      {L"Go&", 0},
      {L"Command10", 0},
  };
  MemoryBackend backend;
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(c.caption));
    Form form(backend, "Form", {});
    const CommandButton button(form, "Command1", c.caption, {}, 0);
    EXPECT_EQ(button.AccessKey(), c.key);
  }
  // What the user types is no caption.
  Form form(backend, "Form", {});
  const TextBox box(form, "Text1", {}, 0, L"&Go");
  EXPECT_EQ(box.AccessKey(), 0);
}

}  // namespace
}  // namespace melodex::ui
