#pragma once
// GoogleTest's Notification, for a compiler runtime built for the system's own threads, which
// has no std::mutex for GoogleTest's own. GoogleTest uses it only in tests of itself; these
// tests never do. Put before everything else wherever GoogleTest is included
// (tests/GoogleTestMingw.cmake).
#include <atomic>

namespace testing::internal {

class Notification {
 public:
  Notification() = default;
  Notification(const Notification&) = delete;
  Notification& operator=(const Notification&) = delete;

  void Notify() { notified_ = true; }
  void WaitForNotification() {
    while (!notified_) {
    }
  }

 private:
  std::atomic<bool> notified_ = false;
};

}  // namespace testing::internal
