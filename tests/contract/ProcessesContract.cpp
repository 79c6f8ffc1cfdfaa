// What every Processes must do, run against each implementation: the in-memory one has to
// find and refuse programs the way Windows does.
#include "contract/ProcessesContract.h"

namespace melodex::testing {

std::string ProcessWorkspaceName(const ::testing::TestParamInfo<ProcessWorkspaceMaker>& info) {
  return info.param.name;
}

namespace {

TEST_P(ProcessesContract, StartsExactlyTheNamedFileWithItsQuotedPathAndTheArguments) {
  MakeTool();
  PlantDecoy();

  ASSERT_TRUE(workspace->System().StartProgram(tool, L"/report \"a b\""));

  EXPECT_EQ(workspace->CommandLineOf(tool), L"\"" + tool + L"\" /report \"a b\"");
  EXPECT_FALSE(workspace->HasRun(decoy));
}

TEST_P(ProcessesContract, AHiddenSystemFileIsStartedLikeAnyOther) {
  MakeTool();
  workspace->Hide(tool);

  ASSERT_TRUE(workspace->System().StartProgram(tool, L""));

  EXPECT_EQ(workspace->CommandLineOf(tool), L"\"" + tool + L"\"");
}

TEST_P(ProcessesContract, TheNameIsResolvedAsTheSystemResolvesItAndStartedByItsLongName) {
  MakeTool();
  const std::wstring named = At(L"Program Files\\System Tool\\System Information.exe");
  workspace->MakeProgram(named);

  ASSERT_TRUE(workspace->System().StartProgram(
      At(L"Program Files\\Other\\..\\System Tool/msinfo32.exe. "), L""));
  ASSERT_TRUE(workspace->System().StartProgram(workspace->ShortNameOf(named), L"/x"));

  EXPECT_EQ(workspace->CommandLineOf(tool), L"\"" + tool + L"\"");
  EXPECT_EQ(workspace->CommandLineOf(named), L"\"" + named + L"\" /x");
}

TEST_P(ProcessesContract, AProgramBeyondMaxPathRunsWhereTheSystemCanStartOne) {
  // Long enough to overrun what Wine makes of an ordinary name.
  std::wstring folder = At(L"Program Files");
  workspace->MakeFolder(folder);
  while (folder.size() < 1100) {
    folder += L"\\" + std::wstring(120, L'f');
    workspace->MakeFolder(folder);
  }
  const std::wstring program = folder + L"\\msinfo32.exe";
  workspace->MakeProgram(program);

  const bool started = workspace->System().StartProgram(program, L"");

  if (workspace->StartsFromLongPaths()) {
    ASSERT_TRUE(started);
    EXPECT_EQ(workspace->CommandLineOf(program), L"\"" + program + L"\"");
  } else {
    EXPECT_FALSE(started);
    EXPECT_FALSE(workspace->HasRun(program));
  }
}

struct FailedStart {
  const char* name;
  std::wstring program;  // below the workspace's folder, unless `asGiven`
  std::wstring arguments;
  bool asGiven = false;
};

TEST_P(ProcessesContract, StartsThatFindNoProgramFileFailAndRunNothing) {
  const std::wstring tools = At(L"Tools");
  workspace->MakeFolder(tools);
  workspace->MakeProgram(tools + L"\\tool.exe");
  workspace->MakeNonProgram(tools + L"\\broken.exe");
  // Files the system would run, but not as a program of their own: a program under another
  // name, and a batch file, which goes to the command interpreter with what follows it.
  workspace->MakeProgram(tools + L"\\tool.com");
  workspace->MakeNonProgram(tools + L"\\tool.bat");
  // A program whose short name ends in ".EXE" though its own does not: a short name keeps
  // the first three letters of the extension.
  workspace->MakeProgram(tools + L"\\tool.exec");
  const std::wstring shortName = workspace->ShortNameOf(tools + L"\\tool.exec");
  workspace->MakeCurrent(tools);
  const FailedStart cases[] = {
      {"missing", L"Tools\\missing.exe", L""},
      {"a folder", L"Tools", L""},
      {"not a program", L"Tools\\broken.exe", L""},
      {"a program named otherwise", L"Tools\\tool.com", L""},
      {"a batch file", L"Tools\\tool.bat", L"& \"" + tools + L"\\tool.exe\""},
      {"the short name of a program named otherwise", shortName, L"", true},
      {"empty", L"", L"", true},
      {"no \".exe\" added", L"Tools\\tool", L""},
      {"a name in the current folder", L"tool.exe", L"", true},
      {"a NUL in the name", std::wstring(L"Tools\\tool.exe\0.txt", 19), L""},
      {"a NUL in the arguments", L"Tools\\tool.exe", std::wstring(L"/a\0/b", 5)},
  };
  for (const FailedStart& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_FALSE(
        workspace->System().StartProgram(c.asGiven ? c.program : At(c.program), c.arguments));
  }
  EXPECT_FALSE(workspace->HasRun(tools + L"\\tool.exe"));
  EXPECT_FALSE(workspace->HasRun(tools + L"\\broken.exe"));
  EXPECT_FALSE(workspace->HasRun(tools + L"\\tool.com"));
}

}  // namespace
}  // namespace melodex::testing
