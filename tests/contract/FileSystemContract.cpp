// What every FileSystem must do, run against each implementation so that the in-memory
// one the unit tests use cannot drift from the real one.
#include "contract/FileSystemContract.h"

#include <algorithm>
#include <cwctype>
#include <functional>

#include "platform/PathRules.h"

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
  const CodePage codePage = workspace->System().CreateTextFile(At(L"page.html"))->Encoding();

  for (const char32_t held : {U'x', U'\u00e9', U'\u20ac', U'\u0081'}) {
    EXPECT_TRUE(codePage.Holds(held)) << static_cast<unsigned>(held);
  }
  // Best fit would have made the second "8" and the third "a"; U+0080 has lost its byte
  // to the euro sign.
  for (const char32_t lacking : {U'\u65e5', U'\u221e', U'\u0101', U'\u0080', U'\U0001D11E'}) {
    EXPECT_FALSE(codePage.Holds(lacking)) << static_cast<unsigned>(lacking);
  }
}

// Code page 1252, the ANSI code page of the tests: the characters of bytes 0x80 to 0x9F. Every
// other byte stands for the character of its own number.
constexpr char32_t kCp1252High[] =
    U"\u20ac\u0081\u201a\u0192\u201e\u2026\u2020\u2021\u02c6\u2030"
    U"\u0160\u2039\u0152\u008d\u017d\u008f\u0090\u2018\u2019\u201c"
    U"\u201d\u2022\u2013\u2014\u02dc\u2122\u0161\u203a\u0153\u009d"
    U"\u017e\u0178";

