#pragma once

#include <string>

namespace melodex {

// What a generation run reads off the main window, each value exactly as it stands there.
struct PageSettings {
  std::wstring MusicFolder;
  std::wstring OutputFolder;
  std::wstring BaseUrl;
  std::wstring PageTitle;
  std::wstring BackColor;
  std::wstring TextColor;
  std::wstring LinkColor;
  std::wstring ActiveLinkColor;
  std::wstring VisitedLinkColor;
  std::wstring TitleColor;
  bool ListCentered = false;
};

}  // namespace melodex
