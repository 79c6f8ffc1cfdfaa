// What every FileSystem must do, run against each implementation so that the in-memory
// one the unit tests use cannot drift from the real one.
#include "contract/FileSystemContract.h"

#include <algorithm>

namespace melodex::testing {
namespace {

std::vector<std::wstring> Drain(FileSearch& search) {
  std::vector<std::wstring> names;
  while (auto name = search.Next()) names.push_back(*name);
  return names;
}

std::vector<std::wstring> Sorted(std::vector<std::wstring> names) {
  std::sort(names.begin(), names.end());
  return names;
}

TEST_P(FileSystemContract, SearchFindsOrdinaryFilesMatchingTheWildcardInAnyCase) {
  workspace->MakeFile(At(L"a.mp3"), "");
  workspace->MakeFile(At(L"B.MP3"), "");
  workspace->MakeFile(At(L"c.Mp3"), "");
  workspace->MakeFile(At(L"notes.txt"), "");
  workspace->MakeFile(At(L"hidden.mp3"), "", /*hidden=*/true);
  workspace->MakeFile(At(L"system.mp3"), "", /*hidden=*/false, /*system=*/true);
  workspace->MakeFolder(At(L"folder.mp3"));

  const auto found = Drain(*workspace->System().FindFiles(At(L"*.mp3")));

  EXPECT_EQ(Sorted(found), (std::vector<std::wstring>{L"B.MP3", L"a.mp3", L"c.Mp3"}));
}

TEST_P(FileSystemContract, SearchReturnsNamesInTheFolderOwnOrder) {
  for (const wchar_t* name : {L"m.mp3", L"z.mp3", L"a.mp3", L"q.mp3", L"b.mp3"}) {
    workspace->MakeFile(At(name), "");
  }
  auto listed = workspace->List(workspace->Folder());

  EXPECT_EQ(Drain(*workspace->System().FindFiles(At(L"*.mp3"))), listed);
}

TEST_P(FileSystemContract, SearchOfAMissingFolderOrWithoutMatchesYieldsNothing) {
  workspace->MakeFile(At(L"readme.txt"), "");

  EXPECT_TRUE(Drain(*workspace->System().FindFiles(At(L"*.mp3"))).empty());
  EXPECT_TRUE(Drain(*workspace->System().FindFiles(At(L"missing\\*.mp3"))).empty());
}

TEST_P(FileSystemContract, TextFileHoldsTheLinesWithCrLfInTheAnsiCodePage) {
  auto file = workspace->System().CreateTextFile(At(L"page.html"));
  file->WriteLine(L"<b>Caf\u00e9</b>");
  file->WriteLine(L"");
  file->WriteLine(L"\u20ac end");
  file->Close();

  EXPECT_EQ(workspace->Read(At(L"page.html")), "<b>Caf\xe9</b>\r\n\r\n\x80 end\r\n");
  EXPECT_EQ(workspace->List(workspace->Folder()), std::vector<std::wstring>{L"page.html"});
}

TEST_P(FileSystemContract, TextFileTellsWhichCharactersTheCodePageHolds) {
  auto file = workspace->System().CreateTextFile(At(L"page.html"));

  EXPECT_TRUE(file->CanEncode(L"Caf\u00e9 \u20ac"));
  EXPECT_FALSE(file->CanEncode(L"\u65e5\u672c"));
  EXPECT_FALSE(file->CanEncode(L"\u221e"));  // best fit would have made it "8"
  EXPECT_FALSE(file->CanEncode(L"x\u0101"));  // and this "a"
}

TEST_P(FileSystemContract, ClosedTextFileReplacesTheOldFile) {
  workspace->MakeFile(At(L"page.html"), "old page\r\n");

  auto file = workspace->System().CreateTextFile(At(L"page.html"));
  file->WriteLine(L"new page");
  EXPECT_EQ(workspace->Read(At(L"page.html")), "old page\r\n") << "replaced before Close";
  file->Close();

  EXPECT_EQ(workspace->Read(At(L"page.html")), "new page\r\n");
  EXPECT_EQ(workspace->List(workspace->Folder()), std::vector<std::wstring>{L"page.html"});
}

TEST_P(FileSystemContract, AbandonedTextFileLeavesTheOldFileAndNoTrace) {
  workspace->MakeFile(At(L"page.html"), "old page\r\n");

  workspace->System().CreateTextFile(At(L"page.html"))->WriteLine(L"half a page");

  EXPECT_EQ(workspace->Read(At(L"page.html")), "old page\r\n");
  EXPECT_EQ(workspace->List(workspace->Folder()), std::vector<std::wstring>{L"page.html"});
}

TEST_P(FileSystemContract, TextFileInAMissingFolderFailsNamingThePath) {
  const std::wstring path = At(L"missing\\page.html");
  try {
    workspace->System().CreateTextFile(path);
    FAIL() << "created a file in a missing folder";
  } catch (const FileSystemError& error) {
    EXPECT_EQ(error.Path(), path);
    EXPECT_FALSE(error.Reason().empty());
    EXPECT_NE(error.Reason().back(), L'\n') << "the reason keeps no line break of its own";
  }
}

TEST_P(FileSystemContract, FileExistsOnlyForOrdinaryFiles) {
  workspace->MakeFile(At(L"plain.exe"), "x");
  workspace->MakeFile(At(L"hidden.exe"), "x", /*hidden=*/true);
  workspace->MakeFile(At(L"system.exe"), "x", /*hidden=*/false, /*system=*/true);
  workspace->MakeFolder(At(L"folder.exe"));
  FileSystem& fs = workspace->System();

  EXPECT_TRUE(fs.FileExists(At(L"plain.exe")));
  EXPECT_TRUE(fs.FileExists(At(L"PLAIN.EXE")));
  EXPECT_FALSE(fs.FileExists(At(L"hidden.exe")));
  EXPECT_FALSE(fs.FileExists(At(L"system.exe")));
  EXPECT_FALSE(fs.FileExists(At(L"folder.exe")));
  EXPECT_FALSE(fs.FileExists(At(L"missing.exe")));
  EXPECT_FALSE(fs.FileExists(At(L"missing\\plain.exe")));
}

}  // namespace

std::string WorkspaceName(const ::testing::TestParamInfo<WorkspaceMaker>& info) {
  return info.param.name;
}

}  // namespace melodex::testing
