// The rules of paths and names, each against a table of the cases that tell them apart.
#include <gtest/gtest.h>

#include "platform/PathRules.h"
#include "platform/Processes.h"

namespace melodex {
namespace {

struct PathCase {
  const wchar_t* path;
  const wchar_t* extended;
};

// The process stands in C:\work\here and remembers D:\music for drive D; for a drive it
// has never used it knows no folder.
const CurrentFolders kFolders{.current = [] { return std::wstring(L"C:\\work\\here"); },
                              .onDrive = [](wchar_t drive) -> std::wstring {
                                if (drive == L'D' || drive == L'd') return L"D:\\music";
                                return L"";
                              }};

class ExtendedLengthPathTest : public ::testing::TestWithParam<PathCase> {};

TEST_P(ExtendedLengthPathTest, ResolvesAsTheSystemWould) {
  EXPECT_EQ(ExtendedLengthPath(GetParam().path, kFolders), GetParam().extended);
}

INSTANTIATE_TEST_SUITE_P(
    Paths, ExtendedLengthPathTest,
    ::testing::Values(
        PathCase{L"C:\\out\\mp3list.html", L"\\\\?\\C:\\out\\mp3list.html"},
        PathCase{L"c:\\", L"\\\\?\\c:\\"}, PathCase{L"C:\\out\\", L"\\\\?\\C:\\out\\"},
        // Relative to the current folder, to a drive's, to the current drive's root.
        PathCase{L"page.html", L"\\\\?\\C:\\work\\here\\page.html"},
        PathCase{L"a\\page.html", L"\\\\?\\C:\\work\\here\\a\\page.html"},
        PathCase{L"", L"\\\\?\\C:\\work\\here"},
        PathCase{L"D:page.html", L"\\\\?\\D:\\music\\page.html"},
        PathCase{L"d:", L"\\\\?\\D:\\music"}, PathCase{L"E:x", L"\\\\?\\E:\\x"},
        PathCase{L"\\", L"\\\\?\\C:\\"}, PathCase{L"\\mp3list.html", L"\\\\?\\C:\\mp3list.html"},
        // Separators, "." and "..", which stop at the root.
        PathCase{L"C:/out//a/./b/../page.html", L"\\\\?\\C:\\out\\a\\page.html"},
        PathCase{L"..\\x", L"\\\\?\\C:\\work\\x"}, PathCase{L"C:\\..\\..\\x", L"\\\\?\\C:\\x"},
        PathCase{L"C:\\a\\..", L"\\\\?\\C:\\"}, PathCase{L"D:..\\..\\..", L"\\\\?\\D:\\"},
        // Periods and blanks the system takes off names.
        PathCase{L"C:\\a.\\b...\\c. . ", L"\\\\?\\C:\\a\\b...\\c"},
        PathCase{L"C:\\a\\ . ", L"\\\\?\\C:\\a"},
        PathCase{L"C:\\out\\*.mp3", L"\\\\?\\C:\\out\\*.mp3"},
        // Network paths, whose server and share are the root.
        PathCase{L"\\\\server\\share\\a\\..\\..\\b", L"\\\\?\\UNC\\server\\share\\b"},
        PathCase{L"//server/share", L"\\\\?\\UNC\\server\\share\\"},
        // Already extended, or a device: as given.
        PathCase{L"\\\\?\\C:\\a\\..\\b", L"\\\\?\\C:\\a\\..\\b"},
        PathCase{L"\\\\?\\UNC\\server\\share\\a", L"\\\\?\\UNC\\server\\share\\a"},
        PathCase{L"\\\\.\\COM1", L"\\\\.\\COM1"}),
    [](const ::testing::TestParamInfo<PathCase>& info) {
      return "Path" + std::to_string(info.index);
    });

TEST(ExtendedLengthPath, LongPathsKeepEveryName) {
  std::wstring path = L"C:\\out";
  std::wstring expected = L"\\\\?\\C:\\out";
  for (int i = 0; i < 200; ++i) {
    const std::wstring name = L"folder " + std::to_wstring(i);
    path += L"\\" + name + L"\\.\\x\\..";
    expected += L"\\" + name;
  }
  ASSERT_GT(path.size(), 3000u);
  EXPECT_EQ(ExtendedLengthPath(path, kFolders), expected);
}

TEST(ExtendedLengthPath, RelativePathsFollowACurrentFolderOnAShare) {
  const CurrentFolders onShare{.current = [] { return std::wstring(L"\\\\srv\\music\\new"); },
                               .onDrive = kFolders.onDrive};

  EXPECT_EQ(ExtendedLengthPath(L"a", onShare), L"\\\\?\\UNC\\srv\\music\\new\\a");
  EXPECT_EQ(ExtendedLengthPath(L"\\", onShare), L"\\\\?\\UNC\\srv\\music\\");
  EXPECT_EQ(ExtendedLengthPath(L"..\\..\\..", onShare), L"\\\\?\\UNC\\srv\\music\\");
}

struct OrdinaryCase {
  const wchar_t* path;
  const wchar_t* ordinary;
};

class OrdinaryPathTest : public ::testing::TestWithParam<OrdinaryCase> {};

TEST_P(OrdinaryPathTest, TakesTheExtendedPrefixOff) {
  EXPECT_EQ(OrdinaryPath(GetParam().path), GetParam().ordinary);
}

INSTANTIATE_TEST_SUITE_P(
    Paths, OrdinaryPathTest,
    ::testing::Values(OrdinaryCase{L"\\\\?\\C:\\a", L"C:\\a"},
                      OrdinaryCase{L"\\\\?\\UNC\\srv\\share", L"\\\\srv\\share"},
                      OrdinaryCase{L"C:\\a", L"C:\\a"},
                      OrdinaryCase{L"\\\\srv\\share", L"\\\\srv\\share"},
                      OrdinaryCase{L"\\\\?\\Volume{x}\\", L"\\\\?\\Volume{x}\\"}),
    [](const ::testing::TestParamInfo<OrdinaryCase>& info) {
      return "Path" + std::to_string(info.index);
    });

// A full folder path taken apart and joined again, as the folder lists write it, its root as
// it is written, and the folder that its last name stands in.
TEST(PathRules, FullPathsAreWrittenOneWay) {
  const struct {
    std::wstring given, root, joined, rootAsWritten, folder;
  } cases[] = {
      {L"c:", L"C:\\", L"C:\\", L"c:\\", L"c:"},
      {L"a:", L"A:\\", L"A:\\", L"a:\\", L"a:"},
      {L"z:\\x", L"Z:\\", L"Z:\\x", L"z:\\", L"z:\\"},
      {L"C:\\", L"C:\\", L"C:\\", L"C:\\", L"C:\\"},
      {L"c:\\Music\\Rock\\", L"C:\\", L"C:\\Music\\Rock", L"c:\\", L"c:\\Music\\"},
      {L"C:\\Music\\\\Rock", L"C:\\", L"C:\\Music\\Rock", L"C:\\", L"C:\\Music\\\\"},
      {L"d:/Music/Rock", L"D:\\", L"D:\\Music\\Rock", L"d:\\", L"d:/Music/"},
      {L"\\\\server\\music", L"\\\\server\\music\\", L"\\\\server\\music\\", L"\\\\server\\music\\",
       L"\\\\server\\music"},
      {L"\\\\server\\music\\", L"\\\\server\\music\\", L"\\\\server\\music\\",
       L"\\\\server\\music\\", L"\\\\server\\music\\"},
      {L"\\\\server\\music\\Rock\\", L"\\\\server\\music\\", L"\\\\server\\music\\Rock",
       L"\\\\server\\music\\", L"\\\\server\\music\\"},
      // Extended forms are the system's only: their roots alone.
      {L"\\\\?\\C:\\Music", L"", L"", L"\\\\?\\C:\\", L"\\\\?\\C:\\"},
      {L"\\\\?\\C:\\", L"", L"", L"\\\\?\\C:\\", L"\\\\?\\C:\\"},
      {L"\\\\?\\UNC\\server\\music\\Rock", L"", L"", L"\\\\?\\UNC\\server\\music\\",
       L"\\\\?\\UNC\\server\\music\\"},
      {L"\\\\?\\UNC\\server\\music", L"", L"", L"\\\\?\\UNC\\server\\music\\",
       L"\\\\?\\UNC\\server\\music"},
      {L"Music\\Rock", L"", L"", L"", L"Music\\"},
      {L"page.html", L"", L"", L"", L""},
      {L"\\page.html", L"", L"", L"", L"\\"},
      {L"\\", L"", L"", L"", L"\\"},
      {L"Z:page.html", L"", L"", L"Z:\\", L"Z:"},
      {L"1:\\x", L"", L"", L"", L"1:\\"},  // no drive but a letter's
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(c.given));
    if (!c.root.empty()) {
      EXPECT_EQ(SplitPath(c.given).root, c.root);
      EXPECT_EQ(JoinPath(SplitPath(c.given)), c.joined);
    }
    EXPECT_EQ(RootOf(c.given), c.rootAsWritten);
    EXPECT_EQ(FolderOf(c.given), c.folder);
  }
  // A path ends at its size, even where its text goes on.
  EXPECT_EQ(SplitPath(std::wstring_view(L"C:\\x", 2)).folders.size(), 0u);
  EXPECT_EQ(SplitPath(std::wstring_view(L"\\\\srv\\x", 5)).root, L"\\\\srv\\");
  EXPECT_EQ(DriveOf(L"d:\\Music"), L"D:");
  EXPECT_EQ(DriveOf(L"\\\\server\\music"), L"");
  EXPECT_FALSE(IsFullPath(L"D:page.html"));
  // Letters fold as the file system folds them, at each end of their ranges.
  EXPECT_EQ(FoldCase(L"@az{\u00df\u00e0\u00f7\u00f8\u00fe\u00ff"),
            L"@AZ{\u00df\u00c0\u00f7\u00d8\u00de\u0178");
}

// The system's wildcards, as the in-memory file system matches names with them.
TEST(PathRules, WildcardsMatchTheWholeName) {
  EXPECT_FALSE(WildcardMatch(L"*.mp3", L"a.mp.3"));  // what follows a "*" matches in one piece
  EXPECT_FALSE(WildcardMatch(L"?.mp3", L"ab.mp3"));
  EXPECT_TRUE(WildcardMatch(std::wstring_view(L"*b", 1), L"b"));  // a pattern ends at its size
  EXPECT_TRUE(HasExtension(L".MP3", L".mp3"));                    // the name may be just that
}

// The system holds a path as a counted text of at most 65,535 bytes with its closing NUL; a
// NUL inside ends the text it reads early.
TEST(PathRules, TheSystemTakesPathsUpToItsLongestAndWithoutANul) {
  const std::wstring prefix = L"\\\\?\\C:\\";
  const struct {
    std::wstring path;
    PathRefusal refusal;
  } cases[] = {
      {prefix + std::wstring(32766 - prefix.size(), L'a'), PathRefusal::kNone},
      {prefix + std::wstring(32767 - prefix.size(), L'a'), PathRefusal::kTooLong},
      {prefix + std::wstring(65536 + 9 - prefix.size(), L'a'), PathRefusal::kTooLong},
      {std::wstring(L"\\\\?\\C:\\a\0b", 10), PathRefusal::kHoldsNul},
      {prefix + L"a", PathRefusal::kNone},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.path.size());
    EXPECT_EQ(SystemRefusal(c.path), c.refusal);
  }
}

