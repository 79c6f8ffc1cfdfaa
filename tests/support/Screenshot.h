#pragma once

#include <windows.h>

#include <string>

namespace melodex::testing {

// Saves what the screen shows of the window (its frame included) as a PNG file. Under
// Wine's virtual desktop the frames are drawn by Wine itself, so they show too.
bool SaveWindowPng(HWND window, const std::wstring& path);

// Where the test run keeps its screenshots: the "screenshots" folder of the build folder
// (MELODEX_BUILD_DIR), created when missing.
std::wstring ScreenshotPath(const std::wstring& name);

}  // namespace melodex::testing
