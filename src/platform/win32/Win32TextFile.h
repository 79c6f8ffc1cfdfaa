#pragma once

#include <memory>
#include <string>

#include "platform/FileSystem.h"
#include "platform/win32/FileIdentity.h"
#include "platform/win32/WineSeam.h"

namespace melodex::win32 {

// The system's call that renames a file through its handle, among other things.
using InformationSetter = BOOL(WINAPI*)(HANDLE, FILE_INFO_BY_HANDLE_CLASS, LPVOID, DWORD);

// How a page file meets the system: which way its handle's renames and deletes go, how it
// reads which file a handle holds, the call its rename into place goes through, and the code
// page it writes in (the system's ANSI one, which on Windows may be UTF-8). A test may choose
// either way, or plant a fault there.
struct PageFileSeam {
  FileCalls calls = SystemFileCalls();
  IdentityReader identityOf = IdentityOf;
  InformationSetter rename = SetFileInformationByHandle;
  UINT codePage = GetACP();
};

// A page file of the Windows file system, for a path of any length: written in the ANSI code
// page to a file of the program's own beside the target, and put in its place only once
// complete, renamed through its own handle, so that the page in place is the file written
// and never a file that took its name meanwhile; the run fails when it cannot be. A page
// replaced passes its hidden, system, archive and not-indexed marks on; one marked read-only
// is refused before anything is written. An unfinished page is removed through its own
// handle, so that it goes even from a folder moved away meanwhile; a page once renamed into
// place is never removed, whatever follows.
std::unique_ptr<TextFile> OpenTextFile(const std::wstring& path, const PageFileSeam& seam = {});

}  // namespace melodex::win32
