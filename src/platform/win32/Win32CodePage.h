#pragma once

#include "platform/CodePage.h"

namespace melodex::win32 {

// The characters a code page of the system holds, and those of the ANSI code page that
// pages are written in.
CodePage CodePageOf(unsigned codePage);
CodePage AnsiCodePage();

}  // namespace melodex::win32
