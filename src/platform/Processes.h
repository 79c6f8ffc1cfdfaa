#pragma once

#include <string>

namespace melodex {

// Starting other programs. A started program runs on its own in a normal window that takes
// the focus; the caller does not wait for it and does not watch it.
class Processes {
 public:
  virtual ~Processes() = default;

  // Starts exactly the program file `path`: no search, no splitting at blanks, whatever the
  // path holds. The program sees its quoted path as its command line. False when it cannot
  // be started (missing, not a program, refused).
  virtual bool StartProgram(const std::wstring& path) = 0;

  // Starts a command line, read as Windows reads one: a quoted program name, or else the
  // shortest run of words up to a blank that names a program file (".exe" added to a name
  // without an extension), followed by its arguments. False when no program is found or
  // the one found cannot be started.
  virtual bool StartCommandLine(const std::wstring& commandLine) = 0;
};

}  // namespace melodex
