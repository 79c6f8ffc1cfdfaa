// Built into melodex.exe in coverage builds only. The counts of a coverage build are written
// when the process ends normally; a process ended from outside (the end-to-end driver ends by
// force a program it is done with) would lose them. Another process that is about to end this
// one first signals the event named after its process id, and waits for the second one: the
// counts are written by then.
#include <windows.h>

#include <string>

extern "C" void __gcov_dump();

namespace {

struct DumpRequest {
  HANDLE request;
  HANDLE written;
};

DWORD WINAPI WriteCountsOnRequest(void* parameter) {
  const auto* events = static_cast<const DumpRequest*>(parameter);
  if (WaitForSingleObject(events->request, INFINITE) == WAIT_OBJECT_0) {
    __gcov_dump();
    SetEvent(events->written);
  }
  return 0;
}

// Made before wWinMain runs, so that the events exist as soon as the program's window can be
// seen.
const bool kListening = [] {
  const std::wstring name = L"MelodexCoverageDump." + std::to_wstring(GetCurrentProcessId());
  static DumpRequest events{CreateEventW(nullptr, FALSE, FALSE, name.c_str()),
                            CreateEventW(nullptr, TRUE, FALSE, (name + L".written").c_str())};
  if (!events.request || !events.written) return false;
  const HANDLE thread = CreateThread(nullptr, 0, WriteCountsOnRequest, &events, 0, nullptr);
  if (thread) CloseHandle(thread);
  return thread != nullptr;
}();

}  // namespace
