#include "ui/about/frmAbout.h"

#include <array>
#include <exception>
#include <span>

#include "platform/Platform.h"
#include "ui/App.h"
#include "ui/about/HiddenMessages.h"
#include "ui/about/RegistryValueText.h"

namespace melodex {
namespace {

// Where the System Information tool is recorded: its program file, or else its folder.
constexpr wchar_t kSysInfoKey[] = L"SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
constexpr wchar_t kSysInfoValue[] = L"PATH";
constexpr wchar_t kSysInfoLocationKey[] = L"SOFTWARE\\Microsoft\\Shared Tools Location";
constexpr wchar_t kSysInfoLocationValue[] = L"MSINFO";
constexpr wchar_t kSysInfoProgram[] = L"\\MSINFO32.EXE";

constexpr std::size_t kValueBufferSize = 1024;

}  // namespace

frmAbout::frmAbout(ui::Backend& backend, App& app)
    : ui::Form(
          backend, "frmAbout",
          {.caption = L"About", .clientWidth = 5730, .clientHeight = 6990, .showInTaskbar = false}),
      app_(app) {
  SetCancelButton(cmdOK);
  cmdOK.Click = [this] { cmdOK_Click(); };
  cmdSysInfo.Click = [this] { cmdSysInfo_Click(); };
  Command5.Click = [this] { Command5_Click(); };
}

void frmAbout::Form_Load() {
  SetOuterHeight(3450);
  SetOuterWidth(5820);
}

void frmAbout::cmdOK_Click() { Unload(); }

void frmAbout::cmdSysInfo_Click() { StartSysInfo(); }

void frmAbout::Command5_Click() {
  ShowHiddenMessage(app_.System().dialogs, 3);
  Command5.SetEnabled(false);
}

bool frmAbout::GetKeyValue(std::int32_t KeyRoot, const std::wstring& KeyName,
                           const std::wstring& SubKeyRef, std::wstring& KeyVal) {
  Registry& registry = app_.System().registry;
  // Reading is all this needs, and all that an ordinary user may do on the machine's keys.
  RegistryKey hKey = 0;
  if (registry.OpenKey(PredefinedKey(KeyRoot), KeyName, kKeyQueryValue, hKey) != kRegistrySuccess) {
    KeyVal.clear();
    return false;
  }

  std::array<std::uint8_t, kValueBufferSize> buffer{};
  std::uint32_t type = kRegNone;
  std::uint32_t size = static_cast<std::uint32_t>(buffer.size());
  const long result = registry.QueryValue(hKey, SubKeyRef, type, buffer, size);
  registry.CloseKey(hKey);
  if (result != kRegistrySuccess || size > buffer.size()) {
    KeyVal.clear();
    return false;
  }

  KeyVal = RegistryValueText(type, std::span(buffer).first(size), KeyVal);
  return true;
}

void frmAbout::StartSysInfo() {
  Platform& system = app_.System();
  bool started = false;
  try {
    std::wstring SysInfoPath;
    if (GetKeyValue(kHkeyLocalMachine, kSysInfoKey, kSysInfoValue, SysInfoPath)) {
      // The program file as recorded; whether it is there shows when it is started.
    } else if (GetKeyValue(kHkeyLocalMachine, kSysInfoLocationKey, kSysInfoLocationValue,
                           SysInfoPath) &&
               system.files.FileExists(SysInfoPath + kSysInfoProgram)) {
      SysInfoPath += kSysInfoProgram;
    } else {
      SysInfoPath.clear();
    }
    if (!SysInfoPath.empty()) {
      // A path with blanks given as a command line would be tried at each blank first
      // ("C:\Program.exe" before "C:\Program Files\..."), so an existing file is started as
      // exactly that file. Anything else may carry arguments and is read as a command line.
      started = system.files.FileExists(SysInfoPath)
                    ? system.processes.StartProgram(SysInfoPath)
                    : system.processes.StartCommandLine(SysInfoPath);
    }
  } catch (const std::exception&) {
    started = false;  // whatever went wrong, the user hears only that it did not work
  }
  if (!started)
    system.dialogs.ShowMessage({.text = L"System Information Is Unavailable At This Time"});
}

}  // namespace melodex
