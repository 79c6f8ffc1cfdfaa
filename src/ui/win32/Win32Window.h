#pragma once

#include <windows.h>

#include <map>
#include <memory>
#include <vector>

#include "ui/model/Backend.h"
#include "ui/model/Form.h"

namespace melodex::win32 {

class ControlPeer;
class Win32Backend;

// The real window of one form, built in code (not from a dialog template) and sized in pixels
// from the form's twips at the window's DPI. Each control has a peer; what a child reports
// goes to its peer.
class Win32Window : public ui::WindowPeer {
 public:
  // The window class of every form; registered once, before the first window.
  static void RegisterClass(HINSTANCE instance);

  Win32Window(Win32Backend& backend, ui::Form& form);
  ~Win32Window() override;
  Win32Window(const Win32Window&) = delete;
  Win32Window& operator=(const Win32Window&) = delete;

  void Show() override;
  void Hide() override { ShowWindow(window_, SW_HIDE); }
  void CaptionChanged() override { SetWindowTextW(window_, form_.Caption().c_str()); }
  void ControlChanged(const ui::Control& control) override;
  void MenuChanged(const ui::MenuItem& item) override;
  void FocusChanged(const ui::Control& control) override;
  void OuterSizeChanged() override;

  HWND Handle() const { return window_; }
  ui::Form& Form() const { return form_; }
  HWND HandleOf(const ui::Control& control) const;
  ui::Control* ControlAt(HWND child) const;

  // Tells the model which control has the focus, and gives the button that Enter would
  // press the look of the default button.
  void SyncFocus();

  // --- For the peers ---
  HINSTANCE Instance() const;
  UINT Dpi() const { return dpi_; }
  HFONT DefaultFont() const { return defaultFont_; }
  COLORREF Background() const;
  HBRUSH Brush(COLORREF color);
  // Sets the colours a child draws its text in and returns its background brush.
  HBRUSH SetColors(HDC dc, COLORREF fore, COLORREF back);

  // While a peer brings its child in line with the model, what the child reports is not
  // the user's doing.
  class Quiet {
   public:
    explicit Quiet(Win32Window& window) : window_(window) { window_.quiet_ = true; }
    ~Quiet() { window_.quiet_ = false; }
    Quiet(const Quiet&) = delete;
    Quiet& operator=(const Quiet&) = delete;

   private:
    Win32Window& window_;
  };
  bool IsQuiet() const { return quiet_; }

 private:
  static constexpr int kFirstControlId = 100;
  static constexpr int kFirstMenuId = 1000;

  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void OnCommand(WPARAM wParam, LPARAM lParam);

  DWORD Style() const;
  DWORD ExStyle() const;
  HMENU CreateMenuBar();
  // The window's size with its frame at the DPI.
  SIZE OuterSize(UINT dpi) const;
  void CreateFonts();
  void CreateChildren();
  // The fonts and the children sized in pixels anew, for a new DPI; the window itself is
  // sized by the caller.
  void Layout();
  HWND OwnedBox() const;
  ControlPeer* PeerWithId(UINT id) const;
  ControlPeer* PeerOf(HWND child) const;

  Win32Backend& backend_;
  ui::Form& form_;
  HWND window_ = nullptr;
  UINT dpi_ = USER_DEFAULT_SCREEN_DPI;
  std::vector<std::unique_ptr<ControlPeer>> peers_;  // in the order of their ids
  std::vector<ui::MenuItem*> menuItems_;
  HFONT defaultFont_ = nullptr;
  std::map<COLORREF, HBRUSH> brushes_;
  bool placed_ = false;
  bool quiet_ = false;
};

}  // namespace melodex::win32