TEST_P(FileSystemContract, TextFileHoldsEveryCharacterOfTheCodePageAndNoOther) {
  std::u32string bytes(256, 0);  // the character of each byte
  for (char32_t b = 0; b < 256; ++b) bytes[b] = b >= 0x80 && b < 0xA0 ? kCp1252High[b - 0x80] : b;
  auto file = workspace->System().CreateTextFile(At(L"page.html"));
  const CodePage codePage = file->Encoding();
  for (char32_t c = 0; c < 0x10000; ++c) {
    ASSERT_EQ(codePage.Holds(c), bytes.find(c) != std::u32string::npos) << unsigned(c);
  }
  std::wstring line;
  std::string written;
  for (char32_t b = 1; b < 256; ++b) {
    if (b == '\r' || b == '\n') continue;
    line += static_cast<wchar_t>(bytes[b]);
    written += static_cast<char>(b);
  }
  file->WriteLine(line);
  file->Close();
  EXPECT_EQ(workspace->Read(At(L"page.html")), written + "\r\n");
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

TEST_P(FileSystemContract, AReadOnlyFileIsRefusedBeforeAnythingIsWritten) {
  const std::wstring path = At(L"page.html");
  workspace->MakeFile(path, "old page\r\n");
  workspace->SetReadOnly(path, true);

  try {
    workspace->System().CreateTextFile(path);
    FAIL() << "a file marked read-only was taken on";
  } catch (const FileSystemError& error) {
    EXPECT_EQ(error.Path(), path);
    EXPECT_EQ(error.Reason(), workspace->AccessDeniedReason());
  }
  EXPECT_EQ(workspace->Read(path), "old page\r\n");
  EXPECT_TRUE(workspace->IsReadOnly(path));
  EXPECT_EQ(workspace->List(workspace->Folder()), std::vector<std::wstring>{L"page.html"});
}

TEST_P(FileSystemContract, AFileMarkedReadOnlyWhileTheNewOneIsWrittenStays) {
  const std::wstring path = At(L"page.html");
  workspace->MakeFile(path, "old page\r\n");
  auto file = workspace->System().CreateTextFile(path);
  file->WriteLine(L"new page");
  workspace->SetReadOnly(path, true);

  try {
    file->Close();
    FAIL() << "a file marked read-only was replaced";
  } catch (const FileSystemError& error) {
    EXPECT_EQ(error.Path(), path);
    EXPECT_EQ(error.Reason(), workspace->AccessDeniedReason());
  }
  file.reset();
  EXPECT_EQ(workspace->Read(path), "old page\r\n");
  EXPECT_TRUE(workspace->IsReadOnly(path));
  EXPECT_EQ(workspace->List(workspace->Folder()), std::vector<std::wstring>{L"page.html"});
}

TEST_P(FileSystemContract, AReplacedFileKeepsItsHiddenMark) {
  const std::wstring path = At(L"page.html");
  workspace->MakeFile(path, "old page\r\n", /*hidden=*/true);

  auto file = workspace->System().CreateTextFile(path);
  file->WriteLine(L"new page");
  file->Close();

  EXPECT_EQ(workspace->Read(path), "new page\r\n");
  EXPECT_TRUE(workspace->IsHidden(path));
  EXPECT_FALSE(workspace->IsReadOnly(path));
  EXPECT_EQ(workspace->List(workspace->Folder()), std::vector<std::wstring>{L"page.html"});
}

// Nested folders down to a path of exactly `length` characters, made from outside.
std::wstring MakeDeepFolder(Workspace& workspace, std::wstring folder, std::size_t length) {
  workspace.MakeFolder(folder);
  for (wchar_t letter = L'a'; folder.size() < length; ++letter) {
    std::size_t room = length - folder.size() - 1;
    if (room > 100) room = std::min<std::size_t>(100, room - 2);  // leaves room for one more
    folder += L"\\" + std::wstring(room, letter);
    workspace.MakeFolder(folder);
  }
  return folder;
}

TEST_P(FileSystemContract, FoldersOfAnyLengthAreSearchedListedAndWritten) {
  for (const std::size_t length : {300u, 1000u}) {
    SCOPED_TRACE(length);
    const std::wstring folder =
        MakeDeepFolder(*workspace, At(L"deep" + std::to_wstring(length)), length);
    ASSERT_EQ(folder.size(), length);
    workspace->MakeFile(folder + L"\\song.mp3", "");
    workspace->MakeFolder(folder + L"\\inner");
    FileSystem& fs = workspace->System();

    EXPECT_EQ(Drain(*fs.FindFiles(folder + L"\\*.mp3")), std::vector<std::wstring>{L"song.mp3"});
    EXPECT_EQ(fs.SubFolders(folder), std::vector<std::wstring>{L"inner"});
    EXPECT_TRUE(fs.FileExists(folder + L"\\song.mp3"));
    const std::wstring page = folder + L"\\mp3list.html";
    for (const wchar_t* line : {L"first page", L"second page"}) {
      auto file = fs.CreateTextFile(page);
      file->WriteLine(line);
      file->Close();
    }
    EXPECT_EQ(workspace->Read(page), "second page\r\n");
    EXPECT_EQ(Sorted(workspace->List(folder)),
              (std::vector<std::wstring>{L"inner", L"mp3list.html", L"song.mp3"}));
  }
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

std::wstring DriveOf(const std::wstring& path) {
  std::wstring drive = path.substr(0, 2);
  drive[0] = static_cast<wchar_t>(std::towupper(drive[0]));
  return drive;
}

void ExpectFailureNaming(const std::function<void()>& action, const std::wstring& path) {
  try {
    action();
    ADD_FAILURE() << "no failure for " << ::testing::PrintToString(path);
  } catch (const FileSystemError& error) {
    EXPECT_EQ(error.Path(), path);
    EXPECT_FALSE(error.Reason().empty());
    EXPECT_NE(error.Reason().back(), L'\n') << "the reason keeps no line break of its own";
  }
}

TEST_P(FileSystemContract, DrivesAreListedInLetterOrderWithTheirLabels) {
  const std::vector<DriveInfo> drives = workspace->System().Drives();

  ASSERT_FALSE(drives.empty());
  for (std::size_t i = 0; i < drives.size(); ++i) {
    SCOPED_TRACE(::testing::PrintToString(drives[i].drive));
    ASSERT_EQ(drives[i].drive.size(), 2u);
    EXPECT_TRUE(drives[i].drive[0] >= L'A' && drives[i].drive[0] <= L'Z');
    EXPECT_EQ(drives[i].drive[1], L':');
    if (i > 0) {
      EXPECT_LT(drives[i - 1].drive, drives[i].drive);
    }
    EXPECT_EQ(drives[i].label, workspace->VolumeLabel(drives[i].drive));
  }
  const std::wstring own = DriveOf(workspace->Folder());
  EXPECT_TRUE(std::any_of(drives.begin(), drives.end(), [&](const DriveInfo& info) {
    return info.drive == own;
  })) << "the workspace's own drive is missing";
}

TEST_P(FileSystemContract, SubFoldersAreTheOrdinaryFoldersInTheFolderOwnOrder) {
  for (const wchar_t* name : {L"m", L"Zed", L"a b", L"\u00e9t\u00e9"})
    workspace->MakeFolder(At(name));
  workspace->MakeFolder(At(L"hidden"), /*hidden=*/true);
  workspace->MakeFolder(At(L"system"), /*hidden=*/false, /*system=*/true);
  workspace->MakeFile(At(L"file.txt"), "");
  workspace->MakeFolder(At(L"m\\inner"));
  std::vector<std::wstring> expected;
  for (const auto& name : workspace->List(workspace->Folder())) {
    if (name != L"hidden" && name != L"system" && name != L"file.txt") expected.push_back(name);
  }
  ASSERT_EQ(expected.size(), 4u);

  EXPECT_EQ(workspace->System().SubFolders(workspace->Folder()), expected);
  EXPECT_EQ(workspace->System().SubFolders(workspace->Folder() + L"\\"), expected);
  EXPECT_EQ(workspace->System().SubFolders(At(L"m")), std::vector<std::wstring>{L"inner"});
  EXPECT_TRUE(workspace->System().SubFolders(At(L"a b")).empty());
}

TEST_P(FileSystemContract, SubFoldersOfADriveRootHoldTheWayDownToTheWorkspace) {
  const std::wstring folder = workspace->Folder();
  const std::wstring top = folder.substr(3, folder.find(L'\\', 3) - 3);

  const auto names = workspace->System().SubFolders(DriveOf(folder) + L"\\");

  EXPECT_NE(std::find(names.begin(), names.end(), top), names.end())
      << ::testing::PrintToString(top) << " not among " << ::testing::PrintToString(names);
}

TEST_P(FileSystemContract, SubFoldersOfAMissingFolderOrOfAFileFailNamingIt) {
  workspace->MakeFile(At(L"file.txt"), "");
  FileSystem& fs = workspace->System();

  for (const std::wstring& path : {At(L"missing"), At(L"missing\\deeper"), At(L"file.txt")}) {
    ExpectFailureNaming([&] { fs.SubFolders(path); }, path);
  }
}

TEST_P(FileSystemContract, TheCurrentFolderIsWhereTheProcessStands) {
  workspace->MakeFolder(At(L"here"));
  FileSystem& fs = workspace->System();
  const std::wstring drive = DriveOf(workspace->Folder());
  std::wstring lower = drive;
  lower[0] = static_cast<wchar_t>(std::towlower(lower[0]));

  workspace->MakeCurrent(At(L"here"));
  EXPECT_EQ(fs.CurrentFolder(), At(L"here"));
  EXPECT_EQ(fs.CurrentFolderOn(drive), At(L"here"));
  EXPECT_EQ(fs.CurrentFolderOn(lower), At(L"here"));

  workspace->MakeCurrent(At(L"here\\"));
  EXPECT_EQ(fs.CurrentFolder(), At(L"here")) << "no backslash at the end but at a root";

  // Longer than the room first offered to the system for it.
  const std::wstring deep = MakeDeepFolder(*workspace, At(L"deep"), 257);
  workspace->MakeCurrent(deep);
  EXPECT_EQ(fs.CurrentFolder(), deep);
  EXPECT_EQ(fs.CurrentFolderOn(drive), deep);

  workspace->MakeCurrent(drive + L"\\");
  EXPECT_EQ(fs.CurrentFolder(), drive + L"\\");
  EXPECT_EQ(fs.CurrentFolderOn(lower), drive + L"\\");
}

TEST_P(FileSystemContract, ADriveThatCannotBeReadIsListedWithoutALabelAndFailsWhenListed) {
  const std::optional<std::wstring> drive = workspace->StageUnreadableDrive();
  if (!drive) GTEST_SKIP() << "no drive letter can be made here";
  FileSystem& fs = workspace->System();

  const auto drives = fs.Drives();
  const auto found = std::find_if(drives.begin(), drives.end(),
                                  [&](const DriveInfo& info) { return info.drive == *drive; });
  ASSERT_NE(found, drives.end());
  EXPECT_EQ(found->label, L"");
  ExpectFailureNaming([&] { fs.SubFolders(*drive + L"\\"); }, *drive + L"\\");
  // Its folders may exist: a search there fails rather than finding nothing.
  const std::wstring pattern = *drive + L"\\Music\\*.mp3";
  ExpectFailureNaming([&] { fs.FindFiles(pattern); }, pattern);
  ExpectFailureNaming([&] { fs.CreateTextFile(*drive + L"\\page.html"); }, *drive + L"\\page.html");
  EXPECT_EQ(fs.CurrentFolderOn(*drive), *drive + L"\\") << "only what the process remembers";
}

// A path of exactly `length` characters: `start`, then names of up to 100 characters that
// need not exist, then `end` (empty, or a separator and a name).
std::wstring PathOfLength(std::wstring start, std::size_t length, std::wstring_view end) {
  std::size_t room = length - start.size() - end.size();
  if (room == 1) start += L'x';
  while (room >= 2) {
    const std::size_t take = room >= 103 ? 101 : room;
    start += L"\\" + std::wstring(take - 1, L'x');
    room -= take;
  }
  return start + std::wstring(end);
}

// What a system that cannot hold a path keeps of it: Wine counts its length in bytes round
// at 65,536, so that a path of this many characters more than `decoy` (with the extended
// prefix, which the system turns into one of the same length) leads to the decoy.
constexpr std::size_t kCountedRound = 32768;

TEST_P(FileSystemContract, PathsLongerThanTheSystemTakesAreRefusedNotCutShort) {
  workspace->MakeFile(At(L"decoy"), "decoy\r\n");
  workspace->MakeFile(At(L"decoy.mp3"), "");
  workspace->MakeFolder(At(L"decoys"));
  FileSystem& fs = workspace->System();
  const std::wstring tooLong = workspace->TooLongReason();
  const auto refused = [&](const std::function<void()>& action, const std::wstring& path) {
    try {
      action();
      ADD_FAILURE() << "taken: a path of " << path.size() << " characters";
    } catch (const FileSystemError& error) {
      EXPECT_EQ(error.Path(), path);
      EXPECT_EQ(error.Reason(), tooLong);
    }
  };

  // The page is written under a name three characters longer first: "decoyabc".
  const std::wstring page =
      PathOfLength(At(L"decoyabc"), At(L"decoy").size() + kCountedRound, L"\\mp3list.html");
  refused(
      [&] {
        const auto file = fs.CreateTextFile(page);
        file->WriteLine(L"the page");
        file->Close();
      },
      page);
  const std::wstring pattern =
      PathOfLength(At(L"decoy.mp3"), At(L"decoy.mp3").size() + kCountedRound, L"\\*.mp3");
  refused([&] { Drain(*fs.FindFiles(pattern)); }, pattern);
  // The folder's own search adds "\*".
  const std::wstring folder =
      PathOfLength(At(L"decoys"), At(L"decoys").size() + kCountedRound - 2, L"");
  refused([&] { fs.SubFolders(folder); }, folder);
  EXPECT_FALSE(
      fs.FileExists(PathOfLength(At(L"decoy"), At(L"decoy").size() + kCountedRound, L"\\x.exe")));

  EXPECT_EQ(workspace->Read(At(L"decoy")), "decoy\r\n");
  EXPECT_EQ(Sorted(workspace->List(workspace->Folder())),
            (std::vector<std::wstring>{L"decoy", L"decoy.mp3", L"decoys"}));
}

// A NUL in a path ends it for the system: such a path is refused, never cut short there.
TEST_P(FileSystemContract, APathHoldingANulIsRefusedNotCutShortAtIt) {
  workspace->MakeFile(At(L"decoy"), "decoy\r\n");
  const std::wstring page = At(L"decoy") + L'\0' + L"\\mp3list.html";
  try {
    const auto file = workspace->System().CreateTextFile(page);
    file->WriteLine(L"the page");
    file->Close();
    ADD_FAILURE() << "taken";
  } catch (const FileSystemError& error) {
    EXPECT_EQ(error.Path(), page);
    EXPECT_EQ(error.Reason(), workspace->InvalidNameReason());
  }
  EXPECT_EQ(workspace->Read(At(L"decoy")), "decoy\r\n");
}

// A text file is written beside its path under a temporary name, so its folder must take
// that name as well: a path the system takes at the longest is not refused (here it fails
// for its missing folder), one character more is.
TEST_P(FileSystemContract, ATextFileNeedsRoomForItsTemporaryNameBesideIt) {
  const std::size_t extendedPrefix = 4;  // "\\?\"
  const std::size_t longestFolder = kLongestSystemPath - extendedPrefix - 1 - kTemporaryNameLength;
  const std::wstring tooLong = workspace->TooLongReason();
  for (const std::size_t length : {longestFolder, longestFolder + 1}) {
    SCOPED_TRACE(length);
    const std::wstring path = PathOfLength(At(L"missing"), length, L"") + L"\\p";
    try {
      workspace->System().CreateTextFile(path);
      ADD_FAILURE() << "created a file in a missing folder";
    } catch (const FileSystemError& error) {
      EXPECT_EQ(error.Path(), path);
      EXPECT_EQ(error.Reason() == tooLong, length > longestFolder) << error.Reason().substr(0, 80);
    }
  }
  EXPECT_TRUE(workspace->List(workspace->Folder()).empty());
}

}  // namespace

std::string WorkspaceName(const ::testing::TestParamInfo<WorkspaceMaker>& info) {
  return info.param.name;
}

}  // namespace melodex::testing
