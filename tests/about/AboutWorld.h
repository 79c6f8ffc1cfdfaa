#pragma once

#include <memory>
#include <string>
#include <vector>

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

// Windows in memory that also write down every change of a window's outer size, with the
// size as it stood right after the change.
class SizeRecordingBackend : public ui::Backend {
 public:
  struct OuterSize {
    std::string form;
    int width;
    int height;
    bool operator==(const OuterSize&) const = default;
  };

  std::unique_ptr<ui::WindowPeer> Realize(ui::Form& form) override;
  void EndProgram() override { memory.EndProgram(); }

  MemoryBackend memory;
  std::vector<OuterSize> sizes;

 private:
  class Peer;
};

// The whole program on the in-memory platform, started: the main window is up.
struct AboutWorld {
  AboutWorld() { app.Start(); }

  // Chooses Help > About in the main window and returns the about box that is up then.
  frmAbout& OpenAbout() {
    app.MainForm().About.Press();
    return app.AboutBox();
  }

  InMemoryFileSystem files;
  ScriptedDialogs dialogs;
  MemoryHelpSystem help;
  InMemoryRegistry registry;
  InMemoryProcesses processes{files};
  SizeRecordingBackend windows;
  Platform platform{files, dialogs, help, registry, processes};
  App app{windows, platform};
};

// A program file, with the folders it needs.
inline void AddProgram(InMemoryFileSystem& files, const std::wstring& path,
                       unsigned attributes = InMemoryFileSystem::kNormal) {
  const std::wstring folder = path.substr(0, path.find_last_of(L'\\'));
  if (!folder.ends_with(L':')) files.AddFolder(folder);
  files.AddFile(path, "MZ", attributes);
}

// Where the launcher looks, as the system's installers write it.
inline constexpr wchar_t kMsinfoKey[] = L"SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
inline constexpr wchar_t kMsinfoValue[] = L"PATH";
inline constexpr wchar_t kLocationKey[] = L"SOFTWARE\\Microsoft\\Shared Tools Location";
inline constexpr wchar_t kLocationValue[] = L"MSINFO";

inline constexpr wchar_t kUnavailable[] = L"System Information Is Unavailable At This Time";

}  // namespace melodex::testing
