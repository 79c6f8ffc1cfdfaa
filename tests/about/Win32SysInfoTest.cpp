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
  ASSERT_TRUE(processes.StartCommandLine(tool));

  EXPECT_TRUE(standin::WaitForRun(decoy));
  EXPECT_FALSE(standin::HasRun(tool));
}

TEST_F(Win32SysInfoTest, FirstEntryStartsItsProgramAndNeverTheDecoy) {
  ASSERT_TRUE(msinfo.Set(tool));

  PressSystemInfo();

  const auto run = standin::WaitForRun(tool);
  ASSERT_TRUE(run);
  EXPECT_EQ(run->commandLine, L"\"" + tool + L"\"");
  EXPECT_EQ(run->show, SW_SHOWNORMAL);
  EXPECT_FALSE(standin::HasRun(decoy));
  EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(Win32SysInfoTest, SecondEntryStartsTheProgramInItsFolderAndNeverTheDecoy) {
  ASSERT_TRUE(location.Set(toolFolder));

  PressSystemInfo();

  const auto run = standin::WaitForRun(tool);
  ASSERT_TRUE(run);
  EXPECT_EQ(run->commandLine, L"\"" + toolFolder + L"\\MSINFO32.EXE\"");
  EXPECT_FALSE(standin::HasRun(decoy));
  EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(Win32SysInfoTest, SecondEntryEndingInABackslashStillFindsTheProgram) {
  ASSERT_TRUE(location.Set(toolFolder + L"\\"));

  PressSystemInfo();

  const auto run = standin::WaitForRun(tool);
  ASSERT_TRUE(run);
  EXPECT_EQ(run->commandLine, L"\"" + toolFolder + L"\\\\MSINFO32.EXE\"");
  EXPECT_FALSE(standin::HasRun(decoy));
}

TEST_F(Win32SysInfoTest, FirstEntryNamingAMissingFileGivesTheMessage) {
  ASSERT_TRUE(msinfo.Set(folder + L"\\Gone\\msinfo32.exe"));
  ASSERT_TRUE(location.Set(toolFolder));

  PressSystemInfo();

  EXPECT_EQ(dialogs.MessageTexts(),
            std::vector<std::wstring>{L"System Information Is Unavailable At This Time"});
  EXPECT_FALSE(standin::HasRun(tool));
  EXPECT_FALSE(standin::HasRun(decoy));
}

TEST_F(Win32SysInfoTest, WithoutTheEntriesTheMessageIsShown) {
  PressSystemInfo();

  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].message,
            MessageBoxRequest{.text = L"System Information Is Unavailable At This Time"});
  EXPECT_FALSE(standin::HasRun(tool));
  EXPECT_FALSE(standin::HasRun(decoy));
  EXPECT_TRUE(app.AboutBox().Visible());
}

}  // namespace
}  // namespace melodex::testing
