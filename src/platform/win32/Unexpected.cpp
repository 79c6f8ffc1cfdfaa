#include "platform/win32/Unexpected.h"

#include <windows.h>

#include <string>

namespace melodex::win32 {

void ReportUnexpected(const wchar_t* appTitle, std::wstring_view what) {
  std::wstring text = L"Something unexpected went wrong; the action was not completed.";
  if (!what.empty()) {
    text += L"\n\r";  // the program's line break: line feed, then carriage return
    text += what;
  }
  MessageBoxW(nullptr, text.c_str(), appTitle, MB_OK | MB_ICONHAND | MB_TASKMODAL);
}

}  // namespace melodex::win32
