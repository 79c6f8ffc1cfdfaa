#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "e2e/Melodex.h"

namespace e2e {

// A scenario: a folder of its own (C:\e2e\<suite>.<test>, emptied first) and Melodex
// started there. A failed scenario leaves a screenshot of the whole screen behind. How often
// the driver raised a window that Wine left behind is added to e2e-repairs.txt in the build
// folder, a line per scenario.
class Scenario : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Starts (again) the program under test, or another copy of it.
  void Start(const std::wstring& exe = MelodexExe());
  Melodex& App() { return *app_; }
  const std::wstring& Folder() const { return folder_; }
  // A path inside the scenario's folder.
  std::wstring In(const std::wstring& name) const { return folder_ + L"\\" + name; }
  // Makes a folder inside the scenario's folder holding empty files of these names.
  std::wstring MakeMusic(const std::wstring& name, const std::vector<std::wstring>& files) const;

 private:
  std::wstring folder_;
  std::unique_ptr<Melodex> app_;
  int repairsBefore_ = 0;  // the driver's repairs of the screen before the scenario began
};

}  // namespace e2e
