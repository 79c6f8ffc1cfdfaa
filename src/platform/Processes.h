#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace melodex {

// Starting other programs. A started program runs on its own in a normal window that takes
// the focus; the caller does not wait for it and does not watch it.
//
// There is no way to start a bare command line: Windows reads an unquoted line with blanks
// word by word and runs the first file it finds on the way ("C:\Program.exe" for
// "C:\Program Files\..."), so a program is always named as a file of its own.
class Processes {
 public:
  virtual ~Processes() = default;

  // Starts exactly the program file `program`, a full path: no search, no ".exe" added, no
  // splitting at blanks. Only a ".exe" is started, judged by the name the system resolves
  // (IsProgramFileName): the file's long name, so that a short name ending in ".EXE" leads
  // to no "prog.exec", and never a batch file or a command script, which the system would
  // hand to its command interpreter along with the arguments, nor any other file that
  // another program would run. The program is started by that long name, and its command
  // line is ProgramCommandLine(the long name, arguments): what it reads as its own name is
  // the name of its file, not the text it was found by ("ok.exe. . .", "PROGRA~1"). False
  // when it cannot be started: no full path, missing, a folder, not a ".exe", not a
  // program, refused.
  virtual bool StartProgram(const std::wstring& program, const std::wstring& arguments) = 0;
};

// The command line a program is started with: its path in quotes, then a blank and the
// arguments when there are any. Nothing when the program is named by no full path (a drive
// and its root, or a network share), which the system would look for in the current folder,
// or when either text holds a NUL, which no command line can carry.
std::optional<std::wstring> ProgramCommandLine(std::wstring_view program,
                                               std::wstring_view arguments);

}  // namespace melodex
