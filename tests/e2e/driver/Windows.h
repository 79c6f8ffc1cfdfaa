#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "e2e/driver/Waiting.h"

namespace e2e {

// What can be learnt of another program's windows from outside: the window system's own
// queries and the messages every control answers (WM_GETTEXT, BM_GETCHECK, LB_GETTEXT...),
// each with a time limit so that a hung program fails the step instead of the run.

// The text of a window or control as WM_GETTEXT gives it: an edit box's content, a
// button's caption with its "&", a static's text with its line breaks as they are.
std::wstring TextOf(HWND window);
std::wstring ClassOf(HWND window);
DWORD ProcessOf(HWND window);
// One line describing the window for failure messages: class, caption, state.
std::wstring Describe(HWND window);

bool Visible(HWND window);
bool Enabled(HWND window);
RECT ScreenRect(HWND window);
// The client area in screen coordinates.
RECT ClientOnScreen(HWND window);
POINT Centre(const RECT& rect);

// Sends a message and waits at most a few seconds for the answer; throws DriverError
// naming the window when the program does not answer.
LRESULT Ask(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);

// The visible top-level windows of a process, front to back.
std::vector<HWND> TopLevelWindows(DWORD process);
// All of them described, for failure messages.
std::wstring DescribeWindows(DWORD process);
// The visible top-level window of the process whose caption is exactly `caption`, or null.
HWND FindWindowByCaption(DWORD process, const std::wstring& caption);
// The same, waiting for it to show; throws DriverError naming what was there instead.
HWND WaitForWindow(DWORD process, const std::wstring& caption);
// Waits until no visible window of the process has that caption.
void WaitForWindowToGo(DWORD process, const std::wstring& caption);
// Waits until `window` is gone or hidden.
void WaitForHidden(HWND window, const std::wstring& what);

// The direct child windows of `parent`, in the order of the window list (the tab order of
// a dialog).
std::vector<HWND> Children(HWND parent);
// The child whose caption is exactly `caption` (and whose class is `className` unless that
// is empty); throws DriverError listing the children when there is none.
HWND ChildByCaption(HWND parent, const std::wstring& caption, const std::wstring& className = L"");
// The child control standing at a point of the parent's client area given in twips (the
// unit the program's layout is drawn in), converted at the window's DPI; throws DriverError
// when none stands there.
HWND ChildAtTwips(HWND parent, int left, int top, const std::wstring& className = L"");
// The visible children of one class, left to right and top to bottom.
std::vector<HWND> ChildrenOfClass(HWND parent, const std::wstring& className);

UINT DpiOf(HWND window);
int TwipsToPixels(int twips, UINT dpi);

// Check boxes and option buttons.
bool Checked(HWND button);

// List boxes and combo boxes: their entries' texts, the selected entry (-1: none).
std::vector<std::wstring> ListEntries(HWND list);
int ListSelection(HWND list);
// The screen rectangle of a list box entry; throws DriverError when it is scrolled out of
// sight.
RECT ListEntryRect(HWND list, int index);

// The window with the keyboard focus in a thread of another program, or else its active
// window; null when none of its windows is active (the keys would go to another program).
HWND FocusOf(DWORD thread);
HWND ActiveOf(DWORD thread);
// Whether the thread is inside a menu (a menu bar or drop-down menu is being worked).
bool InMenu(DWORD thread);

// The window of its program that stands in front of `window` and covers it, as the window
// system orders them; null when `window` is in front of all the others (or hidden). Its own
// boxes and other windows it owns stand in front of it by rule, and so do a drop-down menu
// and a dropped-down list, which are gone with the next click: none of them count.
HWND InFrontOf(HWND window);
bool InFront(HWND window);
// For a window that a person has just brought forward: waits `grace` for it to come to the
// front, and raises it (activating nothing) when it has not by then, as a window manager
// does for the window it has given the focus. Under Wine's virtual desktop a window becomes
// active a few milliseconds before it comes to the front, one whose caption was clicked may
// come forward only after the program has taken the click, and one clicked right after
// another window opened may stay behind. Returns whether it raised the window: a repair.
bool RaiseIfBehind(HWND window, Milliseconds grace);

// The driver's repairs of the screen. A repair hides what the program left on the screen,
// so what stood in front before the first one is kept, for the scenarios that check which
// window the program brought forward.
// How many windows RaiseIfBehind has raised since the driver started.
int RepairsMade();
// A key or a click goes to the program now: what the driver repairs from here on is the
// outcome of this input.
void NoteInput();
// The window that stood in front of the one the driver first raised since the last input;
// null when the driver has raised nothing since.
HWND CoverBeforeRepair();

// Waits until the program's thread has handled every message posted to it so far. Posted
// messages are handled in the order they were posted, and a message sent from another
// program jumps that queue, so a round trip proves nothing; instead a change is posted to
// `edit`, an edit box of the program, that nothing in the program looks at (its text limit,
// toggled between two values of a couple of billion characters), and the driver waits
// until the edit box reports it.
void Drain(HWND edit);
// Whether the program's thread gets round to such a change posted now within `timeout`:
// false while it is held up, as in a call that waits for another program (a thread waiting
// for the answer to a message it sent still answers messages sent to it, but takes nothing
// posted). Ask again until it is true before the next Drain: a change given up on is still
// taken later, and Drain could mistake it for its own.
bool TakesPostedMessages(HWND edit, Milliseconds timeout);

}  // namespace e2e
