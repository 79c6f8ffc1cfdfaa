// The floor for the start-up benchmark: a plain Win32 program that shows a window. With
// "--like-melodex" it makes the controls and menu of Melodex's main window too, directly
// with the Win32 API, so that what is left between the two is the cost of Melodex's own
// layers; without it, a window with one button. Like Melodex it carries a manifest that asks
// for common controls 6 (visual styles) and per-monitor DPI awareness (bare_window.rc), and
// registers the standard control classes of common controls 6 before it makes a window.
#include <windows.h>

#include <commctrl.h>

#include <cwchar>

namespace {

LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_CLOSE) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

void Child(HWND parent, const wchar_t* type, const wchar_t* text, DWORD style, int x, int y, int w,
           int h) {
  const HWND child = CreateWindowExW(std::wcscmp(type, L"EDIT") == 0 ? WS_EX_CLIENTEDGE : 0, type,
                                     text, WS_CHILD | WS_VISIBLE | WS_TABSTOP | style, x, y, w, h,
                                     parent, nullptr, nullptr, nullptr);
  SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), 0);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR commandLine, int) {
  const bool likeMelodex = std::wcsstr(commandLine, L"--like-melodex") != nullptr;
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  WNDCLASSW type{};
  type.lpfnWndProc = Procedure;
  type.hInstance = instance;
  type.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
  type.lpszClassName = L"BareWindow";
  RegisterClassW(&type);
  const HMENU menu = CreateMenu();
  AppendMenuW(menu, MF_STRING, 1, L"&File");
  if (likeMelodex) {
    AppendMenuW(menu, MF_STRING, 2, L"&Help");
    AppendMenuW(menu, MF_STRING, 3, L"");
    AppendMenuW(menu, MF_STRING, 4, L" ");
  }
  const HWND window =
      CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_APPWINDOW, L"BareWindow", L"Bare window",
                      WS_POPUP | WS_CAPTION | WS_SYSMENU, CW_USEDEFAULT, CW_USEDEFAULT, 306, 204,
                      nullptr, menu, instance, nullptr);
  if (likeMelodex) {
    for (int row = 0; row < 9; ++row) {
      Child(window, L"BUTTON", L"&Button", BS_PUSHBUTTON, 0, 8 + 16 * row, 89, 17);
      Child(window, L"EDIT", L"#FFFFFF", ES_AUTOHSCROLL, 88, 8 + 16 * row, row < 3 ? 201 : 57, 19);
    }
    Child(window, L"STATIC", L"Page Title:", SS_LEFT, 160, 64, 129, 17);
    Child(window, L"EDIT", L"", ES_AUTOHSCROLL, 160, 80, 129, 19);
    Child(window, L"BUTTON", L"List Centered", BS_CHECKBOX, 160, 96, 129, 17);
    Child(window, L"BUTTON", L"&Go", BS_PUSHBUTTON | WS_DISABLED, 160, 120, 129, 17);
    Child(window, L"BUTTON", L"&Quit", BS_PUSHBUTTON, 160, 136, 129, 17);
    Child(window, L"EDIT", L"Temp text space", WS_DISABLED, 8, 168, 145, 19);
    Child(window, L"BUTTON", L"Command10", BS_DEFPUSHBUTTON, 208, 200, 65, 25);
    Child(window, L"BUTTON", L"Command11", BS_PUSHBUTTON, 80, 200, 113, 25);
  } else {
    Child(window, L"BUTTON", L"OK", BS_PUSHBUTTON, 10, 10, 80, 24);
  }
  ShowWindow(window, SW_SHOW);
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return 0;
}
