// Melodex: makes one web page that lists a folder of MP3 files.
#include <windows.h>

#include "platform/Platform.h"
#include "platform/win32/Win32Backend.h"
#include "platform/win32/Win32Dialogs.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32HelpSystem.h"
#include "platform/win32/Win32Processes.h"
#include "platform/win32/Win32Registry.h"
#include "ui/App.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  // A drive without a medium must fail quietly, not ask the user to insert a disk.
  SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);

  melodex::win32::Win32FileSystem files;
  melodex::win32::Win32Dialogs dialogs;
  melodex::win32::Win32HelpSystem help;
  melodex::win32::Win32Registry registry;
  melodex::win32::Win32Processes processes;
  melodex::Platform platform{files, dialogs, help, registry, processes};
  melodex::win32::Win32Backend windows(instance);
  melodex::App app(windows, platform);
  dialogs.SetHelpHandler(
      [&app](const std::wstring& helpFile, unsigned context) { app.ShowHelp(helpFile, context); });

  app.Start();
  return windows.Run();
}
