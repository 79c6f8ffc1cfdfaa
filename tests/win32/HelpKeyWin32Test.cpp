// F1 in a real message box that names the help file: the platform's help program opens the
// topic where it exists with the file; otherwise the program's own help window comes up.
#include <atomic>
#include <functional>
#include <string>
#include <vector>

#include "Melodex.h"
#include "platform/win32/Win32Dialogs.h"
#include "platform/win32/Win32HelpSystem.h"
#include "support/Thread.h"
#include "support/Win32Files.h"
#include "ui/dialogs/Form4.h"
#include "win32/RealWindows.h"

#include <tlhelp32.h>

namespace melodex::testing {
namespace {

constexpr wchar_t kTitle[] = L"Help key test";

std::wstring BesideTheProgram(const wchar_t* name) {
  wchar_t path[MAX_PATH];
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring folder(path);
  return folder.substr(0, folder.find_last_of(L'\\') + 1) + name;
}

// The process id of the platform's help program, or 0 when it is not running.
DWORD HelpProgram() {
  const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  PROCESSENTRY32W entry{sizeof entry};
  DWORD found = 0;
  for (BOOL more = Process32FirstW(snapshot, &entry); more && !found;
       more = Process32NextW(snapshot, &entry)) {
    if (_wcsicmp(entry.szExeFile, L"winhlp32.exe") == 0) found = entry.th32ProcessID;
  }
  CloseHandle(snapshot);
  return found;
}

// The program with the real message boxes and help program. A message box with the help
// file is answered from another thread as a person would: F1, then Enter.
class HelpKeyWin32Test : public ::testing::Test {
 protected:
  void SetUp() override {
    dialogs.SetHelpHandler([this](const std::wstring& file, unsigned context) {
      ++helpRequests;
      app.ShowHelp(file, context);
    });
    app.Start();
    windows.PumpPending();
  }
  void TearDown() override {
    app.End();
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    }
  }

  // `meanwhile` runs on the person's thread once the help was asked for, before the box is
  // answered.
  void ShowBoxAndPressF1(const std::function<void()>& meanwhile = [] {}) {
    std::atomic<bool> answered = false;
    Thread person([&] {
      HWND box = nullptr;
      for (int i = 0; i < 200 && !box; ++i, Sleep(25)) box = FindWindowW(L"#32770", kTitle);
      if (!box) return;
      // F1 becomes a help request only as real keyboard input, not as a posted message.
      SetForegroundWindow(box);
      INPUT keys[2] = {};
      keys[0].type = keys[1].type = INPUT_KEYBOARD;
      keys[0].ki.wVk = keys[1].ki.wVk = VK_F1;
      keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
      SendInput(2, keys, sizeof keys[0]);
      for (int i = 0; i < 200 && helpRequests == 0; ++i) Sleep(25);
      Sleep(200);
      meanwhile();
      PostMessageW(box, WM_COMMAND, IDOK, 0);
      answered = true;
    });
    dialogs.ShowMessage(
        {.text = L"Press F1", .title = kTitle, .helpFile = L"DEMO.HLP", .helpContext = 1000});
    person.Join();
    windows.PumpPending();
    EXPECT_TRUE(answered) << "no message box came up";
  }

  win32::Win32FileSystem files;
  win32::Win32Dialogs dialogs{kAppTitle};
  win32::Win32HelpSystem help;
  InMemoryRegistry registry;
  InMemoryFileSystem programFiles;
  InMemoryProcesses processes{programFiles};
  Platform platform{files, dialogs, help, registry, processes};
  win32::Win32Backend windows{GetModuleHandleW(nullptr)};
  App app{windows, platform};
  std::atomic<int> helpRequests = 0;
};

TEST_F(HelpKeyWin32Test, WithoutTheHelpFileTheProgramsOwnHelpComesUp) {
  DeleteFileW(BesideTheProgram(L"DEMO.HLP").c_str());
  ASSERT_EQ(windows.WindowOf(app.HelpWindow()), nullptr) << "made only when first shown";

  ShowBoxAndPressF1();

  EXPECT_EQ(helpRequests, 1);
  EXPECT_TRUE(app.HelpWindow().Visible());
  EXPECT_TRUE(IsWindowVisible(windows.WindowOf(app.HelpWindow())));
  PostQuitMessage(0);
  windows.PumpPending();
  EXPECT_TRUE(windows.Ended()) << "the quit ends the program's loop";
}

// Windows 10 and 11 keep only a stub of the help program, of at most 64 KB: a help file is
// then not handed to it, and the caller shows the program's own help instead.
TEST(Win32HelpSystemTest, AStubOfTheHelpProgramOpensNothing) {
  const std::wstring folder = MakeScratchFolder(L"help");
  ASSERT_TRUE(WriteBytes(folder + L"\\DEMO.HLP"));
  ASSERT_TRUE(WriteBytes(folder + L"\\winhlp32.exe", std::string(64 * 1024, 'x')));
  win32::Win32HelpSystem help{[&] { return std::vector<std::wstring>{folder}; }};
  EXPECT_FALSE(help.ShowTopic(folder + L"\\DEMO.HLP", 1000));
  RemoveTree(folder);
}

TEST_F(HelpKeyWin32Test, WithTheHelpFileTheHelpProgramOpensIt) {
  const std::wstring file = BesideTheProgram(L"DEMO.HLP");
  CloseHandle(CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));

  // The help program comes up with the file; this one is empty, and the help program says
  // so in a box of its own, holding the program until it is answered.
  DWORD program = 0;
  bool reported = false;
  ShowBoxAndPressF1([&] {
    for (int i = 0; i < 400 && !reported; ++i, Sleep(25)) {
      program = HelpProgram();
      const HWND box = FindWindowW(L"#32770", nullptr);
      DWORD owner = 0;
      if (box) GetWindowThreadProcessId(box, &owner);
      if (program && owner == program) {
        PostMessageW(box, WM_COMMAND, IDOK, 0);
        reported = true;
      }
    }
  });
  if (const HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, program)) {
    TerminateProcess(process, 0);
    WaitForSingleObject(process, 5000);
    CloseHandle(process);
  }

  EXPECT_EQ(helpRequests, 1);
  EXPECT_TRUE(reported) << "the help program read the file";
  EXPECT_FALSE(app.HelpWindow().Loaded()) << "the help program took it";
  DeleteFileW(file.c_str());
}

}  // namespace
}  // namespace melodex::testing
