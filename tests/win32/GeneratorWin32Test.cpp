// Page generation on the real Windows file system: the bytes of the page in the ANSI code
// page, what the wildcard search really returns, and failures that only a real file system
// produces (a missing folder, an unreadable pattern, a page held open by another program).
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstddef>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "generator/GeneratePage.h"
#include "platform/win32/LongPaths.h"
#include "platform/win32/SystemMessage.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32TextFile.h"
#include "support/PageExample.h"
#include "support/Thread.h"
#include "support/Win32Files.h"

namespace melodex {
namespace {

const std::string& kFooter = testing::kExpectedFooter;

// With the centring line.
std::string Head(const std::string& title) { return testing::ExpectedHead(title) + "<center>\r\n"; }

// A scratch folder holding "Music" and "Out".
class Scratch {
 public:
  Scratch() : root_(testing::MakeScratchFolder(L"melodex-generator")) {
    testing::MakeFolder(Music());
    testing::MakeFolder(Out());
  }
  ~Scratch() { testing::RemoveTree(root_); }
  Scratch(const Scratch&) = delete;
  Scratch& operator=(const Scratch&) = delete;

  const std::wstring& Root() const { return root_; }
  std::wstring Music() const { return root_ + L"\\Music"; }
  std::wstring Out() const { return root_ + L"\\Out"; }
  std::wstring Page() const { return Out() + L"\\mp3list.html"; }

  static void MakeFile(const std::wstring& path, const std::string& bytes = "",
                       DWORD attributes = FILE_ATTRIBUTE_NORMAL) {
    ASSERT_TRUE(testing::WriteBytes(path, bytes, attributes))
        << "cannot make " << ::testing::PrintToString(path);
  }
  static std::optional<std::string> Read(const std::wstring& path) {
    return testing::ReadBytes(path);
  }
  static std::vector<std::wstring> List(const std::wstring& folder) {
    return testing::ListFolder(folder);
  }

 private:
  std::wstring root_;
};

// Another program (a browser showing the page, say) that has the page open for reading and
// does not let it be deleted or renamed over.
class PageHolder {
 public:
  explicit PageHolder(const std::wstring& path)
      : handle_(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, 0, nullptr)) {}
  ~PageHolder() { Release(); }
  PageHolder(const PageHolder&) = delete;
  PageHolder& operator=(const PageHolder&) = delete;

  bool Holds() const { return handle_ != INVALID_HANDLE_VALUE; }
  void Release() {
    if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
    handle_ = INVALID_HANDLE_VALUE;
  }

 private:
  HANDLE handle_;
};

class GeneratorWin32Test : public ::testing::Test {
 protected:
  PageSettings Settings() const {
    return testing::StartPageSettings(scratch.Music(), scratch.Out());
  }

  void AddTrack(const std::wstring& name, DWORD attributes = FILE_ATTRIBUTE_NORMAL) {
    Scratch::MakeFile(scratch.Music() + L"\\" + name, "ID3", attributes);
  }

  // The link lines of the page written for Settings(), between its head and its footer.
  std::string Links() const {
    const std::string page = Scratch::Read(scratch.Page()).value_or("<no page>");
    const std::string head = Head("My Songs");
    if (!page.starts_with(head) || !page.ends_with(kFooter)) return "<malformed page>" + page;
    return page.substr(head.size(), page.size() - head.size() - kFooter.size());
  }

