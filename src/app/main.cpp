// Melodex: makes one web page that lists a folder of MP3 files.
#include <windows.h>

#include <string>

#include "Melodex.h"
#include "platform/Error.h"
#include "platform/Platform.h"
#include "platform/win32/Win32Dialogs.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32HelpSystem.h"
#include "platform/win32/Win32Processes.h"
#include "platform/win32/Win32Registry.h"
#include "ui/App.h"
#include "ui/win32/Win32Backend.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  // A drive without a medium must fail quietly, not ask the user to insert a disk.
  SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);

  melodex::win32::Win32FileSystem files;
  melodex::win32::Win32Dialogs dialogs(melodex::kAppTitle);
  melodex::win32::Win32HelpSystem help;
  melodex::win32::Win32Registry registry;
  melodex::win32::Win32Processes processes;
  melodex::Platform platform{files, dialogs, help, registry, processes};
  melodex::win32::Win32Backend windows(instance);
  melodex::App app(windows, platform);
  dialogs.SetHelpHandler(
      [&app](const std::wstring& helpFile, unsigned context) { app.ShowHelp(helpFile, context); });

  // Without a desktop to show its window on, there is nothing the program can do.
  const auto cannotStart = [](const std::wstring& why) {
    const std::wstring text = L"Melodex cannot start" + why + L".";
    MessageBoxW(nullptr, text.c_str(), melodex::kAppTitle, MB_OK | MB_ICONHAND);
    return 1;
  };
  try {
    app.Start();
  } catch (const melodex::Error& error) {
    return cannotStart(L": " + error.What());
  } catch (...) {
    return cannotStart(L"");
  }
  return windows.Run();
}
