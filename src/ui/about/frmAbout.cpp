#include "ui/about/frmAbout.h"

#include <array>
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

// What a recorded path names: the program file, and what it is to be given.
struct ProgramAndArguments {
  std::wstring program;
  std::wstring arguments;
};

// The whole path is the program file; a path that starts with a double quote names the file
// in quotes and hands what follows the closing quote on as arguments. Nothing is split at
// blanks: "C:\Program Files\..." is one file, not "C:\Program" and its arguments.
ProgramAndArguments ProgramIn(const std::wstring& path) {
  if (!path.starts_with(L'"')) return {path, L""};
  const std::size_t close = path.find(L'"', 1);
  if (close == std::wstring::npos) return {path.substr(1), L""};
  const std::size_t rest = path.find_first_not_of(L" \t", close + 1);
  return {path.substr(1, close - 1), rest == std::wstring::npos ? L"" : path.substr(rest)};
}

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
      // The program file as recorded, not looked at first: whether it can be started shows
      // when it is started, and when it cannot, the second entry is not asked.
      const ProgramAndArguments recorded = ProgramIn(SysInfoPath);
      started = system.processes.StartProgram(recorded.program, recorded.arguments);
    } else if (GetKeyValue(kHkeyLocalMachine, kSysInfoLocationKey, kSysInfoLocationValue,
                           SysInfoPath) &&
               system.files.FileExists(SysInfoPath + kSysInfoProgram)) {
      started = system.processes.StartProgram(SysInfoPath + kSysInfoProgram, L"");
    }
  } catch (...) {
    // Whatever went wrong, the user hears only that it did not work: `started` is still false.
  }
  if (!started)
    system.dialogs.ShowMessage({.text = L"System Information Is Unavailable At This Time"});
}

}  // namespace melodex