  Scratch scratch;
  win32::Win32FileSystem fs;
};

TEST_F(GeneratorWin32Test, WritesTheTitleAndTheLinksInTheAnsiCodePage) {
  if (GetACP() != 1252) GTEST_SKIP() << "the bytes expected are code page 1252's, not " << GetACP();
  AddTrack(L"01_Intro.mp3");
  Scratch::MakeFile(scratch.Page(), "an older page\r\n");
  PageSettings settings = Settings();
  settings.PageTitle = L"Caf\u00e9\u0081";

  GeneratePage(settings, fs);

  EXPECT_EQ(Scratch::Read(scratch.Page()),
            "<html><Title>Caf\xe9&#65533;</title><body bgcolor=\"#FFFFFF\" text=\"#000000\" "
            "link=\"#0000FF\" alink=\"#00FF00\" vlink=\"#FF0000\">\r\n"
            "<center><font color=\"#FF0000\"><h1><I>Caf\xe9&#65533;</I></h1></font></center>\r\n"
            "<center>\r\n"
            "<a href=\"music/01_Intro.mp3\"> Intro</a><br>\r\n" +
                kFooter);
  EXPECT_EQ(Scratch::List(scratch.Out()), std::vector<std::wstring>{L"mp3list.html"})
      << "a temporary file was left behind";
}

TEST_F(GeneratorWin32Test, EncodesEachNameForTheCodePageAndTheLinkTarget) {
  if (GetACP() != 1252) GTEST_SKIP() << "the bytes expected are code page 1252's, not " << GetACP();
  struct Case {
    const wchar_t* fileName;
    const char* line;
  } cases[] = {
      {L"Caf\u00e9.mp3", "<a href=\"music/Caf%C3%A9.mp3\">Caf\xe9</a><br>\r\n"},
      {L"\u65e5\u672c Live.mp3",
       "<a href=\"music/%E6%97%A5%E6%9C%AC Live.mp3\">&#26085;&#26412; Live</a><br>\r\n"},
      // Best fit would make these "O" and "8": dead links under a look-alike name.
      {L"\u014csaka \u221e.mp3",
       "<a href=\"music/%C5%8Csaka %E2%88%9E.mp3\">&#332;saka &#8734;"
       "</a><br>\r\n"},
      {L"5 \u20ac.mp3", "<a href=\"music/5 %E2%82%AC.mp3\"> \x80</a><br>\r\n"},
      {L"x\U0001D11E.mp3", "<a href=\"music/x%F0%9D%84%9E.mp3\">x&#119070;</a><br>\r\n"},
      {L"Side #2 100%.mp3", "<a href=\"music/Side %232 100%25.mp3\">Side #2 100%</a><br>\r\n"},
      {L"Rock & Roll_(Live).mp3",
       "<a href=\"music/Rock &amp; Roll_(Live).mp3\">Rock &amp; Roll Live</a><br>\r\n"},
      // The code page gives U+0081 a byte of its own, which a browser would not show as it.
      {L"\u0080\u0081\u009f.mp3",
       "<a href=\"music/%C2%80%C2%81%C2%9F.mp3\">&#65533;&#65533;&#65533;</a><br>\r\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(std::wstring(c.fileName)));
    const std::wstring path = scratch.Music() + L"\\" + c.fileName;
    Scratch::MakeFile(path);

    GeneratePage(Settings(), fs);

    EXPECT_EQ(Links(), c.line);
    DeleteFileW(path.c_str());
  }
}

TEST_F(GeneratorWin32Test, ListsOrdinaryFilesOnlyInTheFolderOwnOrder) {
  AddTrack(L"one.mp3");
  AddTrack(L"LOUD.MP3");
  AddTrack(L"kept.mp3", FILE_ATTRIBUTE_READONLY);
  AddTrack(L"secret.mp3", FILE_ATTRIBUTE_HIDDEN);
  AddTrack(L"boot.mp3", FILE_ATTRIBUTE_SYSTEM);
  AddTrack(L"both.mp3", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
  AddTrack(L"cover.jpg");
  CreateDirectoryW((scratch.Music() + L"\\album.mp3").c_str(), nullptr);
  CreateDirectoryW((scratch.Music() + L"\\hidden album.mp3").c_str(), nullptr);
  SetFileAttributesW((scratch.Music() + L"\\hidden album.mp3").c_str(), FILE_ATTRIBUTE_HIDDEN);

  GeneratePage(Settings(), fs);

  const std::set<std::wstring> listed = {L"one.mp3", L"LOUD.MP3", L"kept.mp3"};
  std::string expected;
  for (const std::wstring& name : Scratch::List(scratch.Music())) {
    if (!listed.contains(name)) continue;
    const std::string narrow(name.begin(), name.end());  // ASCII names
    expected +=
        "<a href=\"music/" + narrow + "\">" + narrow.substr(0, narrow.size() - 4) + "</a><br>\r\n";
  }
  EXPECT_EQ(Links(), expected);
}

TEST_F(GeneratorWin32Test, LeavesOutLongNamesTheWildcardMatchesThroughTheirShortNames) {
  AddTrack(L"song.mp3x");
  AddTrack(L"Another Long Name.mp3abc");
  AddTrack(L"real.mp3");

  // The platform's own search, without the program's filter on top.
  std::vector<std::wstring> matched;
  WIN32_FIND_DATAW data;
  const HANDLE search = FindFirstFileExW((scratch.Music() + L"\\*.mp3").c_str(), FindExInfoBasic,
                                         &data, FindExSearchNameMatch, nullptr, 0);
  ASSERT_NE(search, INVALID_HANDLE_VALUE);
  do {
    matched.push_back(data.cFileName);
  } while (FindNextFileW(search, &data));
  FindClose(search);
  if (std::find(matched.begin(), matched.end(), L"song.mp3x") == matched.end()) {
    GTEST_SKIP() << "this volume gives long names no short names, so \"*.mp3\" cannot match "
                    "\"song.mp3x\" here";
  }

  GeneratePage(Settings(), fs);

  EXPECT_EQ(Links(), "<a href=\"music/real.mp3\">real</a><br>\r\n");
}

// A failed run names the path and the system's reason, and leaves the older page as it was
// and nothing else behind.
TEST_F(GeneratorWin32Test, FailsNamingThePathAndTheReasonAndKeepsTheOlderPage) {
  struct Case {
    const char* name;
    std::wstring outputFolder, musicFolder;
    bool holdPage;
    std::wstring path;
    std::set<std::wstring> reasons;
  } cases[] = {
      {"output folder missing",
       scratch.Root() + L"\\Missing",
       scratch.Music(),
       false,
       scratch.Root() + L"\\Missing\\mp3list.html",
       // GetTempFileName says the latter where CreateFile would say the former.
       {win32::SystemMessage(ERROR_PATH_NOT_FOUND), win32::SystemMessage(ERROR_DIRECTORY)}},
      {"music folder cannot be searched",
       scratch.Out(),
       scratch.Root() + L"\\bad|name",
       false,
       scratch.Root() + L"\\bad|name\\*.mp3",
       {win32::SystemMessage(ERROR_INVALID_NAME)}},
      // Windows and Wine both refuse to rename over a file open without FILE_SHARE_DELETE
      // with "access denied", not with a sharing violation.
      {"page held open throughout",
       scratch.Out(),
       scratch.Music(),
       true,
       scratch.Page(),
       {win32::SystemMessage(ERROR_ACCESS_DENIED)}},
  };
  for (int i = 0; i < 30; ++i) AddTrack(L"track " + std::to_wstring(i) + L".mp3");
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Scratch::MakeFile(scratch.Page(), "the older page\r\n");
    std::optional<PageHolder> holder;
    if (c.holdPage) {
      holder.emplace(scratch.Page());
      ASSERT_TRUE(holder->Holds());
    }
    PageSettings settings = Settings();
    settings.OutputFolder = c.outputFolder;
    settings.MusicFolder = c.musicFolder;

    std::optional<FileSystemError> failure;
    try {
      GeneratePage(settings, fs);
    } catch (const FileSystemError& error) {
      failure = error;
    }

    EXPECT_EQ(Scratch::Read(scratch.Page()), "the older page\r\n");
    holder.reset();
    EXPECT_EQ(Scratch::List(scratch.Out()), std::vector<std::wstring>{L"mp3list.html"});
    EXPECT_EQ(Scratch::List(scratch.Root()), (std::vector<std::wstring>{L"Music", L"Out"}));
    ASSERT_TRUE(failure) << "the run did not fail";
    EXPECT_EQ(failure->Path(), c.path);
    EXPECT_TRUE(c.reasons.contains(failure->Reason()))
        << ::testing::PrintToString(failure->Reason());
  }
}

// Identity readers planted in the page file: one that can tell no file (what the system says
// of a handle that is no file's), and one that cannot tell the file at the page's own name,
// as after a rename it cannot confirm.
std::optional<win32::FileIdentity> NoIdentity(HANDLE) {
  return win32::IdentityOf(GetCurrentThread());
}
std::optional<win32::FileIdentity> NoIdentityInPlace(HANDLE file) {
  const std::wstring name = win32::GrowingBuffer([&](wchar_t* buffer, DWORD size) {
    return GetFinalPathNameByHandleW(file, buffer, size, FILE_NAME_NORMALIZED);
  });
  if (name.ends_with(L"\\mp3list.html")) return std::nullopt;
  return win32::IdentityOf(file);
}

// A rename as Windows takes it, which reads the new name for FileNameLength bytes where Wine
// reads it up to its NUL.
BOOL WINAPI RenameAsWindows(HANDLE file, FILE_INFO_BY_HANDLE_CLASS kind, LPVOID info, DWORD size) {
  const auto* bytes = static_cast<const std::byte*>(info);
  std::vector<std::byte> copy(bytes, bytes + size);
  copy.resize(copy.size() + sizeof(wchar_t));
  auto& rename = *reinterpret_cast<FILE_RENAME_INFO*>(copy.data());
  if (offsetof(FILE_RENAME_INFO, FileName) + rename.FileNameLength > size) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  rename.FileName[rename.FileNameLength / sizeof(wchar_t)] = L'\0';
  return SetFileInformationByHandle(file, kind, copy.data(), static_cast<DWORD>(copy.size()));
}

// A rename that fails once for the error given, and then goes through: ERROR_FILE_NOT_FOUND
// as when another program moves the file in that moment, ERROR_SHARING_VIOLATION as when
// another program has it open for a moment without sharing it.
int renamesTried = 0;
template <DWORD error>
BOOL WINAPI FailsOnce(HANDLE file, FILE_INFO_BY_HANDLE_CLASS kind, LPVOID info, DWORD size) {
  if (kind != FileRenameInfo || renamesTried++ > 0) return RenameAsWindows(file, kind, info, size);
  SetLastError(error);
  return FALSE;
}

// Where nothing moves during the run, the page file does the same whichever way its calls go,
// Windows' (through the handle) or Wine's (by path), but where an identity cannot be read:
// Windows never needs one, Wine cannot check its rename without. A page once renamed into
// place stays, whatever follows.
TEST_F(GeneratorWin32Test, ThePageFileOnWindowsAndOnWineWhereNothingMoves) {
  enum Outcome { kDone, kRefusedAtOpen, kFailedAtClose };
  struct Column {
    Outcome outcome;
    bool written;  // the page is the one written, else the older one (or none)
  };
  // A page of more lines than the file's buffer holds, so that it is written in several goes.
  const int lines = 8000;
  const std::string older = "the older page\r\n";
  std::string written;
  for (int i = 0; i < lines; ++i) written += "the page\r\n";
  struct Case {
    const char* name;
    DWORD before;  // the older page's attributes; 0 for none
    bool markReadOnlyMeanwhile;
    win32::IdentityReader read;
    Column windows, wine;
    win32::InformationSetter rename = nullptr;  // the system's, as each of the two takes it
  } cases[] = {
      {"a new page", 0, false, win32::IdentityOf, {kDone, true}, {kDone, true}},
      {"a page replaced keeps its marks",
       FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE,
       false,
       win32::IdentityOf,
       {kDone, true},
       {kDone, true}},
      {"a read-only page is refused",
       FILE_ATTRIBUTE_READONLY,
       false,
       win32::IdentityOf,
       {kRefusedAtOpen, false},
       {kRefusedAtOpen, false}},
      {"a failure before the rename keeps the older page",
       FILE_ATTRIBUTE_NORMAL,
       true,
       win32::IdentityOf,
       {kFailedAtClose, false},
       {kFailedAtClose, false}},
      {"no identity can be read",
       FILE_ATTRIBUTE_NORMAL,
       false,
       NoIdentity,
       {kDone, true},
       {kRefusedAtOpen, false}},
      {"the page in place cannot be confirmed",
       FILE_ATTRIBUTE_NORMAL,
       false,
       NoIdentityInPlace,
       {kDone, true},
       {kFailedAtClose, true}},
      // Only Wine can lose a file it renames through its handle, and looks for it again;
      // through the handle on Windows, the same error would come back on every try.
      {"the file is lost once at the rename",
       FILE_ATTRIBUTE_NORMAL,
       false,
       win32::IdentityOf,
       {kFailedAtClose, false},
       {kDone, true},
       FailsOnce<ERROR_FILE_NOT_FOUND>},
      {"the older page is held open for a moment",
       FILE_ATTRIBUTE_NORMAL,
       false,
       win32::IdentityOf,
       {kDone, true},
       {kDone, true},
       FailsOnce<ERROR_SHARING_VIOLATION>},
  };
  for (const auto& c : cases) {
    for (const auto calls : {win32::FileCalls::kFollowTheHandle, win32::FileCalls::kGoByPath}) {
      const bool onWindows = calls == win32::FileCalls::kFollowTheHandle;
      SCOPED_TRACE(std::string(c.name) + (onWindows ? ", Windows" : ", Wine"));
      const Column& expected = onWindows ? c.windows : c.wine;
      const Scratch place;
      if (c.before) Scratch::MakeFile(place.Page(), older, c.before);
      renamesTried = 0;

      Outcome outcome = kDone;
      try {
        auto file =
            win32::OpenTextFile(place.Page(), {.calls = calls,
                                               .identityOf = c.read,
                                               .rename = c.rename    ? c.rename
                                                         : onWindows ? RenameAsWindows
                                                                     : SetFileInformationByHandle});
        outcome = kFailedAtClose;
        for (int i = 0; i < lines; ++i) file->WriteLine(L"the page");
        if (c.markReadOnlyMeanwhile)
          SetFileAttributesW(place.Page().c_str(), FILE_ATTRIBUTE_READONLY);
        file->Close();
        outcome = kDone;
      } catch (const FileSystemError&) {
        if (outcome == kDone) outcome = kRefusedAtOpen;
      }

      EXPECT_EQ(outcome, expected.outcome);
      const bool kept = c.before != 0 && !expected.written;
      EXPECT_EQ(Scratch::Read(place.Page()), expected.written ? std::optional(written)
                                             : kept           ? std::optional(older)
                                                              : std::nullopt);
      EXPECT_EQ(GetFileAttributesW(place.Page().c_str()) & FILE_ATTRIBUTE_HIDDEN,
                c.before & FILE_ATTRIBUTE_HIDDEN);
      EXPECT_EQ(Scratch::List(place.Out()).size(), c.before || expected.written ? 1u : 0u)
          << "an unfinished page left behind";
      SetFileAttributesW(place.Page().c_str(), FILE_ATTRIBUTE_NORMAL);
    }
  }
}

// Windows may have UTF-8 for its ANSI code page; a page is then written in it, whatever a
// character takes there.
TEST_F(GeneratorWin32Test, WritesInUtf8WhereThatIsTheCodePage) {
  auto file = win32::OpenTextFile(scratch.Page(), {.codePage = CP_UTF8});
  file->WriteLine(L"Caf\u00e9 \u65e5 x\U0001D11E");
  file->Close();

  EXPECT_EQ(Scratch::Read(scratch.Page()), "Caf\xc3\xa9 \xe6\x97\xa5 x\xf0\x9d\x84\x9e\r\n");
}

// Every file below the folder, at any depth, with its bytes.
std::map<std::wstring, std::string> FilesBelow(const std::wstring& folder) {
  std::map<std::wstring, std::string> files;
  for (const std::wstring& name : Scratch::List(folder)) {
    const std::wstring path = folder + L"\\" + name;
    if (GetFileAttributesW(path.c_str()) & FILE_ATTRIBUTE_DIRECTORY) {
      files.merge(FilesBelow(path));
    } else {
      files[path] = Scratch::Read(path).value_or("<unreadable>");
    }
  }
  return files;
}

// Another program moves the output folder, or the unfinished page, and may put a file of its
// own under the unfinished page's name, before the page is put in place. The run puts the
// page it wrote in place or fails keeping the older page; it never puts another file there,
// deletes none, and leaves no unfinished page anywhere.
TEST_F(GeneratorWin32Test, WhatMovesBeforeThePageIsInPlaceNeverTakesItsPlace) {
  const std::string older = "the older page\r\n", written = "the page\r\n", planted = "planted";
  struct Case {
    const char* name;
    const wchar_t* page;    // below the output folder
    const wchar_t* moveTo;  // where the output folder goes, below the scratch folder; or none,
                            // and the unfinished page goes aside
    bool makeNew;           // a new output folder made under the old name
    bool plant;             // a file put under the unfinished page's name
    const wchar_t* aside = L"aside";  // where the unfinished page goes, from its folder
  } cases[] = {
      {"folder renamed in place", L"mp3list.html", L"Moved", false, false},
      {"folder moved elsewhere", L"mp3list.html", L"Music\\Moved", false, false},
      {"folder moved and made new", L"mp3list.html", L"Music\\Moved", true, false},
      {"parent moved and made new", L"In\\mp3list.html", L"Moved", true, false},
      {"name taken", L"mp3list.html", nullptr, false, true},
      {"folder made new and name taken", L"mp3list.html", L"Moved", true, true},
      // Beyond the folders Wine's search looks below: the page cannot be found there.
      {"unfinished page out of reach", L"mp3list.html", nullptr, false, false, L"..\\..\\away"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const Scratch place;
    const std::wstring page = place.Out() + L"\\" + c.page;
    const std::wstring folder = page.substr(0, page.find_last_of(L'\\'));
    testing::MakeFolder(folder);
    Scratch::MakeFile(page, older);
    auto file = fs.CreateTextFile(page);
    file->WriteLine(L"the page");
    const std::vector<std::wstring> unfinished = testing::ListFolder(folder, L"*.tmp");
    ASSERT_EQ(unfinished.size(), 1u);
    const std::wstring temporary = folder + L"\\" + unfinished[0];
    const std::wstring from = c.moveTo ? place.Out() : temporary;
    const std::wstring to = c.moveTo ? place.Root() + L"\\" + c.moveTo : folder + L"\\" + c.aside;
    ASSERT_TRUE(MoveFileW(from.c_str(), to.c_str()));
    if (c.makeNew) testing::MakeFolder(place.Out());
    if (c.plant) Scratch::MakeFile(temporary, planted);

    bool failed = false;
    try {
      file->Close();
    } catch (const FileSystemError&) {
      failed = true;
    }
    file.reset();

    std::map<std::string, int> copies;  // of each text, wherever it is
    for (const auto& [path, bytes] : FilesBelow(place.Root())) ++copies[bytes];
    EXPECT_EQ(copies[written], failed ? 0 : 1) << "the page written, in place or left behind";
    if (!failed) {
      EXPECT_EQ(Scratch::Read(page), written);
    } else {
      EXPECT_EQ(copies[older], 1) << "the older page lost";
    }
    if (c.plant) {
      EXPECT_EQ(Scratch::Read(temporary), planted);
    }
    if (!c.moveTo) DeleteFileW(to.c_str());
  }
}

// A browser or a virus scanner often has the page open for a moment only: the run waits for
// it briefly instead of failing at once.
TEST_F(GeneratorWin32Test, ReplacesAPageHeldOpenForAMoment) {
  AddTrack(L"one.mp3");
  Scratch::MakeFile(scratch.Page(), "the older page\r\n");
  PageHolder holder(scratch.Page());
  ASSERT_TRUE(holder.Holds());
  testing::Thread browser([&holder] {
    Sleep(150);
    holder.Release();
  });

  GeneratePage(Settings(), fs);
  browser.Join();

  EXPECT_EQ(Links(), "<a href=\"music/one.mp3\">one</a><br>\r\n");
  EXPECT_EQ(Scratch::List(scratch.Out()), std::vector<std::wstring>{L"mp3list.html"});
}

}  // namespace
}  // namespace melodex
