#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "e2e/driver/Boxes.h"
#include "e2e/driver/Keyboard.h"
#include "e2e/driver/Mouse.h"
#include "e2e/driver/Process.h"
#include "e2e/driver/Waiting.h"

namespace e2e {

// What a person sees of Melodex: the captions of its windows and where the main window's
// text boxes stand (twips, left and top in the client area), since a text box has no
// caption to find it by.
inline const std::wstring kMainCaption = L"Brixel's Melodex v1.5 \u00df1";
inline const std::wstring kPickerCaption = L"MP3 dir";
inline const std::wstring kColoursCaption = L"Colors";
inline const std::wstring kHelpCaption = L"Help!!!!!!!!!!!!!!!!!!!!!!!!!!";
inline const std::wstring kAboutCaption = L"About";
inline const std::wstring kAppTitle = L"Melodex";

struct Place {
  int left;
  int top;
};
namespace field {
inline constexpr Place kMusicFolder{1320, 120};
inline constexpr Place kBaseUrl{1320, 360};
inline constexpr Place kOutputFolder{1320, 600};
inline constexpr Place kBackColour{1320, 840};
inline constexpr Place kTextColour{1320, 1080};
inline constexpr Place kLinkColour{1320, 1320};
inline constexpr Place kActiveLinkColour{1320, 1560};
inline constexpr Place kVisitedLinkColour{1320, 1800};
inline constexpr Place kTitleColour{1320, 2040};
inline constexpr Place kTitle{2400, 1200};
inline constexpr Place kHandOver{120, 2520};
}  // namespace field

// A running Melodex and the person using it: the steps of the scenarios.
class Melodex {
 public:
  // Starts the program in `folder` and waits for its main window.
  Melodex(const std::wstring& exe, const std::wstring& folder);

  Process& Program() { return *process_; }
  DWORD Id() const { return process_->Id(); }
  const Keyboard& Keys() const { return keyboard_; }
  const Mouse& Pointer() const { return mouse_; }
  HWND Main() const { return main_; }
  // Lets the program handle what was posted to it, and what it posted itself on the way
  // (see Drain in driver/Windows.h), and waits for the screen to show the outcome: a box
  // the program disabled its windows for shows, and its active window stands in front.
  void Settle() const;
  // Whether the program takes what is posted to it within `within`; false while it waits for
  // another program (see TakesPostedMessages in driver/Windows.h).
  bool TakesMessages(Milliseconds within) const;
  // The window the program left in front of its others after the last key or click, as
  // it stood before the driver raised any window: the active window, which Settle has seen
  // in front, or else the one that stood in front of a window the driver had to raise. A
  // program that activates a window without bringing it forward fails a check of this.
  HWND FrontAsLeft() const;
  std::wstring Windows() const;  // what is on the screen, for failure messages

  // --- Windows and controls ---
  // Waits for the window to show and the program to be done showing it.
  HWND Window(const std::wstring& caption) const;
  // Waits for a window of the program to close and the program to be done with what follows:
  // another window activated and in front.
  void WaitForHidden(HWND window, const std::wstring& what) const;
  HWND Control(HWND window, const std::wstring& caption) const;
  HWND Field(Place place) const;  // a text box of the main window
  std::wstring Text(Place place) const;
  HWND Focused() const;  // the control with the keyboard focus; throws when there is none

  // --- The mouse ---
  void Click(HWND control) const;
  void Click(HWND window, const std::wstring& caption) const;
  void ClickMain(const std::wstring& caption) const { Click(main_, caption); }
  // Brings a window to the front with a click on its caption bar (through the taskbar when
  // other windows hide it), and returns once it is active and stands in front of the
  // program's other windows.
  void Activate(HWND window) const;
  // Clicks into a text box of the main window, takes out its text with Backspace and types
  // `text`.
  void Retype(Place place, const std::wstring& text) const;

  // --- The keyboard ---
  void Press(UINT key) const;
  void Alt(wchar_t letter) const;
  void Type(const std::wstring& text) const;
  // A menu by the keyboard: Alt and the menu's letter, then the item's letter.
  void Menu(wchar_t menu, wchar_t item) const;
  // Tab until a control with that caption has the focus; returns how many presses it took.
  int TabTo(const std::wstring& caption, int most = 40) const;

  // --- Boxes ---
  // Waits for a message or input box and the program to be done showing it.
  HWND Box(const std::wstring& title) const;
  MessageBoxSeen SeeMessageBox(const std::wstring& title) const;
  // Clicks a button of the box and waits for the box to go.
  void Answer(HWND box, const std::wstring& button) const;
  // Reads the box titled `title`, answers it with `button` and returns what it showed.
  MessageBoxSeen AnswerMessageBox(const std::wstring& title, const std::wstring& button) const;
  // Types `text` into the input box titled `title` and presses Enter (or Esc to cancel).
  InputBoxSeen AnswerInputBox(const std::wstring& title, const std::wstring& text,
                              bool cancel = false) const;
  // Asserts that no box is open after the program has settled.
  void ExpectNoBox() const;

  // --- The folder picker ---
  // Double-clicks the entry of the picker's folder list that reads `entry`, after the
  // entries of the current path, and waits for the list to show that folder open.
  void OpenFolder(HWND picker, const std::wstring& entry) const;
  // Drops the drive list down and clicks the drive whose entry begins with `drive` ("c:").
  void PickDrive(HWND picker, const std::wstring& drive) const;
  HWND FolderList(HWND picker) const;
  HWND DriveList(HWND picker) const;
  // The folder the list shows open, as its entries spell the path. Read from the selection,
  // which marks the current folder after each change of folder (a single click moves it).
  std::wstring ShownPath(HWND picker) const;

  // --- The hidden place on the menu bar ---
  // Clicks the blank menu-bar place right of "&Help" as a person looking for it would: a
  // little right of the word "Help" first, then a little further, until the hidden message
  // shows. Returns the point that showed it. Throws DriverError when none does.
  POINT ClickSecretPlace() const;

  // Saves a screenshot of the window into the build folder's screenshots.
  void Snapshot(HWND window, const std::wstring& name) const;

 private:
  // What the screen does not show yet of the program's state, or nothing.
  std::wstring Unsettled() const;

  std::unique_ptr<Process> process_;
  Keyboard keyboard_;
  Mouse mouse_;
  HWND main_ = nullptr;
  HWND handOver_ = nullptr;  // the hidden hand-over field, which Settle posts its marker to
};

// Where the program under test is, and where the scenarios keep their files.
std::wstring MelodexExe();
std::wstring WorkFolderFor(const std::wstring& scenario);

}  // namespace e2e
