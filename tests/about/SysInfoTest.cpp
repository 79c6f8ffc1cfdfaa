// The System Information launcher of the about box: how GetKeyValue turns registry values
// into text, and which program StartSysInfo starts, or that it says it cannot.
#include <gtest/gtest.h>

#include <functional>
#include <optional>

#include "contract/RegistryContract.h"
#include "support/InMemoryProgram.h"

namespace melodex::testing {
namespace {

// A program file, with the folders it needs.
void AddProgram(InMemoryFileSystem& files, const std::wstring& path,
                unsigned attributes = InMemoryFileSystem::kNormal) {
  const std::wstring folder = path.substr(0, path.find_last_of(L'\\'));
  if (!folder.ends_with(L':')) files.AddFolder(folder);
  files.AddFile(path, "MZ", attributes);
}

// Where the launcher looks, as the system's installers write it.
constexpr wchar_t kMsinfoKey[] = L"SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
constexpr wchar_t kMsinfoValue[] = L"PATH";
constexpr wchar_t kLocationKey[] = L"SOFTWARE\\Microsoft\\Shared Tools Location";
constexpr wchar_t kLocationValue[] = L"MSINFO";

constexpr wchar_t kUnavailable[] = L"System Information Is Unavailable At This Time";

// --- GetKeyValue ---

struct ReadCase {
  const char* name;
  std::function<void(InMemoryRegistry&)> arrange;  // the value "V" of SOFTWARE\Test
  bool found;
  std::wstring text;  // KeyVal afterwards; it starts as "kept"
};

const std::wstring kTestKey = L"SOFTWARE\\Test";

std::function<void(InMemoryRegistry&)> Value(std::uint32_t type, std::vector<std::uint8_t> data) {
  return [type, data](InMemoryRegistry& registry) {
    registry.SetValue(kHkeyLocalMachine, kTestKey, L"V", type, data);
  };
}

std::function<void(InMemoryRegistry&)> Text(const std::wstring& text, bool withNul = true) {
  return Value(kRegSz, Utf16Bytes(text, withNul));
}

const ReadCase kReadCases[] = {
    {"TextWithItsNul", Text(L"C:\\Tools\\msinfo32.exe"), true, L"C:\\Tools\\msinfo32.exe"},
    {"TextWithoutItsNul", Text(L"C:\\Tools\\msinfo32.exe", false), true,
     L"C:\\Tools\\msinfo32.exe"},
    {"TextBeyondAscii", Text(L"C:\\Outils\\Syst\u00e8me\\\u20ac.exe"), true,
     L"C:\\Outils\\Syst\u00e8me\\\u20ac.exe"},
    {"TextOfNoBytesIsEmpty", Value(kRegSz, {}), true, L""},
    {"TextOfJustItsNul", Text(L""), true, L""},
    {"TextWithAnOddLastByte", Value(kRegSz, {0x61, 0x00, 0x62}), true, L"a"},
    {"TextFillingTheBuffer", Text(std::wstring(511, L'a')), true, std::wstring(511, L'a')},
    {"TextBeyondTheBufferIsMissing", Text(std::wstring(512, L'a')), false, L""},
    {"Number261", Value(kRegDword, {0x05, 0x01, 0x00, 0x00}), true, L"&h000105"},
    {"Number0", Value(kRegDword, {0x00, 0x00, 0x00, 0x00}), true, L"&h000000"},
    {"NumberWithAllFourBytes", Value(kRegDword, {0x78, 0x56, 0x34, 0x12}), true, L"&h12345678"},
    {"NumberEndingInZeroBytes", Value(kRegDword, {0x00, 0x00, 0xAB, 0x00}), true, L"&hAB0000"},
    {"NumberOfNoBytes", Value(kRegDword, {}), true, L"&h"},
    {"ExpandableTextKeepsTheTextPassedIn", Value(kRegExpandSz, Utf16Bytes(L"%SystemRoot%", true)),
     true, L"kept"},
    {"BinaryKeepsTheTextPassedIn", Value(kRegBinary, {0x41, 0x00}), true, L"kept"},
    {"MultipleTextsKeepTheTextPassedIn", Value(kRegMultiSz, Utf16Bytes(L"a", true)), true, L"kept"},
    {"BinaryBeyondTheBufferIsMissing", Value(kRegBinary, std::vector<std::uint8_t>(1025, 1)), false,
     L""},
    {"MissingValue", [](InMemoryRegistry& r) { r.SetDword(kHkeyLocalMachine, kTestKey, L"W", 1); },
     false, L""},
    {"MissingKey", [](InMemoryRegistry&) {}, false, L""},
    {"KeyThatGrantsOnlyReading",
     [](InMemoryRegistry& r) {
       Text(L"C:\\x.exe")(r);
       r.AddKey(kHkeyLocalMachine, kTestKey, kKeyRead);
     },
     true, L"C:\\x.exe"},
    {"KeyThatGrantsNothing",
     [](InMemoryRegistry& r) {
       Text(L"C:\\x.exe")(r);
       r.AddKey(kHkeyLocalMachine, kTestKey, 0);
     },
     false, L""},
};

void PrintTo(const ReadCase& c, std::ostream* out) { *out << c.name; }

class GetKeyValueTest : public ::testing::TestWithParam<ReadCase>, protected InMemoryProgram {};

TEST_P(GetKeyValueTest, ReadsTheValueAsText) {
  GetParam().arrange(registry);
  std::wstring KeyVal = L"kept";

  const bool found = OpenAbout().GetKeyValue(kHkeyLocalMachine, kTestKey, L"V", KeyVal);

  EXPECT_EQ(found, GetParam().found);
  EXPECT_EQ(KeyVal, GetParam().text);
  // The key is opened once, for reading only, and always closed again.
  ASSERT_EQ(registry.Opens().size(), 1u);
  EXPECT_EQ(registry.Opens()[0].root, PredefinedKey(kHkeyLocalMachine));
  EXPECT_EQ(registry.Opens()[0].path, kTestKey);
  EXPECT_EQ(registry.Opens()[0].access, kKeyQueryValue);
  EXPECT_EQ(registry.OpenHandles(), 0u);
}

INSTANTIATE_TEST_SUITE_P(Values, GetKeyValueTest, ::testing::ValuesIn(kReadCases),
                         [](const auto& info) { return std::string(info.param.name); });

// --- StartSysInfo ---

struct World {
  InMemoryRegistry& registry;
  InMemoryFileSystem& files;
  InMemoryProcesses& processes;
};

struct LaunchCase {
  const char* name;
  std::function<void(World)> arrange;
  // What ran; nothing means that the message was shown instead.
  std::optional<InMemoryProcesses::Started> started;
  int locationsRead;  // 1: only the first entry was read; 2: both
};

const std::wstring kSystemTool = L"C:\\Windows\\System32\\msinfo32.exe";
const std::wstring kSharedTool =
    L"C:\\Program Files\\Common Files\\Microsoft Shared\\MSInfo\\msinfo32.exe";

InMemoryProcesses::Started Exactly(const std::wstring& program) {
  return {program, L"\"" + program + L"\""};
}

void First(World w, const std::wstring& path) {
  w.registry.SetValue(kHkeyLocalMachine, kMsinfoKey, kMsinfoValue, kRegSz, Utf16Bytes(path, true));
}
void Second(World w, const std::wstring& folder) {
  w.registry.SetValue(kHkeyLocalMachine, kLocationKey, kLocationValue, kRegSz,
                      Utf16Bytes(folder, true));
}
// Programs a command line with blanks would find before the intended one.
void Decoys(World w) {
  AddProgram(w.files, L"C:\\Program.exe");
  AddProgram(w.files, L"C:\\Program Files\\Common.exe");
}
// A usable second entry, to show when it is not consulted.
void UsableSecond(World w) {
  AddProgram(w.files, L"C:\\Tools\\MSINFO32.EXE");
  Second(w, L"C:\\Tools");
}

const LaunchCase kLaunchCases[] = {
    {"BothEntriesMissing", [](World) {}, std::nullopt, 2},
    {"FirstEntryNamesAnExistingFile",
     [](World w) {
       AddProgram(w.files, kSystemTool);
       First(w, kSystemTool);
       UsableSecond(w);
     },
     Exactly(kSystemTool), 1},
    {"FirstEntryWithBlanksStartsExactlyThatFile",
     [](World w) {
       AddProgram(w.files, kSharedTool);
       Decoys(w);
       First(w, kSharedTool);
     },
     Exactly(kSharedTool), 1},
    {"FirstEntryEndingInDotsAndBlanksStartsByTheFileName",
     [](World w) {
       AddProgram(w.files, kSystemTool);
       First(w, kSystemTool + L". . .");
     },
     Exactly(kSystemTool), 1},
    {"FirstEntryShortNameOfAProgramNamedOtherwise",
     [](World w) {
       AddProgram(w.files, L"C:\\Tools\\prog.exec");
       w.processes.AddShortName(L"C:\\Tools\\prog.exec", L"PROG~PAH.EXE");
       First(w, L"C:\\Tools\\PROG~PAH.EXE");
     },
     std::nullopt, 1},
    {"FirstEntryStoredWithoutItsNul",
     [](World w) {
       AddProgram(w.files, kSystemTool);
       w.registry.SetValue(kHkeyLocalMachine, kMsinfoKey, kMsinfoValue, kRegSz,
                           Utf16Bytes(kSystemTool, false));
     },
     Exactly(kSystemTool), 1},
    {"FirstEntryWithBlanksNamesAMissingFile",
     [](World w) {
       Decoys(w);
       First(w, L"C:\\Program Files\\Gone\\msinfo32.exe");
       UsableSecond(w);
     },
     std::nullopt, 1},
    {"FirstEntryWithBlanksNamesAFolder",
     [](World w) {
       Decoys(w);
       w.files.AddFolder(L"C:\\Program Files\\MSInfo");
       First(w, L"C:\\Program Files\\MSInfo");
     },
     std::nullopt, 1},
    {"FirstEntryNamesAHiddenSystemFile",
     [](World w) {
       AddProgram(w.files, kSharedTool, InMemoryFileSystem::kHidden | InMemoryFileSystem::kSystem);
       Decoys(w);
       First(w, kSharedTool);
     },
     Exactly(kSharedTool), 1},
    {"FirstEntryUnquotedIsOneNameArgumentsAndAll",
     [](World w) {
       AddProgram(w.files, kSystemTool);
       First(w, kSystemTool + L" /categories +all");
     },
     std::nullopt, 1},
    {"FirstEntryQuotedHandsOnWhatFollowsTheQuote",
     [](World w) {
       AddProgram(w.files, kSharedTool);
       Decoys(w);
       First(w, L"\"" + kSharedTool + L"\"  /report \"a b\"");
     },
     InMemoryProcesses::Started{kSharedTool, L"\"" + kSharedTool + L"\" /report \"a b\""}, 1},
    {"FirstEntryQuotedWithNothingAfter",
     [](World w) {
       AddProgram(w.files, kSharedTool);
       First(w, L"\"" + kSharedTool + L"\" ");
     },
     Exactly(kSharedTool), 1},
    {"FirstEntryQuotedWithoutItsClosingQuote",
     [](World w) {
       AddProgram(w.files, kSharedTool);
       First(w, L"\"" + kSharedTool);
     },
     Exactly(kSharedTool), 1},
    {"FirstEntryQuotedNamingAMissingFile",
     [](World w) {
       Decoys(w);
       First(w, L"\"C:\\Program Files\\Gone\\msinfo32.exe\" /report");
       UsableSecond(w);
     },
     std::nullopt, 1},
    {"FirstEntryCannotBeStarted",
     [](World w) {
       AddProgram(w.files, kSystemTool);
       w.processes.Refuse(kSystemTool);
       First(w, kSystemTool);
       UsableSecond(w);
     },
     std::nullopt, 1},
    {"FirstEntryIsEmpty",
     [](World w) {
       w.registry.SetValue(kHkeyLocalMachine, kMsinfoKey, kMsinfoValue, kRegSz, {});
       UsableSecond(w);
     },
     std::nullopt, 1},
    {"FirstEntryIsANumber",
     [](World w) {
       w.registry.SetDword(kHkeyLocalMachine, kMsinfoKey, kMsinfoValue, 261);
       UsableSecond(w);
     },
     std::nullopt, 1},
    {"FirstEntryIsExpandableText",
     [](World w) {
       AddProgram(w.files, kSystemTool);
       w.registry.SetValue(kHkeyLocalMachine, kMsinfoKey, kMsinfoValue, kRegExpandSz,
                           Utf16Bytes(kSystemTool, true));
       UsableSecond(w);
     },
     std::nullopt, 1},
    {"FirstEntryIsBinary",
     [](World w) {
       w.registry.SetValue(kHkeyLocalMachine, kMsinfoKey, kMsinfoValue, kRegBinary, {1, 2, 3});
       UsableSecond(w);
     },
     std::nullopt, 1},
    {"FirstEntryTooLargeCountsAsMissing",
     [](World w) {
       First(w, L"C:\\" + std::wstring(600, L'x') + L".exe");
       UsableSecond(w);
     },
     Exactly(L"C:\\Tools\\MSINFO32.EXE"), 2},
    {"FirstKeyReadOnlyForOrdinaryUsers",
     [](World w) {
       AddProgram(w.files, kSystemTool);
       First(w, kSystemTool);
       w.registry.AddKey(kHkeyLocalMachine, kMsinfoKey, kKeyRead);
     },
     Exactly(kSystemTool), 1},
    {"FirstKeyRefusedCountsAsMissing",
     [](World w) {
       AddProgram(w.files, kSystemTool);
       First(w, kSystemTool);
       w.registry.AddKey(kHkeyLocalMachine, kMsinfoKey, 0);
       UsableSecond(w);
     },
     Exactly(L"C:\\Tools\\MSINFO32.EXE"), 2},
    {"OnlySecondEntryWithTheProgram",
     [](World w) {
       AddProgram(w.files, L"C:\\Program Files\\MSInfo\\msinfo32.exe");
       AddProgram(w.files, L"C:\\Program.exe");
       Second(w, L"C:\\Program Files\\MSInfo");
     },
     Exactly(L"C:\\Program Files\\MSInfo\\msinfo32.exe"), 2},
    {"OnlySecondEntryWithoutTheProgram",
     [](World w) {
       w.files.AddFolder(L"C:\\Program Files\\MSInfo");
       AddProgram(w.files, L"C:\\Program Files\\MSInfo\\msinfo32.dll");
       Second(w, L"C:\\Program Files\\MSInfo");
     },
     std::nullopt, 2},
    {"OnlySecondEntryWithAHiddenProgram",
     [](World w) {
       AddProgram(w.files, L"C:\\Tools\\MSINFO32.EXE", InMemoryFileSystem::kHidden);
       Second(w, L"C:\\Tools");
     },
     std::nullopt, 2},
    {"SecondEntryEndingInABackslash",
     [](World w) {
       AddProgram(w.files, L"C:\\Tools\\MSINFO32.EXE");
       Second(w, L"C:\\Tools\\");
     },
     Exactly(L"C:\\Tools\\MSINFO32.EXE"), 2},
    {"SecondEntryIsANumber",
     [](World w) {
       AddProgram(w.files, L"C:\\Tools\\MSINFO32.EXE");
       w.registry.SetDword(kHkeyLocalMachine, kLocationKey, kLocationValue, 261);
     },
     std::nullopt, 2},
    {"SecondEntryProgramCannotBeStarted",
     [](World w) {
       UsableSecond(w);
       w.processes.Refuse(L"C:\\Tools\\MSINFO32.EXE");
     },
     std::nullopt, 2},
};

void PrintTo(const LaunchCase& c, std::ostream* out) { *out << c.name; }

class StartSysInfoTest : public ::testing::TestWithParam<LaunchCase>, protected InMemoryProgram {};

TEST_P(StartSysInfoTest, StartsTheToolOrSaysItIsUnavailable) {
  GetParam().arrange({registry, files, processes});
  frmAbout& about = OpenAbout();

  about.cmdSysInfo.Press();

  if (const auto& expected = GetParam().started) {
    EXPECT_EQ(processes.started, std::vector<InMemoryProcesses::Started>{*expected});
    EXPECT_TRUE(dialogs.shown.empty());
  } else {
    EXPECT_TRUE(processes.started.empty());
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].message, MessageBoxRequest{.text = kUnavailable});
  }
  std::vector<std::wstring> read;
  for (const auto& open : registry.Opens()) {
    EXPECT_EQ(open.root, PredefinedKey(kHkeyLocalMachine));
    EXPECT_EQ(open.access, kKeyQueryValue);
    read.push_back(open.path);
  }
  const std::vector<std::wstring> first{kMsinfoKey};
  const std::vector<std::wstring> both{kMsinfoKey, kLocationKey};
  EXPECT_EQ(read, GetParam().locationsRead == 1 ? first : both);
  EXPECT_EQ(registry.OpenHandles(), 0u);
  // The box stays as it was.
  EXPECT_TRUE(about.Visible());
  EXPECT_EQ(&app.AboutBox(), &about);
}

INSTANTIATE_TEST_SUITE_P(Entries, StartSysInfoTest, ::testing::ValuesIn(kLaunchCases),
                         [](const auto& info) { return std::string(info.param.name); });

class SysInfoButtonTest : public ProgramTest {};

TEST_F(SysInfoButtonTest, EachPressStartsTheToolAgain) {
  AddProgram(files, kSystemTool);
  First({registry, files, processes}, kSystemTool);
  frmAbout& about = OpenAbout();

  about.cmdSysInfo.Press();
  about.PressAccessKey(L's');

  EXPECT_EQ(processes.started,
            (std::vector<InMemoryProcesses::Started>{Exactly(kSystemTool), Exactly(kSystemTool)}));
}

TEST_F(SysInfoButtonTest, EachPressWithoutTheToolShowsTheMessageAgain) {
  frmAbout& about = OpenAbout();

  about.cmdSysInfo.Press();
  about.SetFocus(about.cmdSysInfo);
  about.PressEnter();

  EXPECT_EQ(dialogs.MessageTexts(), (std::vector<std::wstring>{kUnavailable, kUnavailable}));
  EXPECT_EQ(about.Focused(), &about.cmdSysInfo);
}

}  // namespace
}  // namespace melodex::testing
