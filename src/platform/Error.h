#pragma once

#include <string>
#include <utility>

namespace melodex {

// Something the program could not do, in words for the person using it. What the program
// throws is this or a kind of it, so that what reaches the user is wide text from the start.
class Error {
 public:
  explicit Error(std::wstring what) : what_(std::move(what)) {}

  const std::wstring& What() const { return what_; }

 private:
  std::wstring what_;
};

}  // namespace melodex
