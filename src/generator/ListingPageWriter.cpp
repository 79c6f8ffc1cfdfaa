#include "generator/ListingPageWriter.h"

#include "Melodex.h"
#include "generator/PageEscaping.h"
#include "generator/TrackName.h"

namespace melodex {

void ListingPageWriter::Text(std::wstring_view text) {
  AppendPageText(line_, text, codePage_, /*isFileName=*/false);
}

void ListingPageWriter::Flush() {
  file_.WriteLine(line_);
  line_.clear();
}

void ListingPageWriter::WriteHead(const PageSettings& settings) {
  line_ += L"<html><Title>";
  Text(settings.PageTitle);
  line_ += L"</title><body bgcolor=\"";
  Text(settings.BackColor);
  line_ += L"\" text=\"";
  Text(settings.TextColor);
  line_ += L"\" link=\"";
  Text(settings.LinkColor);
  line_ += L"\" alink=\"";
  Text(settings.ActiveLinkColor);
  line_ += L"\" vlink=\"";
  Text(settings.VisitedLinkColor);
  line_ += L"\">";
  Flush();

  line_ += L"<center><font color=\"";
  Text(settings.TitleColor);
  line_ += L"\"><h1><I>";
  Text(settings.PageTitle);
  line_ += L"</I></h1></font></center>";
  Flush();

  if (settings.ListCentered) {
    line_ += L"<center>";
    Flush();
  }
}

void ListingPageWriter::WriteLink(std::wstring_view baseUrl, std::wstring_view fileName) {
  line_ += L"<a href=\"";
  if (baseUrl != baseUrl_) {  // the same for every link of a run, so escaped once
    baseUrl_.assign(baseUrl);
    escapedBaseUrl_.clear();
    AppendLinkTarget(escapedBaseUrl_, baseUrl, /*isFileName=*/false);
  }
  line_ += escapedBaseUrl_;
  const bool plain = AppendLinkTarget(line_, fileName, /*isFileName=*/true);
  line_ += L"\">";
  if (plain) {
    CleanTrackName(fileName, line_);
  } else {
    linkText_.clear();
    CleanTrackName(fileName, linkText_);
    AppendPageText(line_, linkText_, codePage_, /*isFileName=*/true);
  }
  line_ += L"</a><br>";
  Flush();
}

void ListingPageWriter::WriteFoot() {
  line_ += L"<br><br><font size=\"-2\"><a href=\"mailto:";
  line_ += AuthorContactAddress;
  line_ += L"\"><i>Mail the writer of Melodex</i></a></center>";
  Flush();
}

void ListingPageWriter::Close() { file_.Close(); }

}  // namespace melodex
