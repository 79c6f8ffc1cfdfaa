#pragma once

#include "platform/CodePage.h"

namespace melodex::win32 {

// The characters a code page of the system holds.
CodePage CodePageOf(unsigned codePage);

}  // namespace melodex::win32
