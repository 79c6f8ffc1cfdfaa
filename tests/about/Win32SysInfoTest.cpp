// "&System Info..." on the real platform: the registry entries of the machine lead to a
// program in a folder with blanks in its path, and a decoy waits where a bare command line
// would go first. Only the message box is scripted; there are no windows.
#include <windows.h>

#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "platform/Platform.h"
#include "platform/memory/MemoryHelpSystem.h"
#include "platform/memory/ScriptedDialogs.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32Processes.h"
#include "platform/win32/Win32Registry.h"
#include "support/MachineValue.h"
#include "support/StandIn.h"
#include "support/Win32Files.h"
#include "ui/App.h"
#include "ui/about/frmAbout.h"
#include "ui/main/Form1.h"
#include "ui/memory/MemoryBackend.h"

namespace melodex::testing {
namespace {

constexpr wchar_t kMsinfoKey[] = L"SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
constexpr wchar_t kMsinfoValue[] = L"PATH";
constexpr wchar_t kLocationKey[] = L"SOFTWARE\\Microsoft\\Shared Tools Location";
constexpr wchar_t kLocationValue[] = L"MSINFO";

class Win32SysInfoTest : public ::testing::Test {
 protected:
  void SetUp() override {
    EXPECT_TRUE(MakeFolder(folder + L"\\Program Files"));
    EXPECT_TRUE(MakeFolder(toolFolder));
    ASSERT_NO_FATAL_FAILURE(standin::Copy(tool));
    ASSERT_NO_FATAL_FAILURE(standin::Copy(decoy));
    app.Start();
  }
  void TearDown() override { RemoveTree(folder); }

  void PressSystemInfo() {
    app.MainForm().About.Press();
    app.AboutBox().cmdSysInfo.Press();
  }

  MachineValue msinfo{kMsinfoKey, kMsinfoValue};
  MachineValue location{kLocationKey, kLocationValue};
  const std::wstring folder = MakeScratchFolder(L"melodex-sysinfo");
  const std::wstring toolFolder = folder + L"\\Program Files\\MSInfo";
  const std::wstring tool = toolFolder + L"\\msinfo32.exe";
  const std::wstring decoy = folder + L"\\Program.exe";

  win32::Win32FileSystem files;
  ScriptedDialogs dialogs;
  MemoryHelpSystem help;
  win32::Win32Registry registry;
  win32::Win32Processes processes;
  Platform platform{files, dialogs, help, registry, processes};
  MemoryBackend windows;
  App app{windows, platform};
};

TEST_F(Win32SysInfoTest, TheDecoyStandsWhereABareCommandLineWouldFindIt) {
  std::wstring line = folder + L"\\Program Files\\Gone\\msinfo32.exe";
  STARTUPINFOW startup{.cb = sizeof(STARTUPINFOW)};
  PROCESS_INFORMATION process{};
  ASSERT_TRUE(CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                             &startup, &process));
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);

  EXPECT_TRUE(standin::WaitForRun(decoy));
}

// The entries as the machine holds them; "<F>" stands for the scratch folder.
struct Entries {
  const char* name;
  std::optional<std::wstring> first;
  std::optional<std::wstring> second;
  bool hideTool = false;
  // The command line the tool runs with; nothing: the message instead.
  std::optional<std::wstring> commandLine;
};
void PrintTo(const Entries& e, std::ostream* out) { *out << e.name; }

const std::wstring kTool = L"<F>\\Program Files\\MSInfo\\msinfo32.exe";

const Entries kEntries[] = {
    {"FirstNamesAMissingFile", L"<F>\\Program Files\\Gone\\msinfo32.exe",
     L"<F>\\Program Files\\MSInfo", false, std::nullopt},
    {"FirstNamesAFolder", L"<F>\\Program Files\\MSInfo", std::nullopt, false, std::nullopt},
    {"FirstNamesAHiddenSystemFile", kTool, std::nullopt, true, L"\"" + kTool + L"\""},
    {"FirstNamesTheProgram", kTool, std::nullopt, false, L"\"" + kTool + L"\""},
    {"FirstQuotedWithArguments", L"\"" + kTool + L"\" /report \"a b\"", std::nullopt, false,
     L"\"" + kTool + L"\" /report \"a b\""},
    {"FirstEndsInDotsAndBlanks", kTool + L". . .", std::nullopt, false, L"\"" + kTool + L"\""},
    {"SecondNamesAFolderWithBlanks", std::nullopt, L"<F>\\Program Files\\MSInfo", false,
     L"\"" + kTool + L"\""},
    {"SecondEndsInABackslash", std::nullopt, L"<F>\\Program Files\\MSInfo\\", false,
     L"\"" + kTool + L"\""},
    {"NoEntries", std::nullopt, std::nullopt, false, std::nullopt},
};

class Win32SysInfoEntriesTest : public Win32SysInfoTest,
                                public ::testing::WithParamInterface<Entries> {
 protected:
  std::wstring Placed(std::wstring text) const {
    for (std::size_t at; (at = text.find(L"<F>")) != std::wstring::npos;)
      text.replace(at, 3, folder);
    return text;
  }
};

TEST_P(Win32SysInfoEntriesTest, StartsTheRightProgramOrSaysItIsUnavailableButNeverTheDecoy) {
  const Entries& entries = GetParam();
  if (entries.first) {
    ASSERT_TRUE(msinfo.Set(Placed(*entries.first)));
  }
  if (entries.second) {
    ASSERT_TRUE(location.Set(Placed(*entries.second)));
  }
  if (entries.hideTool) {
    ASSERT_TRUE(SetFileAttributesW(tool.c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM));
  }

  PressSystemInfo();

  if (entries.commandLine) {
    const auto run = standin::WaitForRun(tool);
    ASSERT_TRUE(run);
    EXPECT_EQ(run->commandLine, Placed(*entries.commandLine));
    EXPECT_EQ(run->show, SW_SHOWNORMAL);
    EXPECT_TRUE(dialogs.shown.empty());
  } else {
    EXPECT_EQ(dialogs.MessageTexts(),
              std::vector<std::wstring>{L"System Information Is Unavailable At This Time"});
    EXPECT_FALSE(standin::HasRun(tool));
  }
  EXPECT_FALSE(standin::HasRun(decoy));
}

INSTANTIATE_TEST_SUITE_P(Machine, Win32SysInfoEntriesTest, ::testing::ValuesIn(kEntries),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace melodex::testing
