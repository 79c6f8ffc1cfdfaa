// melodex_snap TITLE OUT.png [SECONDS]: waits for a visible top-level window whose title
// begins with TITLE and saves a screenshot of it. Used to show the main window when Melodex
// runs on a virtual display.
#include <windows.h>

#include <cstdio>
#include <string>

#include "support/Screenshot.h"

namespace {

struct Search {
  std::wstring prefix;
  HWND found = nullptr;
};

BOOL CALLBACK Visit(HWND window, LPARAM parameter) {
  auto* search = reinterpret_cast<Search*>(parameter);
  wchar_t title[256] = L"";
  GetWindowTextW(window, title, 256);
  if (IsWindowVisible(window) && std::wstring(title).starts_with(search->prefix)) {
    search->found = window;
    return FALSE;
  }
  return TRUE;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 3) {
    fwprintf(stderr, L"usage: melodex_snap TITLE OUT.png [SECONDS]\n");
    return 2;
  }
  const int seconds = argc > 3 ? _wtoi(argv[3]) : 30;
  for (int waited = 0; waited < seconds * 10; ++waited) {
    Search search{argv[1]};
    EnumWindows(&Visit, reinterpret_cast<LPARAM>(&search));
    if (search.found) {
      Sleep(500);  // let it finish painting
      return melodex::testing::SaveWindowPng(search.found, argv[2]) ? 0 : 1;
    }
    Sleep(100);
  }
  fwprintf(stderr, L"no window \"%ls\" appeared\n", argv[1]);
  return 1;
}
