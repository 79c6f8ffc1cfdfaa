// What the standard library's containers throw when they are asked for more than they can
// hold or for what they do not have. The library's own helpers throw its standard exception
// classes, whose narrow messages bring a copy-on-write string and its kin into the exe (some
// 50 KB); defined here, these take their place and throw the program's own Error, with the
// library's message, or std::bad_alloc where memory ran out.
//
// Each helper some code of the program calls is defined here: should a new one be needed,
// the library's whole set comes back, and the link fails naming the ones here twice.
#include <cstddef>
#include <new>
#include <string>

#include "platform/Error.h"

namespace {

[[noreturn]] void Fail(const char* message) {
  std::wstring what;
  for (; *message; ++message) what += static_cast<wchar_t>(static_cast<unsigned char>(*message));
  throw melodex::Error(what);
}

}  // namespace

namespace std {

void __throw_bad_alloc() { throw bad_alloc(); }

void __throw_bad_array_new_length() { throw bad_alloc(); }

void __throw_length_error(const char* message) { Fail(message); }

void __throw_logic_error(const char* message) { Fail(message); }

// The message is the format, its numbers left out: printf's family stays out of the exe too.
void __throw_out_of_range_fmt(const char* format, ...) { Fail(format); }

}  // namespace std
