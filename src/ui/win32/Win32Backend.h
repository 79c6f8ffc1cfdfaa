#pragma once

#include <windows.h>

#include <vector>

#include "ui/model/Backend.h"
#include "ui/model/Form.h"

namespace melodex::win32 {

class Win32Window;

// Realises forms as real windows and runs the one message loop of the program, with the
// dialog keyboard interface for every window.
class Win32Backend : public ui::Backend {
 public:
  explicit Win32Backend(HINSTANCE instance);
  ~Win32Backend() override;
  Win32Backend(const Win32Backend&) = delete;
  Win32Backend& operator=(const Win32Backend&) = delete;

  std::unique_ptr<ui::WindowPeer> Realize(ui::Form& form) override;
  void EndProgram() override;

  // Runs the message loop until the program ends.
  int Run();
  // Handles every message waiting now, as Run would, and returns.
  void PumpPending();

  bool Ended() const { return ended_; }
  HWND WindowOf(const ui::Form& form) const;
  HWND WindowOf(const ui::Control& control) const;

  // --- For the windows ---
  HINSTANCE Instance() const { return instance_; }
  // The owner of the windows that have no taskbar button of their own.
  HWND HiddenOwner();
  void Add(Win32Window& window) { windows_.push_back(&window); }
  void Remove(Win32Window& window) { std::erase(windows_, &window); }

 private:
  // The program's own keyboard handling for a message of one of its windows: access keys go
  // to the model, the rest of the dialog keys to IsDialogMessage. True when handled.
  bool PreTranslate(MSG& message);
  void Dispatch(MSG& message);
  Win32Window* FindWindowFor(HWND window) const;

  HINSTANCE instance_;
  HWND hiddenOwner_ = nullptr;
  std::vector<Win32Window*> windows_;
  bool ended_ = false;
};

}  // namespace melodex::win32
