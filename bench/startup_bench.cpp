// Start-up benchmark: the time from starting a program to its main window being shown, for
// several programs started in turn, round after round, so that whatever the machine does
// meanwhile falls on all of them alike. The first program is the floor the others are held
// against; each round gives one ratio per program (its time over the floor's in that round),
// and the median of those paired ratios is steadier than a ratio of two medians or minima.
// With three programs or more, a second column holds the same against the second program
// (say, one build of Melodex against another).
//
//   startup_bench RUNS LABEL PROGRAM ARGUMENTS [LABEL PROGRAM ARGUMENTS]...
//
// ARGUMENTS is one command-line text for the program (may be empty).
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
double TimeToWindow(const std::wstring& program, const std::wstring& arguments) {
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
  const std::size_t middle = values.size() / 2;
  return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

struct Program {
  std::wstring label, path, arguments;
  std::vector<double> times;
  std::vector<double> ratios;        // to the floor, one per round
  std::vector<double> ratiosSecond;  // to the second program, one per round
};

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 5 || (argc - 2) % 3 != 0) {
    fwprintf(stderr,
             L"usage: startup_bench RUNS LABEL PROGRAM ARGUMENTS [LABEL PROGRAM "
             L"ARGUMENTS]...\n");
    return 2;
  }
  const int runs = _wtoi(argv[1]);
  if (runs < 1) {
    fwprintf(stderr, L"startup_bench: RUNS must be at least 1\n");
    return 2;
  }
  std::vector<Program> programs;
  for (int i = 2; i < argc; i += 3) programs.push_back({argv[i], argv[i + 1], argv[i + 2]});
  const std::size_t count = programs.size();

  // The first start of each program loads what later ones find cached.
  for (const Program& program : programs) TimeToWindow(program.path, program.arguments);

  std::vector<double> round(count);
  for (int run = 0; run < runs; ++run) {
    // Each round starts with another program, so that none always follows the same one.
    for (std::size_t k = 0; k < count; ++k) {
      const std::size_t i = (k + static_cast<std::size_t>(run)) % count;
      round[i] = TimeToWindow(programs[i].path, programs[i].arguments);
      if (round[i] < 0) {
        fwprintf(stderr, L"%ls showed no window\n", programs[i].path.c_str());
        return 1;
      }
    }
    for (std::size_t i = 0; i < count; ++i) {
      programs[i].times.push_back(round[i]);
      programs[i].ratios.push_back(round[i] / round[0]);
      if (count > 2) programs[i].ratiosSecond.push_back(round[i] / round[1]);
    }
  }

  std::size_t width = 0;
  for (const Program& program : programs) width = std::max(width, program.label.size());
  const int w = static_cast<int>(width);
  wprintf(
      L"start to main window, %d interleaved runs (ms); a ratio is the median of the "
      L"per-run ratios\n",
      runs);
  wprintf(L"  %-*ls %8ls %8ls %8ls  %ls", w, L"", L"min", L"median", L"max", L"ratio to floor");
  if (count > 2) wprintf(L"  ratio to %ls", programs[1].label.c_str());
  wprintf(L"\n");
  for (const Program& program : programs) {
    const auto [low, high] = std::minmax_element(program.times.begin(), program.times.end());
    wprintf(L"  %-*ls %8.1f %8.1f %8.1f  %14.3f", w, program.label.c_str(), *low,
            Median(program.times), *high, Median(program.ratios));
    if (count > 2)
      wprintf(L"  %*.3f", static_cast<int>(9 + programs[1].label.size()),
              Median(program.ratiosSecond));
    wprintf(L"\n");
  }
  return 0;
}
