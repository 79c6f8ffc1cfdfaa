#pragma once

#include <windows.h>

#include <string>

namespace melodex::win32 {

// Gives a control the name a screen reader announces, where the window system's own is wrong
// or missing: Windows names an edit or a list after the static text before it in the window
// order, and a control labelled by a button beside it gets no name or another control's.
//
// The control answers a reader's WM_GETOBJECT for its client area with the system's standard
// accessible object under the name `name` holds at that moment; role, state, value, children
// and everything else stay the standard object's. An empty name, or a reader's request that
// cannot be answered so, leaves the control to the system as before. `name` is read whenever
// a reader asks: it must outlive the control's window.
void NameForScreenReaders(HWND control, const std::wstring& name);

}  // namespace melodex::win32
