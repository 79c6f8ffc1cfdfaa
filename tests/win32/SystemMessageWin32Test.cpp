// An error code the system has no words for, given by its number.
#include <gtest/gtest.h>
#include <windows.h>

#include "platform/win32/SystemMessage.h"

namespace melodex::win32 {
namespace {

TEST(SystemMessageTest, ACodeWithoutWordsIsGivenByItsNumber) {
  // Codes with bit 29 set are the applications' own: the system has no words for them.
  EXPECT_EQ(SystemMessage(0x20001234), L"Error 536875572.");
  EXPECT_EQ(ErrorNumber(0), L"0");
  EXPECT_EQ(ErrorNumber(4294967295), L"4294967295");
}

}  // namespace
}  // namespace melodex::win32
