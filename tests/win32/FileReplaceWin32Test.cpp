// The replacement of a page by its new version, through each way ReplaceFileW can end: the
// old page must be back under its own name whenever the new one is not.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>

#include "platform/win32/FileReplace.h"
#include "support/Win32Files.h"

namespace melodex::win32 {
namespace {

using testing::ListFolder;
using testing::ReadBytes;
using testing::WriteBytes;

// Stand-ins for ReplaceFileW that leave the files as its documentation says each outcome
// does, with the backup name given.
BOOL WINAPI Replaces(LPCWSTR replaced, LPCWSTR replacement, LPCWSTR backup, DWORD, LPVOID, LPVOID) {
  return MoveFileExW(replaced, backup, 0) && MoveFileExW(replacement, replaced, 0);
}

template <DWORD kError>
BOOL WINAPI FailsKeepingTheNames(LPCWSTR, LPCWSTR, LPCWSTR, DWORD, LPVOID, LPVOID) {
  SetLastError(kError);
  return FALSE;
}

// ERROR_UNABLE_TO_MOVE_REPLACEMENT_2: the old file already under the backup name.
BOOL WINAPI FailsWithTheOldAside(LPCWSTR replaced, LPCWSTR, LPCWSTR backup, DWORD, LPVOID, LPVOID) {
  MoveFileExW(replaced, backup, 0);
  SetLastError(ERROR_UNABLE_TO_MOVE_REPLACEMENT_2);
  return FALSE;
}

struct ReplaceCase {
  const char* name;
  ReplaceFileCall call;
  bool replaced;
};

class FileReplaceTest : public ::testing::TestWithParam<ReplaceCase> {
 protected:
  void SetUp() override {
    folder_ = testing::MakeScratchFolder(L"melodex-replace");
    ASSERT_TRUE(WriteBytes(Page(), "old page"));
    ASSERT_TRUE(WriteBytes(New(), "new page"));
  }
  void TearDown() override { testing::RemoveTree(folder_); }

  std::wstring Page() const { return folder_ + L"\\mp3list.html"; }
  std::wstring New() const { return folder_ + L"\\mp3new.tmp"; }
  std::wstring Backup() const { return folder_ + L"\\mp3old.old"; }
  std::vector<std::wstring> Names() const {
    std::vector<std::wstring> names = ListFolder(folder_);
    std::sort(names.begin(), names.end());
    return names;
  }

  std::wstring folder_;
};

TEST_P(FileReplaceTest, LeavesEitherTheNewPageOrTheOldOneInPlace) {
  const DWORD error = ReplaceKeepingTheOld(Page(), New(), Backup(), GetParam().call);

  if (GetParam().replaced) {
    EXPECT_EQ(error, static_cast<DWORD>(ERROR_SUCCESS));
    EXPECT_EQ(ReadBytes(Page()), "new page");
    EXPECT_EQ(Names(), std::vector<std::wstring>{L"mp3list.html"}) << "no backup left";
  } else {
    EXPECT_NE(error, static_cast<DWORD>(ERROR_SUCCESS));
    EXPECT_EQ(ReadBytes(Page()), "old page");
    EXPECT_EQ(ReadBytes(New()), "new page");
    EXPECT_EQ(Names(), (std::vector<std::wstring>{L"mp3list.html", L"mp3new.tmp"}));
  }
}

INSTANTIATE_TEST_SUITE_P(
    Outcomes, FileReplaceTest,
    ::testing::Values(
        ReplaceCase{"TheSystemsOwn", ReplaceFileW, true}, ReplaceCase{"Replaced", Replaces, true},
        ReplaceCase{"NotRemoved", FailsKeepingTheNames<ERROR_UNABLE_TO_REMOVE_REPLACED>, false},
        ReplaceCase{"NotMoved", FailsKeepingTheNames<ERROR_UNABLE_TO_MOVE_REPLACEMENT>, false},
        ReplaceCase{"NotMovedOldAside", FailsWithTheOldAside, false},
        ReplaceCase{"Refused", FailsKeepingTheNames<ERROR_ACCESS_DENIED>, false}),
    [](const ::testing::TestParamInfo<ReplaceCase>& info) { return info.param.name; });

}  // namespace
}  // namespace melodex::win32
