#pragma once

#include "platform/Dialogs.h"
#include "platform/FileSystem.h"
#include "platform/HelpSystem.h"
#include "platform/Processes.h"
#include "platform/Registry.h"

namespace melodex {

// Everything the program needs from the operating system, apart from its windows.
struct Platform {
  FileSystem& files;
  Dialogs& dialogs;
  HelpSystem& help;
  Registry& registry;
  Processes& processes;
};

}  // namespace melodex
