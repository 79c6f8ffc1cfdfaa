#pragma once

#include <string>
#include <vector>

#include "e2e/Melodex.h"
#include "e2e/driver/Boxes.h"

namespace e2e {

// What the program says and writes, letter for letter, as the scenarios expect to see it.

inline const std::wstring kBreak = L"\n\r";  // line feed, then carriage return
inline const std::wstring kContactAddress = L"brixel@example.org";

// The buttons as the system's message box labels them.
inline const std::wstring kOk = L"OK";
inline const std::wstring kCancel = L"Cancel";
inline const std::wstring kYes = L"&Yes";
inline const std::wstring kNo = L"&No";
inline const std::wstring kAbort = L"&Abort";
inline const std::wstring kRetry = L"&Retry";
inline const std::wstring kIgnore = L"&Ignore";

// A box with the OK button only, no icon and no title of its own.
inline MessageBoxSeen Plain(const std::wstring& text) {
  return {kAppTitle, text, {kOk}, BoxIcon::None, kOk};
}

inline const MessageBoxSeen kAllDone = Plain(L"All Done, Page is Ready!");
inline const MessageBoxSeen kNoValidUrl{L"Error", L"NO Valid URL!!", {kOk}, BoxIcon::Critical, kOk};
inline const MessageBoxSeen kQuitQuestion{
    L"Exit", L"Do you want to Quit ?", {kYes, kNo}, BoxIcon::Question, kNo};
inline const MessageBoxSeen kNoMp3s{
    L"Error", L"NO MP3s found in this Directory!!", {kOk, kCancel}, BoxIcon::Critical, kOk};
inline const MessageBoxSeen kEnterBox{L"Enter box",
                                      L"Enter does not do you any good.....!!!",
                                      {kAbort, kRetry, kIgnore},
                                      BoxIcon::Critical,
                                      kAbort};
inline const MessageBoxSeen kAbortAnswer = Plain(L"What do you want to Abort??");
inline const MessageBoxSeen kRetryAnswer = Plain(L"Retry??? Ok:))");
inline const MessageBoxSeen kIgnoreAnswer = Plain(L"I could try to Ignore you!!");
inline const MessageBoxSeen kContact =
    Plain(L"Write Brixel an E-Mial to:" + kBreak + kContactAddress);
inline const MessageBoxSeen kSysInfoUnavailable =
    Plain(L"System Information Is Unavailable At This Time");

inline MessageBoxSeen HiddenMessage(int number) {
  static const wchar_t* const kWords[] = {L"TOPSYWARP", L"GLIMMERBOX", L"FIZZLEDON"};
  const std::wstring n = std::to_wstring(number);
  return Plain(L"You found a Secret!!!" + kBreak + L"Cool! This is Secret number " + n +
               L", There are 2 others!" + kBreak +
               L"write the following word in a message to me : " + kWords[number - 1] + L" " +
               kBreak +
               L" If you find all 3 secrets and write me the E-mail Your name will be shown in "
               L"the next version.");
}

// A failed page: what the program reports, and the path it names.
inline MessageBoxSeen PageNotWritten(const std::wstring& path, const std::wstring& reason) {
  return {L"Error",
          L"The page was not written." + kBreak + kBreak + path + kBreak + reason,
          {kOk},
          BoxIcon::Critical,
          kOk};
}

inline const InputBoxSeen kUrlPrompt{
    L"MP3 URL", L"Enter an URL To Your MP3s, This URL must be valid.", L"", {kOk, kCancel}, kOk};
inline const InputBoxSeen kTitlePrompt{L"Title", L"Enter a page Title!", L"", {kOk, kCancel}, kOk};

// The help window's text as its label shows it: the program breaks its lines with line feed
// and carriage return, which the window's label control draws from carriage return and line
// feed, so that is how the label holds them.
inline std::wstring HelpTextShown() {
  const std::wstring line = L"\r\n", paragraph = line + line;
  return L" Ok Help is what you get..." + paragraph +
         L"First you Select the MP3 Dir, that must be a directory containig files with the MP3 "
         L"Extention" +
         line + L"     (future versions have selectable extentions)." + paragraph +
         L"You Need to enter a valid URL to your MP3s on the web" + paragraph +
         L"Enter an output dir where the HTML file will be stored" + paragraph +
         L"Than select the colors you want to use in your Page " + paragraph +
         L"Give a Page title and hit GO!" + paragraph +
         L"That is all you have to do... aint it easy?";
}

// --- The page ---

struct PageLook {
  std::wstring title;
  std::wstring back = L"#FFFFFF";
  std::wstring text = L"#000000";
  std::wstring link = L"#0000FF";
  std::wstring activeLink = L"#00FF00";
  std::wstring visitedLink = L"#FF0000";
  std::wstring heading = L"#FF0000";
  bool centred = true;
};

inline const std::wstring kFooterLine = L"<br><br><font size=\"-2\"><a href=\"mailto:" +
                                        kContactAddress +
                                        L"\"><i>Mail the writer of Melodex</i></a></center>";

inline std::wstring HeadLine(const PageLook& look) {
  return L"<html><Title>" + look.title + L"</title><body bgcolor=\"" + look.back + L"\" text=\"" +
         look.text + L"\" link=\"" + look.link + L"\" alink=\"" + look.activeLink + L"\" vlink=\"" +
         look.visitedLink + L"\">";
}

inline std::wstring HeadingLine(const PageLook& look) {
  return L"<center><font color=\"" + look.heading + L"\"><h1><I>" + look.title +
         L"</I></h1></font></center>";
}

// A base address as a link target holds it: every character beyond printable ASCII as its
// UTF-8 bytes, percent-encoded, the rest as typed.
std::wstring InLinkTarget(const std::wstring& base);

inline std::wstring LinkLine(const std::wstring& target, const std::wstring& text) {
  return L"<a href=\"" + target + L"\">" + text + L"</a><br>";
}

// The page's bytes: its lines in the ANSI code page, each ending in CR LF.
std::string PageBytes(const PageLook& look, const std::vector<std::wstring>& linkLines);

}  // namespace e2e
