#pragma once

#include <windows.h>

#include <string>

namespace e2e {

// What a screen reader learns of a control of another program: the accessible object of its
// client area, as AccessibleObjectFromWindow gives it (the program's own answer to
// WM_GETOBJECT, or else the system's standard object), asked for the control itself.
struct AccessibleSeen {
  std::wstring name;
  long role = 0;  // ROLE_SYSTEM_..., 0 when none is stated
  std::wstring value;
};
// Throws DriverError when the control has no accessible object.
AccessibleSeen ReadAccessible(HWND control);

// The role the system's standard object states for the control, made in this process: what
// a control of its kind states when the program adds nothing.
long StandardRole(HWND control);

}  // namespace e2e
