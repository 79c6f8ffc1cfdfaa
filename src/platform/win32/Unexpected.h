#pragma once

#include <string_view>

namespace melodex::win32 {

// Something thrown that nothing else caught where the window system called the program (a
// window or dialog procedure, the message loop): the user is told, in a box with the
// application's title, and the program goes on. Nothing thrown may unwind into the window
// system. `what` is the program's own words for it (an Error's), if any; the runtime's own
// (out of memory) are not for the user.
void ReportUnexpected(const wchar_t* appTitle, std::wstring_view what = {});

}  // namespace melodex::win32
