#pragma once

#include <windows.h>

#include <utility>

namespace melodex::win32 {

// A handle of the system that closes what it holds when it goes, with the call that closes
// its kind: CloseHandle for files, folders and processes, FindClose for a search. The
// system's calls mark a handle they could not open as INVALID_HANDLE_VALUE or as null,
// depending on the call; either holds nothing here.
template <BOOL(WINAPI* Closer)(HANDLE)>
class BasicHandle {
 public:
  BasicHandle() = default;
  explicit BasicHandle(HANDLE handle) : handle_(handle) {}
  BasicHandle(BasicHandle&& other) noexcept : handle_(other.Release()) {}
  BasicHandle& operator=(BasicHandle&& other) noexcept {
    if (this != &other) Reset(other.Release());
    return *this;
  }
  ~BasicHandle() { Reset(); }

  HANDLE Get() const { return handle_; }
  explicit operator bool() const { return handle_ != INVALID_HANDLE_VALUE && handle_ != nullptr; }

  // Closes what it holds, and holds `handle` from then on.
  void Reset(HANDLE handle = INVALID_HANDLE_VALUE) {
    if (*this) Closer(handle_);
    handle_ = handle;
  }
  HANDLE Release() { return std::exchange(handle_, INVALID_HANDLE_VALUE); }

 private:
  HANDLE handle_ = INVALID_HANDLE_VALUE;
};

using Handle = BasicHandle<CloseHandle>;
using SearchHandle = BasicHandle<FindClose>;

}  // namespace melodex::win32
