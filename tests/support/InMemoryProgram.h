#pragma once

#include <gtest/gtest.h>

#include "platform/Platform.h"
#include "platform/memory/InMemoryFileSystem.h"
#include "platform/memory/InMemoryProcesses.h"
#include "platform/memory/InMemoryRegistry.h"
#include "platform/memory/MemoryHelpSystem.h"
#include "platform/memory/ScriptedDialogs.h"
#include "ui/App.h"
#include "ui/about/frmAbout.h"
#include "ui/main/Form1.h"
#include "ui/memory/MemoryBackend.h"

namespace melodex::testing {

// The whole program on the in-memory platform, started: the main window is up.
struct InMemoryProgram {
  InMemoryProgram() { app.Start(); }

  Form1& Main() { return app.MainForm(); }

  // Chooses Help > About in the main window and returns the about box that is up then.
  frmAbout& OpenAbout() {
    Main().About.Press();
    return app.AboutBox();
  }

  InMemoryFileSystem files;
  ScriptedDialogs dialogs;
  MemoryHelpSystem help;
  InMemoryRegistry registry;
  InMemoryProcesses processes{files};
  Platform platform{files, dialogs, help, registry, processes};
  MemoryBackend windows;
  App app{windows, platform};
};

// A test of the whole program on the in-memory platform.
class ProgramTest : public ::testing::Test, protected InMemoryProgram {};

}  // namespace melodex::testing
