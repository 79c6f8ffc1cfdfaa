#pragma once

#include <gtest/gtest.h>

#include "platform/Platform.h"
#include "platform/memory/InMemoryFileSystem.h"
#include "platform/memory/InMemoryProcesses.h"
#include "platform/memory/InMemoryRegistry.h"
#include "platform/memory/MemoryHelpSystem.h"
#include "platform/memory/ScriptedDialogs.h"
#include "ui/App.h"
#include "ui/main/Form1.h"
#include "ui/memory/MemoryBackend.h"

namespace melodex::testing {

// The whole program on the in-memory platform, started with its main window showing.
class AppFixture : public ::testing::Test {
 protected:
  AppFixture() { app.Start(); }

  Form1& Main() { return app.MainForm(); }

  InMemoryFileSystem files;
  ScriptedDialogs dialogs;
  MemoryHelpSystem help;
  InMemoryRegistry registry;
  InMemoryProcesses processes{files};
  Platform platform{files, dialogs, help, registry, processes};
  MemoryBackend windows;
  App app{windows, platform};
};

}  // namespace melodex::testing
