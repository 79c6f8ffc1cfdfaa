#pragma once

#include <windows.h>

#include <chrono>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>

namespace e2e {

// A step of a scenario that could not be carried out, or did not come out as a person
// would see it: says what was expected and what was seen instead. GoogleTest reports it
// as the failure of the scenario that threw it.
class DriverError : public std::runtime_error {
 public:
  explicit DriverError(const std::wstring& message);
};

// UTF-8 for messages to the test log.
std::string Narrow(const std::wstring& text);
// A text as a C string literal would spell it, with line feed and carriage return visible.
std::wstring Quoted(const std::wstring& text);

using Clock = std::chrono::steady_clock;
using Milliseconds = std::chrono::milliseconds;

// How long a step may take before the program counts as stuck. Generous: Wine on a busy
// two-core machine can take a second to show a window.
inline constexpr Milliseconds kPatience{10000};

// Polls `probe` until it yields a value or `timeout` passes; on timeout throws a
// DriverError naming `expected` and what `seen` says was there at the last look.
template <class T>
T WaitFor(const std::wstring& expected, const std::function<std::optional<T>()>& probe,
          const std::function<std::wstring()>& seen, Milliseconds timeout = kPatience) {
  const auto deadline = Clock::now() + timeout;
  for (int look = 0;; ++look) {
    if (std::optional<T> value = probe()) return *value;
    if (Clock::now() >= deadline) {
      throw DriverError(L"waited " + std::to_wstring(timeout.count()) + L" ms for " + expected +
                        L"; saw " + seen());
    }
    // Most things happen within a few milliseconds; what takes longer is looked at less often.
    Sleep(look < 50 ? 1 : 15);
  }
}

// The same for a condition.
void WaitUntil(const std::wstring& expected, const std::function<bool()>& condition,
               const std::function<std::wstring()>& seen, Milliseconds timeout = kPatience);

// Whether `condition` comes true within `timeout`: for a driver that steps in itself when
// something does not happen by then.
bool CameTrueWithin(Milliseconds timeout, const std::function<bool()>& condition);

}  // namespace e2e
