#pragma once

#include <functional>
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

  // Starts the program file that FindProgram finds for `program`, with the command line it
  // gives. False when it cannot be started: no full path, missing, a folder, not a ".exe",
  // not a program, refused.
  virtual bool StartProgram(const std::wstring& program, const std::wstring& arguments) = 0;
};

// A program file as the launch rule finds it, and the command line to start it with.
struct ProgramStart {
  std::wstring file;  // by its long name, in the form the system gave it
  std::wstring commandLine;
};

// The launch rule, the same on every system. `program` names exactly the file to start, a
// full path: no search, no ".exe" added, no splitting at blanks. It is resolved as the system
// resolves a path, then known by the name `longName` gives for its extended-length form: the
// file's long name, with every short name spelt out, or nothing when there is no such file.
// Only a ".exe" is started (IsProgramFileName), judged by the name as given and by the long
// name, as a short name may end in ".EXE" for a file that does not ("PROG~PAH.EXE" for
// "prog.exec"); never a batch file or a command script, which the system would hand to its
// command interpreter along with the arguments, nor any other file that another program
// would run. The program is started by its long name and told it: its command line is that
// name in quotes, then a blank and the arguments when there are any, so that what it reads
// as its own name is its file's, not the text it was found by ("ok.exe. . .", "PROGRA~1").
// Nothing when the program is named by no full path (a drive and its root, or a network
// share), which the system would look for in the current folder; when either text holds a
// NUL, which no command line can carry; or when the system cannot take the path.
std::optional<ProgramStart> FindProgram(
    const std::wstring& program, const std::wstring& arguments,
    const std::function<std::optional<std::wstring>(const std::wstring& extended)>& longName);

// Whether a path, resolved as ExtendedLengthPath resolves it, names a program file that the
// system runs as itself: a name ending in ".exe" in any letter case, and no colon beyond
// the drive's, which would name a stream of a file instead of the file. Any other file (a
// batch file, a command script, a shortcut, a document) the system would hand to another
// program to run.
bool IsProgramFileName(std::wstring_view resolved);

}  // namespace melodex
