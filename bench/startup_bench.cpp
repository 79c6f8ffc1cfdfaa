// Start-up benchmark: the time from starting a program to its main window being shown, for
// melodex.exe and for a bare Win32 program, measured in turn in the same run: once showing a
// window with the same controls and menu made directly with the Win32 API (the floor for a
// window like Melodex's), once a window with one button. Prints each median and the ratios.
//
//   startup_bench MELODEX.EXE BARE.EXE [RUNS]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

struct Search {
  DWORD process;
  HWND found = nullptr;
};

BOOL CALLBACK Visit(HWND window, LPARAM parameter) {
  auto* search = reinterpret_cast<Search*>(parameter);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner == search->process && IsWindowVisible(window) && GetWindowTextLengthW(window) > 0) {
    search->found = window;
    return FALSE;
  }
  return TRUE;
}

// Milliseconds from CreateProcess to a visible, captioned top-level window of the new
// process; negative when none appeared within ten seconds.
double TimeToWindow(const std::wstring& program, const wchar_t* arguments = L"") {
  STARTUPINFOW startup{sizeof startup};
  PROCESS_INFORMATION process{};
  std::wstring commandLine = L"\"" + program + L"\" " + arguments;
  LARGE_INTEGER frequency, start, now;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&start);
  if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      nullptr, &startup, &process)) {
    return -1;
  }
  double elapsed = -1;
  for (;;) {
    Search search{process.dwProcessId};
    EnumWindows(&Visit, reinterpret_cast<LPARAM>(&search));
    QueryPerformanceCounter(&now);
    const double ms = 1000.0 * static_cast<double>(now.QuadPart - start.QuadPart) /
                      static_cast<double>(frequency.QuadPart);
    if (search.found) {
      elapsed = ms;
      PostMessageW(search.found, WM_CLOSE, 0, 0);
      break;
    }
    if (ms > 10000) break;
    Sleep(1);
  }
  if (WaitForSingleObject(process.hProcess, 5000) != WAIT_OBJECT_0)
    TerminateProcess(process.hProcess, 1);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return elapsed;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 3) {
    fwprintf(stderr, L"usage: startup_bench MELODEX.EXE BARE.EXE [RUNS]\n");
    return 2;
  }
  const int runs = argc > 3 ? _wtoi(argv[3]) : 15;
  TimeToWindow(argv[1]);  // the first start of each loads what later ones find cached
  TimeToWindow(argv[2]);
  std::vector<double> melodex, same, bare;
  for (int i = 0; i < runs; ++i) {
    const double a = TimeToWindow(argv[1]);
    const double b = TimeToWindow(argv[2], L"--like-melodex");
    const double c = TimeToWindow(argv[2]);
    if (a < 0 || b < 0 || c < 0) {
      fwprintf(stderr, L"a program showed no window\n");
      return 1;
    }
    melodex.push_back(a);
    same.push_back(b);
    bare.push_back(c);
  }
  const double m = Median(melodex), s = Median(same), b = Median(bare);
  wprintf(L"start to main window, median of %d runs under the same conditions:\n", runs);
  wprintf(L"  melodex.exe                           %8.1f ms\n", m);
  wprintf(L"  bare Win32, the same controls and menu %7.1f ms   ratio %.2f (goal: at most 1.30)\n",
          s, m / s);
  wprintf(L"  bare Win32, one button                %8.1f ms   ratio %.2f\n", b, m / b);
  return 0;
}
