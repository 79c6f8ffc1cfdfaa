// What every Processes must do, run against each implementation: the in-memory one has to
// find programs the way Windows finds them, blanks and all.
#include "contract/ProcessesContract.h"

namespace melodex::testing {

std::string ProcessWorkspaceName(const ::testing::TestParamInfo<ProcessWorkspaceMaker>& info) {
  return info.param.name;
}

namespace {

TEST_P(ProcessesContract, StartProgramRunsExactlyTheNamedFile) {
  MakeTool();
  PlantDecoy();

  ASSERT_TRUE(workspace->System().StartProgram(tool));

  EXPECT_EQ(workspace->CommandLineOf(tool), L"\"" + tool + L"\"");
  EXPECT_FALSE(workspace->HasRun(decoy));
}

TEST_P(ProcessesContract, AQuotedCommandLineRunsTheQuotedProgramWithItsArguments) {
  MakeTool();
  PlantDecoy();
  const std::wstring line = L"\"" + tool + L"\" /report \"a b\"";

  ASSERT_TRUE(workspace->System().StartCommandLine(line));

  EXPECT_EQ(workspace->CommandLineOf(tool), line);
  EXPECT_FALSE(workspace->HasRun(decoy));
}

// Why a path with blanks must never be started as a bare command line.
TEST_P(ProcessesContract, AnUnquotedCommandLineRunsTheProgramAtTheFirstBlank) {
  MakeTool();
  PlantDecoy();

  ASSERT_TRUE(workspace->System().StartCommandLine(tool));

  EXPECT_EQ(workspace->CommandLineOf(decoy), tool);
  EXPECT_FALSE(workspace->HasRun(tool));
}

TEST_P(ProcessesContract, AnUnquotedCommandLineTriesEachBlankInTurn) {
  MakeTool();
  ASSERT_TRUE(workspace->System().StartCommandLine(tool + L" /report"));

  // Windows hands the line on as it was; Wine quotes the program it found.
  const auto line = workspace->CommandLineOf(tool);
  ASSERT_TRUE(line);
  EXPECT_TRUE(*line == tool + L" /report" || *line == L"\"" + tool + L"\" /report") << *line;
}

TEST_P(ProcessesContract, ACommandLineAddsExeToAProgramNamedWithoutExtension) {
  MakeTool();
  const std::wstring line = L"\"" + At(L"Program Files\\System Tool\\msinfo32") + L"\"";

  ASSERT_TRUE(workspace->System().StartCommandLine(line));

  EXPECT_EQ(workspace->CommandLineOf(tool), line);
}

TEST_P(ProcessesContract, StartsThatFindNoProgramFail) {
  workspace->MakeFolder(At(L"Tools"));
  workspace->MakeNonProgram(At(L"Tools\\broken.exe"));

  EXPECT_FALSE(workspace->System().StartProgram(At(L"Tools\\missing.exe")));
  EXPECT_FALSE(workspace->System().StartProgram(At(L"Tools")));
  EXPECT_FALSE(workspace->System().StartProgram(At(L"Tools\\broken.exe")));
  EXPECT_FALSE(workspace->System().StartProgram(L""));
  EXPECT_FALSE(workspace->System().StartCommandLine(At(L"Tools\\missing.exe /x")));
  EXPECT_FALSE(workspace->System().StartCommandLine(L"\"" + At(L"Tools\\broken.exe") + L"\""));
  EXPECT_FALSE(workspace->System().StartCommandLine(L""));
  EXPECT_FALSE(workspace->HasRun(At(L"Tools\\broken.exe")));
}

}  // namespace
}  // namespace melodex::testing
