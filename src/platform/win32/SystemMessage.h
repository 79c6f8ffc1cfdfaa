#pragma once

#include <windows.h>

#include <string>

namespace melodex::win32 {

// The system's own words for an error code, without the trailing line break.
std::wstring SystemMessage(DWORD error);

// An error code in decimal digits, "5".
std::wstring ErrorNumber(DWORD error);

}  // namespace melodex::win32
