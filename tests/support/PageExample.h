#pragma once

#include <string>

#include "generator/PageSettings.h"

namespace melodex::testing {

// The settings as the main window opens, with the given folders, base address "music/" and
// the title "My Songs", the list centred.
inline PageSettings StartPageSettings(std::wstring musicFolder, std::wstring outputFolder) {
  return {.MusicFolder = std::move(musicFolder),
          .OutputFolder = std::move(outputFolder),
          .BaseUrl = L"music/",
          .PageTitle = L"My Songs",
          .BackColor = L"#FFFFFF",
          .TextColor = L"#000000",
          .LinkColor = L"#0000FF",
          .ActiveLinkColor = L"#00FF00",
          .VisitedLinkColor = L"#FF0000",
          .TitleColor = L"#FF0000",
          .ListCentered = true};
}

// The head and heading lines of a page with those colours and the title, as bytes.
inline std::string ExpectedHead(const std::string& title) {
  return "<html><Title>" + title +
         "</title><body bgcolor=\"#FFFFFF\" text=\"#000000\" link=\"#0000FF\" alink=\"#00FF00\" "
         "vlink=\"#FF0000\">\r\n<center><font color=\"#FF0000\"><h1><I>" +
         title + "</I></h1></font></center>\r\n";
}

inline const std::string kExpectedFooter =
    "<br><br><font size=\"-2\"><a href=\"mailto:brixel@example.org\"><i>Mail the writer of "
    "Melodex</i></a></center>\r\n";

}  // namespace melodex::testing