// Only a ".exe" runs as itself; the system hands any other file to another program (a batch
// file to its command interpreter). The name counts as the system resolves it.
TEST(PathRules, AProgramFileIsAnExeAsTheSystemResolvesItsName) {
  const struct {
    const wchar_t* path;
    bool program;
  } cases[] = {
      {L"C:\\Tools\\msinfo32.exe", true},
      {L"C:\\Tools\\MSINFO32.EXE", true},
      {L"\\\\server\\share\\Tools\\tool.Exe", true},
      {L"C:\\Tools\\tool.exe. . ", true},  // the periods and blanks go
      {L"C:\\Tools\\tool.bat\\..\\tool.exe", true},
      {L"C:\\Tools\\tool.bat", false},
      {L"C:\\Tools\\tool.CMD", false},
      {L"C:\\Tools\\tool.com", false},
      {L"C:\\Tools\\tool.lnk", false},
      {L"C:\\Tools\\notes.txt", false},
      {L"C:\\Tools\\tool", false},
      {L"C:\\Tools\\tool.exe.bat", false},
      {L"C:\\Tools\\TOOL.BAT.", false},
      {L"C:\\Tools\\tool.exe\\..\\tool.bat", false},
      {L"C:\\Tools\\tool.ex\u0435", false},  // a Cyrillic letter
      {L"C:\\Tools\\tool.exe\\", false},
      // A stream of a file, not the file.
      {L"C:\\Tools\\tool.bat:run.exe", false},
      {L"C:\\Tools\\tool.exe::$DATA", false},
      {L"\\\\?\\C::tool.exe", false},  // of the drive's root folder
      // The extended form is taken as it is: its final period stays part of the name.
      {L"\\\\?\\C:\\Tools\\tool.exe.", false},
      {L"\\\\?\\C:\\Tools\\tool.exe", true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(std::wstring(c.path)));
    EXPECT_EQ(IsProgramFileName(ExtendedLengthPath(c.path, kFolders)), c.program);
  }
}

// The launch rule asks the system for no name it could not start: one relative to a drive's
// current folder, a stream, one too long for the system, one that is no ".exe".
TEST(PathRules, TheLaunchRuleLooksUpOnlyANameItCouldStart) {
  const std::wstring cases[] = {
      L"C:Tools\\tool.exe",
      L"C:\\Tools\\tool.exe:run",
      L"C:\\" + std::wstring(kLongestSystemPath, L'a') + L".exe",
      L"C:\\Tools\\tool.bat",
  };
  for (const std::wstring& program : cases) {
    SCOPED_TRACE(program.size());
    bool asked = false;
    EXPECT_FALSE(FindProgram(program, L"", [&](const std::wstring& extended) {
      asked = true;
      return extended;  // every name its own long name
    }));
    EXPECT_FALSE(asked);
  }
}

}  // namespace
}  // namespace melodex
