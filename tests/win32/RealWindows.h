#pragma once

#include <windows.h>

#include <oleacc.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "platform/memory/InMemoryFileSystem.h"
#include "platform/memory/InMemoryProcesses.h"
#include "platform/memory/InMemoryRegistry.h"
#include "platform/memory/MemoryHelpSystem.h"
#include "platform/memory/ScriptedDialogs.h"
#include "platform/win32/Win32FileSystem.h"
#include "ui/App.h"
#include "ui/main/Form1.h"
#include "ui/memory/MemoryBackend.h"
#include "ui/win32/Win32Backend.h"

namespace melodex::testing {

// The DPI the test prefix gives the screen.
inline UINT ExpectedDpi() {
  const char* dpi = std::getenv("MELODEX_EXPECT_DPI");
  return dpi ? static_cast<UINT>(std::atoi(dpi)) : 96;
}

// The height, in pixels at 96 dpi, the test prefix gives the system's message font; 0 where it
// leaves Wine's own.
inline int ExpectedMessageFont() {
  const char* height = std::getenv("MELODEX_EXPECT_MESSAGE_FONT");
  return height ? std::atoi(height) : 0;
}

inline int Px(int twips, UINT dpi) { return MulDiv(twips, static_cast<int>(dpi), 1440); }

inline std::wstring TextOf(HWND window) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(
      static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return text;
}

// How a reader asks for a name: as readers do; as a script does, through IDispatch, without
// or with the control itself as the argument, or with the argument left out as a script
// leaves out an optional one; for the first part of the control rather than the control
// itself; or of the system's own object.
enum class Asking { Reader, Script, ScriptOfItself, ScriptLeavingOut, FirstPart, System };

// The object a reader in this process asks about the control, or null.
inline IAccessible* ReaderObject(HWND control, Asking asking) {
  constexpr IID kAccessibleId = {// spelt out: oleacc's import library has no such GUID
                                 0x618736e0,
                                 0x3c3d,
                                 0x11cf,
                                 {0x81, 0x0c, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71}};
  IAccessible* object = nullptr;
  const auto client = static_cast<LONG>(OBJID_CLIENT);
  void** made = reinterpret_cast<void**>(&object);
  if (FAILED(asking == Asking::System
                 ? CreateStdAccessibleObject(control, client, kAccessibleId, made)
                 : AccessibleObjectFromWindow(control, static_cast<DWORD>(client), kAccessibleId,
                                              made))) {
    return nullptr;
  }
  return object;
}

// The state a reader hears for the control, or -1 when it hears none.
inline LONG ReaderState(HWND control, Asking asking = Asking::Reader) {
  IAccessible* object = ReaderObject(control, asking);
  if (!object) return -1;
  VARIANT self{}, state{};
  self.vt = VT_I4;
  self.lVal = CHILDID_SELF;
  const bool told = SUCCEEDED(object->get_accState(self, &state)) && state.vt == VT_I4;
  object->Release();
  return told ? state.lVal : -1;
}

// The name a reader in this process hears for the control.
inline std::wstring ReaderName(HWND control, Asking asking = Asking::Reader) {
  IAccessible* object = ReaderObject(control, asking);
  if (!object) return L"<no object>";
  VARIANT self{};
  self.vt = VT_I4;
  self.lVal = asking == Asking::FirstPart ? 1 : CHILDID_SELF;
  BSTR name = nullptr;
  bool named = false;
  if (asking == Asking::ScriptLeavingOut) {
    self.vt = VT_ERROR;
    self.scode = DISP_E_PARAMNOTFOUND;
  }
  if (asking == Asking::Script || asking == Asking::ScriptOfItself ||
      asking == Asking::ScriptLeavingOut) {
    DISPPARAMS arguments{};
    if (asking != Asking::Script) {
      arguments.rgvarg = &self;
      arguments.cArgs = 1;
    }
    VARIANT result{};
    named = SUCCEEDED(object->Invoke(DISPID_ACC_NAME, IID_NULL, 0, DISPATCH_PROPERTYGET, &arguments,
                                     &result, nullptr, nullptr)) &&
            result.vt == VT_BSTR;
    name = named ? result.bstrVal : nullptr;
  } else {
    named = SUCCEEDED(object->get_accName(self, &name)) && name;
  }
  object->Release();
  const std::wstring text = named ? std::wstring(name, SysStringLen(name)) : L"<no name>";
  SysFreeString(name);
  return text;
}

// The program with real windows and the real file system; message and input boxes are
// scripted, so that what they say can be checked and no test waits for a person.
class RealWindows : public ::testing::Test {
 protected:
  void SetUp() override {
    app.Start();
    windows.PumpPending();
    main = windows.WindowOf(Main());
    ASSERT_NE(main, nullptr);
  }
  void TearDown() override {
    if (!windows.Ended()) app.End();
    // Ending posts the quit message; the next test must not find it.
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    }
  }

  Form1& Main() { return app.MainForm(); }
  HWND Real(const ui::Form& form) { return windows.WindowOf(form); }
  HWND Real(const ui::Control& control) { return windows.WindowOf(control); }

  // A key press as the keyboard delivers it: to the window with the focus, through the
  // program's message loop.
  void Key(UINT key) {
    const HWND target = GetFocus() ? GetFocus() : main;
    PostMessageW(target, WM_KEYDOWN, key, 1);
    PostMessageW(target, WM_KEYUP, key, 1 | (1u << 30) | (1u << 31));
    windows.PumpPending();
  }
  void AltKey(wchar_t letter) {
    PostMessageW(GetFocus() ? GetFocus() : main, WM_SYSCHAR, letter, 1 | (1 << 29));
    windows.PumpPending();
  }
  void Type(const std::wstring& text) {
    for (const wchar_t c : text) PostMessageW(GetFocus(), WM_CHAR, c, 1);
    windows.PumpPending();
  }
  void Focus(const ui::Control& control) {
    SetForegroundWindow(GetAncestor(Real(control), GA_ROOT));
    SetFocus(Real(control));
    windows.PumpPending();
  }
  void Click(const ui::Control& control) {
    SendMessageW(Real(control), BM_CLICK, 0, 0);
    windows.PumpPending();
  }
  // The control of `form` that has the keyboard focus, or null.
  const ui::Control* FocusedIn(const ui::Form& form) {
    for (const ui::Control* control : form.Controls()) {
      if (Real(*control) && Real(*control) == GetFocus()) return control;
    }
    return nullptr;
  }
  // Where a control stands in its window's client area, in pixels.
  RECT PlaceOf(const ui::Control& control) {
    RECT r;
    GetWindowRect(Real(control), &r);
    MapWindowPoints(HWND_DESKTOP, GetParent(Real(control)), reinterpret_cast<POINT*>(&r), 2);
    return r;
  }

  win32::Win32FileSystem files;
  ScriptedDialogs dialogs;
  MemoryHelpSystem help;
  InMemoryRegistry registry;
  InMemoryFileSystem programFiles;  // where the in-memory process starter finds programs
  InMemoryProcesses processes{programFiles};
  Platform platform{files, dialogs, help, registry, processes};
  win32::Win32Backend windows{GetModuleHandleW(nullptr)};
  App app{windows, platform};
  HWND main = nullptr;
};

}  // namespace melodex::testing
