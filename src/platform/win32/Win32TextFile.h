#pragma once

#include <memory>
#include <string>

#include "platform/FileSystem.h"

namespace melodex::win32 {

// A page file of the Windows file system, for a path of any length: written in the ANSI code
// page to a file of the program's own beside the target, and put in its place only once
// complete, renamed through its own handle, so that the page in place is the file written
// and never a file that took its name meanwhile; the run fails when it cannot be. A page
// replaced passes its hidden, system, archive and not-indexed marks on; one marked read-only
// is refused before anything is written. An unfinished page is removed through its own
// handle, so that it goes even from a folder moved away meanwhile.
std::unique_ptr<TextFile> OpenTextFile(const std::wstring& path);

// The characters a code page of the system holds, and those of the ANSI code page that
// pages are written in.
CodePage CodePageOf(unsigned codePage);
CodePage AnsiCodePage();

}  // namespace melodex::win32
