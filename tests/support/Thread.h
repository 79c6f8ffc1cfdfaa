#pragma once
// A second thread, for tests that act while the code under test waits (a person at a message
// box, a browser that lets go of the page). The compiler's runtime here is built for the
// system's own threads and has no std::thread, so this starts one with the system's call.
#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <memory>
#include <utility>

namespace melodex::testing {

class Thread {
 public:
  explicit Thread(std::function<void()> body)
      : body_(std::make_unique<std::function<void()>>(std::move(body))) {
    handle_ = CreateThread(nullptr, 0, &Run, body_.get(), 0, nullptr);
    if (!handle_) ADD_FAILURE() << "cannot start a thread (error " << GetLastError() << ")";
  }
  ~Thread() { Join(); }
  Thread(const Thread&) = delete;
  Thread& operator=(const Thread&) = delete;

  // Waits for the thread to end.
  void Join() {
    if (!handle_) return;
    WaitForSingleObject(handle_, INFINITE);
    CloseHandle(handle_);
    handle_ = nullptr;
  }

 private:
  static DWORD WINAPI Run(void* body) {
    (*static_cast<std::function<void()>*>(body))();
    return 0;
  }

  std::unique_ptr<std::function<void()>> body_;
  HANDLE handle_ = nullptr;
};

}  // namespace melodex::testing
