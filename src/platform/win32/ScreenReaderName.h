#pragma once

#include <windows.h>

#include <unknwn.h>

#include <string_view>

namespace melodex::win32 {

// Gives a control the name a screen reader announces, where the window system's own is wrong
// or missing: Windows names an edit or a list after the static text before it in the window
// order, and a control labelled by a button beside it gets no name or another control's.
//
// The control answers a reader's WM_GETOBJECT for its client area with the system's standard
// accessible object under its name; role, state, value, children and everything else stay
// the standard object's. The control keeps a copy of `name`, with its window: nothing a
// reader reaches points into the caller's objects, and the copy goes with the window.
// Naming the control again replaces its name. An empty name, or a reader's request that
// cannot be answered so, leaves the control to the system as before.
//
// The entry lives in the control's GWLP_USERDATA, which the system's control classes leave
// to the program: a control whose user data holds anything else is left as it is.
void NameForScreenReaders(HWND control, std::wstring_view name);

// What hands a reader the named object: the system's LresultFromObject, or, for a test, a
// stand-in that fails as the system may (null: the system's again).
using ObjectHandOver = LRESULT(WINAPI*)(REFIID, WPARAM, IUnknown*);
void HandObjectsOverThrough(ObjectHandOver handOver);
// Likewise what makes the standard object: the system's CreateStdAccessibleObject.
using StandardObjectMaker = HRESULT(WINAPI*)(HWND, LONG, REFIID, void**);
void MakeStandardObjectsThrough(StandardObjectMaker make);

}  // namespace melodex::win32
