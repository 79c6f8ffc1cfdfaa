#pragma once

// The program's own constants, for every part of it above the platform: the windows, the
// page and the windows' realisations. The platform knows none of them: a message box is told
// its help topic by the one who shows it, and the boxes are told the application's title
// when they are made.

namespace melodex {

// The application's title, shown by any box that has no title of its own.
inline constexpr wchar_t kAppTitle[] = L"Melodex";

// A line break in a text the program composes for a box or label: line feed, then carriage
// return, in that order.
inline constexpr wchar_t kLineBreak[] = L"\n\r";

// The help topic that F1 opens while one of the program's message boxes is up.
inline constexpr wchar_t kHelpFile[] = L"DEMO.HLP";
inline constexpr unsigned kHelpContext = 1000;

// The author's address, written into the page footer and shown by "Contact &Brixel".
inline constexpr wchar_t AuthorContactAddress[] = L"brixel@example.org";

}  // namespace melodex
