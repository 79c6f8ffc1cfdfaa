// How much a generation run costs over the least any program must do for the same page.
//
// For each folder size it fills a scratch folder with music files, then in the same run
// times GeneratePage on the real file system against the floor: one bare FindFirstFileExW
// search whose names go, each converted once, into the same buffered and safely replaced
// page file, flushed and renamed over the page as a run must. Both must write the same
// bytes. The runs are interleaved in pairs, each pair in turn starting with the other, and
// the ratio is the median of the pairs' ratios. The search alone is timed too, to show how
// much of either is the platform's own.
//
// Memory is measured apart from the timing, in a child process per run: how far the
// process's peak working set rises above its start, and, counted exactly, the most the
// program itself holds on the C++ heap. Heap counting is off in the timed runs.
//
//   generation_bench [--files N]... [--million] [--reps R] [--clean]
//
// --files may be given several times (default: 1000 and 100000); --million adds a folder of
// 1,000,000 files. --reps is the number of timed pairs for each size (default: 7, and up to
// 50 for smaller folders, whose runs take milliseconds; 5 for a million). The scratch
// folders stay in the temporary folder for the next start, as making 100,000 files takes
// Wine the best part of an hour (each new name is looked up case-insensitively in the whole
// folder; bench/run.sh makes them on the Unix side instead); --clean removes them.
#include <windows.h>
// After windows.h, which it needs.
#include <psapi.h>

#include <fcntl.h>
#include <io.h>

#include <algorithm>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "Melodex.h"
#include "generator/GeneratePage.h"
#include "generator/PageEscaping.h"
#include "generator/TrackName.h"
#include "platform/win32/Win32CodePage.h"
#include "platform/win32/Win32FileSystem.h"
#include "support/Win32Files.h"

#include "heap_counter.h"

namespace {

using melodex::PageSettings;

PageSettings Settings(const std::wstring& music, const std::wstring& out) {
  return {.MusicFolder = music,
          .OutputFolder = out,
          .BaseUrl = L"http://www.example.org/music/",
          .PageTitle = L"My Songs",
          .BackColor = L"#FFFFFF",
          .TextColor = L"#000000",
          .LinkColor = L"#0000FF",
          .ActiveLinkColor = L"#00FF00",
          .VisitedLinkColor = L"#FF0000",
          .TitleColor = L"#FF0000",
          .ListCentered = true};
}

// --- The scratch folder: names like those of a real collection. ---

const wchar_t* const kArtists[] = {
    L"The Beatles",      L"Pink Floyd",    L"Daft Punk",     L"Miles Davis",
    L"Radiohead",        L"Nina Simone",   L"Kraftwerk",     L"Massive Attack",
    L"Portishead",       L"Fleetwood Mac", L"Aphex Twin",    L"Led Zeppelin",
    L"Boards of Canada", L"Talk Talk",     L"Cocteau Twins", L"Joy Division"};
// One name in forty: some that the ANSI code page holds, some that it does not.
const wchar_t* const kForeignArtists[] = {L"Bj\u00f6rk",           L"Mot\u00f6rhead",
                                          L"Sigur R\u00f3s",       L"\u5742\u672c\u9f8d\u4e00",
                                          L"Micha\u0142 Urbaniak", L"\u041a\u0438\u043d\u043e"};
const wchar_t* const kTitles[] = {L"Intro",
                                  L"Come Together",
                                  L"Time",
                                  L"Around the World",
                                  L"So What",
                                  L"Paranoid Android",
                                  L"Feeling Good",
                                  L"Autobahn",
                                  L"Teardrop",
                                  L"Roads",
                                  L"Dreams",
                                  L"Windowlicker",
                                  L"Kashmir",
                                  L"Roygbiv",
                                  L"Life's What You Make It",
                                  L"Heaven or Las Vegas",
                                  L"Atmosphere",
                                  L"Outro"};

std::wstring TrackFileName(std::size_t i) {
  const std::wstring artist = i % 40 == 7 || i % 40 == 24
                                  ? kForeignArtists[(i / 40) % std::size(kForeignArtists)]
                                  : kArtists[(i * 7) % std::size(kArtists)];
  const std::wstring title = kTitles[(i * 5) % std::size(kTitles)];
  const std::wstring number = (i % 100 < 10 ? L"0" : L"") + std::to_wstring(i % 100);
  const std::wstring album = std::to_wstring(i / 100 + 1);
  switch (i % 5) {
    case 0:
      return number + L" - " + artist + L" - " + title + L" (Vol. " + album + L").mp3";
    case 1:
      return number + L"_" + title + L"_[" + artist + L"_" + album + L"].mp3";
    case 2:
      return artist + L" - " + title + L" " + album + L"-" + number + L".MP3";
    case 3:
      return i % 250 == 3 ? number + L" " + title + L" #" + album + L" 100%.mp3"
                          : number + L". " + title + L" (" + artist + L" live " + album + L").mp3";
    default:
      return L"[" + album + L"] " + artist + L" - " + number + L" " + title + L".mp3";
  }
}

void Check(bool ok, const char* what) {
  if (ok) return;
  std::fprintf(stderr, "generation_bench: %s failed (error %lu)\n", what, GetLastError());
  std::exit(1);
}

struct Scratch {
  std::wstring root, music, out, floor;
};

// The music files, and a cover picture per hundred, which the wildcard does not match.
template <typename Visit>
void ForEachName(std::size_t files, Visit visit) {
  for (std::size_t i = 0; i < files; ++i) {
    visit(TrackFileName(i));
    if (i % 100 == 50) visit(L"cover " + std::to_wstring(i / 100) + L".jpg");
  }
}

Scratch ScratchFor(std::size_t files) {
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  Scratch s;
  s.root = std::wstring(temp) + L"melodex-bench-" + std::to_wstring(files);
  s.music = s.root + L"\\Music";
  s.out = s.root + L"\\Out";
  s.floor = s.root + L"\\Floor";
  return s;
}

// The folder for `files` music files, made afresh unless a complete one is there already
// (kept from an earlier start, or made by bench/run.sh).
Scratch MakeScratch(std::size_t files) {
  const Scratch s = ScratchFor(files);
  const std::wstring ready = s.root + L"\\ready";
  if (melodex::testing::Exists(ready)) return s;
  melodex::testing::RemoveTree(s.root);
  for (const std::wstring& folder : {s.music, s.out, s.floor})
    Check(melodex::testing::MakeFolder(folder), "creating the scratch folders");
  ForEachName(files, [&](const std::wstring& name) {
    Check(melodex::testing::WriteBytes(s.music + L"\\" + name), "creating a music file");
  });
  Check(melodex::testing::WriteBytes(ready), "marking the scratch folder ready");
  return s;
}

// For bench/run.sh, which makes the folder faster than Wine can: the scratch folder, then
// every name to make in its music folder, one a line in UTF-8.
void PrintScratch(std::size_t files) {
  _setmode(_fileno(stdout), _O_BINARY);  // LF, as the shell reading it expects
  const Scratch s = ScratchFor(files);
  const auto print = [](const std::wstring& text) {
    std::string bytes(text.size() * 4, '\0');
    bytes.resize(static_cast<std::size_t>(
        WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), bytes.data(),
                            static_cast<int>(bytes.size()), nullptr, nullptr)));
    bytes += '\n';
    std::fwrite(bytes.data(), 1, bytes.size(), stdout);
  };
  print(s.root);
  ForEachName(files, print);
}

// --- The floor. ---

// The page written with nothing but the unavoidable: one search, each line composed once
// in a fixed buffer and converted once into the output buffer, written in large blocks to
// a temporary file that is flushed and then renamed over the page, as a run must to keep
// the older page safe. Names that need escaping (rare) take the shared escaping helpers.
class FloorWriter {
 public:
  explicit FloorWriter(const std::wstring& folder) : codePage_(GetACP()) {
    wchar_t temp[MAX_PATH];
    Check(GetTempFileNameW(folder.c_str(), L"flr", 0, temp) != 0, "GetTempFileNameW");
    tempPath_ = temp;
    file_ = CreateFileW(temp, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                        FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    Check(file_ != INVALID_HANDLE_VALUE, "CreateFileW");
  }

  // Appends the converted line and CR LF; false when the code page cannot hold all of it.
  bool Line(const wchar_t* text, std::size_t length) {
    if (used_ + 4 * length + 2 > sizeof buffer_) Write();
    BOOL usedDefault = FALSE;
    const int size = WideCharToMultiByte(
        codePage_, WC_NO_BEST_FIT_CHARS, text, static_cast<int>(length), buffer_ + used_,
        static_cast<int>(sizeof buffer_ - used_), nullptr, &usedDefault);
    if (usedDefault || (size == 0 && length != 0)) return false;
    used_ += static_cast<std::size_t>(size);
    buffer_[used_++] = '\r';
    buffer_[used_++] = '\n';
    return true;
  }
  void Line(const std::wstring& text) { Check(Line(text.data(), text.size()), "a plain line"); }

  void Finish(const std::wstring& page) {
    Write();
    Check(FlushFileBuffers(file_), "FlushFileBuffers");
    Check(CloseHandle(file_), "CloseHandle");
    file_ = INVALID_HANDLE_VALUE;
    Check(MoveFileExW(tempPath_.c_str(), page.c_str(),
                      MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH),
          "MoveFileExW");
  }

 private:
  void Write() {
    DWORD written = 0;
    Check(
        WriteFile(file_, buffer_, static_cast<DWORD>(used_), &written, nullptr) && written == used_,
        "WriteFile");
    used_ = 0;
  }

  std::wstring tempPath_;
  UINT codePage_;
  HANDLE file_ = INVALID_HANDLE_VALUE;
  char buffer_[64 * 1024 + 8 * 1024];
  std::size_t used_ = 0;
};

bool EndsInMp3(const wchar_t* name, std::size_t length) {
  if (length < 4) return false;
  const wchar_t* tail = name + length - 4;
  return tail[0] == L'.' && (tail[1] | 0x20) == L'm' && (tail[2] | 0x20) == L'p' && tail[3] == L'3';
}

// What a file name may hold that must not go on the page as it is: what Windows forbids
// in names, "#" and "%", which mean something in a link, and anything beyond printable
// ASCII, which a link holds in UTF-8, percent-encoded. A mask of
// the characters below "@", so that the floor pays for no more than a test of a bit.
bool NeedsEscaping(wchar_t c) {
  constexpr unsigned long long kBelowAt = 0xFFFFFFFFull | 1ull << '"' | 1ull << '#' | 1ull << '%' |
                                          1ull << '*' | 1ull << '/' | 1ull << ':' | 1ull << '<' |
                                          1ull << '>' | 1ull << '?';
  if (c < 0x40) return (kBelowAt >> c) & 1;
  return c == L'\\' || c == L'|' || c >= 0x7F;
}

// The music folder's search, the way a bare loop would ask for it.
HANDLE FindMusic(const PageSettings& settings, WIN32_FIND_DATAW& data) {
  const HANDLE search = FindFirstFileExW(
      (melodex::EnsureTrailingBackslash(settings.MusicFolder) + melodex::kMusicWildcard).c_str(),
      FindExInfoBasic, &data, FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH);
  Check(search != INVALID_HANDLE_VALUE, "FindFirstFileExW");
  return search;
}

// The names of the music folder's ordinary files, from the platform's search or, to leave
// the search out of a measurement, from a list read beforehand.
template <typename Visit>
void ForEachListed(const PageSettings& settings, const std::vector<std::wstring>* listed,
                   Visit visit) {
  if (listed) {
    for (const std::wstring& name : *listed) visit(name.c_str(), name.size());
    return;
  }
  WIN32_FIND_DATAW data;
  const HANDLE search = FindMusic(settings, data);
  do {
    if (data.dwFileAttributes &
        (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) {
      continue;
    }
    visit(data.cFileName, std::wcslen(data.cFileName));
  } while (FindNextFileW(search, &data));
  Check(GetLastError() == ERROR_NO_MORE_FILES, "FindNextFileW");
  FindClose(search);
}

void FloorPage(const PageSettings& settings, const std::vector<std::wstring>* listed = nullptr) {
  static const melodex::CodePage codePage = melodex::win32::CodePageOf(GetACP());
  FloorWriter writer(settings.OutputFolder);
  // The head is the same few lines whatever the folder holds.
  {
    std::wstring head;
    melodex::AppendPageText(head, settings.PageTitle, codePage, false);
    writer.Line(L"<html><Title>" + head + L"</title><body bgcolor=\"" + settings.BackColor +
                L"\" text=\"" + settings.TextColor + L"\" link=\"" + settings.LinkColor +
                L"\" alink=\"" + settings.ActiveLinkColor + L"\" vlink=\"" +
                settings.VisitedLinkColor + L"\">");
    writer.Line(L"<center><font color=\"" + settings.TitleColor + L"\"><h1><I>" + head +
                L"</I></h1></font></center>");
    if (settings.ListCentered) writer.Line(std::wstring(L"<center>"));
  }

  const std::wstring& base = settings.BaseUrl;
  // Room for the longest line a name of the search can make: the target, the text and the tags.
  std::vector<wchar_t> room(base.size() + 2 * MAX_PATH + 32);
  wchar_t* const line = room.data();
  ForEachListed(settings, listed, [&](const wchar_t* name, std::size_t length) {
    if (!EndsInMp3(name, length)) return;
    // <a href="BASE NAME">TEXT</a><br>, the text cleaned as it is copied.
    wchar_t* p = line;
    p = std::wmemcpy(p, L"<a href=\"", 9) + 9;
    p = std::wmemcpy(p, base.data(), base.size()) + base.size();
    p = std::wmemcpy(p, name, length) + length;
    *p++ = L'"';
    *p++ = L'>';
    bool marks = false;
    for (std::size_t i = 0; i + 4 < length; ++i) {
      const wchar_t c = name[i];
      marks |= NeedsEscaping(c);
      if (i < 2 && c >= L'0' && c <= L'9') continue;
      if (c == L'(' || c == L')' || c == L'[' || c == L']') continue;
      *p++ = c == L'_' ? L' ' : c;
    }
    p = std::wmemcpy(p, L"</a><br>", 8) + 8;
    if (!marks && writer.Line(line, static_cast<std::size_t>(p - line))) return;
    // A name with characters that need escaping: the rare way round.
    std::wstring slow = L"<a href=\"";
    melodex::AppendLinkTarget(slow, base, false);
    melodex::AppendLinkTarget(slow, {name, length}, true);
    slow += L"\">";
    melodex::AppendPageText(slow, melodex::CleanTrackName({name, length}), codePage, true);
    slow += L"</a><br>";
    writer.Line(slow);
  });

  writer.Line(std::wstring(L"<br><br><font size=\"-2\"><a href=\"mailto:") +
              melodex::AuthorContactAddress + L"\"><i>Mail the writer of Melodex</i></a></center>");
  writer.Finish(melodex::EnsureTrailingBackslash(settings.OutputFolder) + melodex::kPageFileName);
}

// The search alone, writing nothing: what of the memory is the platform's search.
void SearchOnly(const PageSettings& settings) {
  std::size_t names = 0;
  WIN32_FIND_DATAW data;
  const HANDLE search = FindMusic(settings, data);
  do {
    ++names;
  } while (FindNextFileW(search, &data));
  FindClose(search);
  Check(names > 0, "finding the music files");
}

void GenerationPage(const PageSettings& settings) {
  melodex::win32::Win32FileSystem fileSystem;
  melodex::GeneratePage(settings, fileSystem);
}

// The real file system, but for a search that hands out a list read beforehand: generation
// with the platform's search left out, to set against the floor's over the same list.
class ListedFileSystem : public melodex::win32::Win32FileSystem {
 public:
  explicit ListedFileSystem(const std::vector<std::wstring>& names) : names_(names) {}

  std::unique_ptr<melodex::FileSearch> FindFiles(const std::wstring&) override {
    return std::make_unique<Listed>(names_);
  }

 private:
  class Listed : public melodex::FileSearch {
   public:
    explicit Listed(const std::vector<std::wstring>& names) : names_(names) {}
    bool Next(std::wstring& name) override {
      if (next_ == names_.size()) return false;
      name.assign(names_[next_++]);
      return true;
    }

   private:
    const std::vector<std::wstring>& names_;
    std::size_t next_ = 0;
  };

  const std::vector<std::wstring>& names_;
};

void GenerationPage(const PageSettings& settings, const std::vector<std::wstring>& listed) {
  ListedFileSystem fileSystem(listed);
  melodex::GeneratePage(settings, fileSystem);
}

std::vector<std::wstring> ListMusic(const PageSettings& settings) {
  std::vector<std::wstring> names;
  ForEachListed(settings, nullptr,
                [&](const wchar_t* name, std::size_t length) { names.emplace_back(name, length); });
  return names;
}

// --- Measuring. ---

double Seconds() {
  static const double frequency = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return static_cast<double>(f.QuadPart);
  }();
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return static_cast<double>(now.QuadPart) / frequency;
}

template <typename Run>
double Time(Run run) {
  const double start = Seconds();
  run();
  return Seconds() - start;
}

std::string ReadAll(const std::wstring& path) {
  const auto bytes = melodex::testing::ReadBytes(path);
  Check(bytes.has_value(), "reading a page");
  return *bytes;
}

PROCESS_MEMORY_COUNTERS Memory() {
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof counters;
  GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
  return counters;
}

struct MemoryFigures {
  double workingSetGrowthKiB = 0;  // the process's peak working set over its start
  double heapPeakKiB = 0;          // the most held on the C++ heap at any one time
  double allocations = 0;          // how many blocks it took from the C++ heap
};

// In a child process: one run of `kind` ("generation" or "floor"), reported on stdout.
int MeasureMemoryChild(const std::wstring& kind, const std::wstring& music,
                       const std::wstring& out) {
  const PageSettings settings = Settings(music, out);
  const PROCESS_MEMORY_COUNTERS before = Memory();
  const long long heapBefore = heap_counter::Live();
  const long long allocationsBefore = heap_counter::Allocations();
  heap_counter::ResetPeak();
  if (kind == L"generation") {
    GenerationPage(settings);
  } else if (kind == L"floor") {
    FloorPage(settings);
  } else {
    SearchOnly(settings);
  }
  const PROCESS_MEMORY_COUNTERS after = Memory();
  std::printf(
      "%.1f %.1f %lld\n",
      (static_cast<double>(after.PeakWorkingSetSize) - static_cast<double>(before.WorkingSetSize)) /
          1024,
      static_cast<double>(heap_counter::Peak() - heapBefore) / 1024,
      heap_counter::Allocations() - allocationsBefore);
  return 0;
}

MemoryFigures MeasureMemory(const wchar_t* kind, const Scratch& scratch, const std::wstring& out) {
  wchar_t self[MAX_PATH];
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  std::wstring command = L"\"" + std::wstring(self) + L"\" --memory " + kind + L" \"" +
                         scratch.music + L"\" \"" + out + L"\"";
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  HANDLE readEnd, writeEnd;
  Check(CreatePipe(&readEnd, &writeEnd, &inherit, 0), "CreatePipe");
  SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdOutput = writeEnd;
  startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
  startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  PROCESS_INFORMATION process{};
  Check(CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                       &startup, &process),
        "CreateProcessW");
  CloseHandle(writeEnd);
  std::string output;
  char chunk[256];
  DWORD read = 0;
  while (ReadFile(readEnd, chunk, sizeof chunk, &read, nullptr) && read > 0)
    output.append(chunk, read);
  WaitForSingleObject(process.hProcess, INFINITE);
  CloseHandle(process.hProcess);
  CloseHandle(process.hThread);
  CloseHandle(readEnd);
  MemoryFigures figures;
  Check(std::sscanf(output.c_str(), "%lf %lf %lf", &figures.workingSetGrowthKiB,
                    &figures.heapPeakKiB, &figures.allocations) == 3,
        "reading the child's figures");
  return figures;
}

struct Spread {
  double min, median, max;
};

Spread SpreadOf(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const std::size_t n = values.size();
  const double median = n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
  return {values.front(), median, values.back()};
}

void PrintTimes(const char* what, const std::vector<double>& seconds) {
  const Spread s = SpreadOf(seconds);
  std::printf("  %-34s %10.2f %10.2f %10.2f\n", what, s.min * 1e3, s.median * 1e3, s.max * 1e3);
}

void Bench(std::size_t files, int reps, bool clean) {
  std::printf("\n%zu files: preparing the folder...\n", files);
  std::fflush(stdout);
  const Scratch scratch = MakeScratch(files);
  const PageSettings generation = Settings(scratch.music, scratch.out);
  const PageSettings floor = Settings(scratch.music, scratch.floor);

  // One untimed run of each, so that both find the folder equally warm.
  GenerationPage(generation);
  FloorPage(floor);
  const std::string generated = ReadAll(scratch.out + L"\\mp3list.html");
  const std::string floorPage = ReadAll(scratch.floor + L"\\mp3list.html");
  if (generated != floorPage) {
    std::printf("  the pages differ (%zu and %zu bytes): no figures\n", generated.size(),
                floorPage.size());
    std::exit(1);
  }

  // Interleaved pairs, every other one floor first, so that drift and whatever one run
  // leaves warm for the next hit both alike; the search alone after each pair.
  std::vector<double> generationTimes, floorTimes, searchTimes, ratios;
  for (int i = 0; i < reps; ++i) {
    double g, f;
    if (i % 2 == 0) {
      g = Time([&] { GenerationPage(generation); });
      f = Time([&] { FloorPage(floor); });
    } else {
      f = Time([&] { FloorPage(floor); });
      g = Time([&] { GenerationPage(generation); });
    }
    generationTimes.push_back(g);
    floorTimes.push_back(f);
    ratios.push_back(g / f);
    searchTimes.push_back(Time([&] { SearchOnly(floor); }));
  }
  // The same pairs over the names read beforehand: what of a run is the program's own and
  // not the platform's search, which is most of it under Wine and swamps it on a busy machine.
  const std::vector<std::wstring> listed = ListMusic(floor);
  std::vector<double> ownGenerationTimes, ownFloorTimes, ownRatios;
  const int ownReps = std::max(reps, 15);
  for (int i = 0; i < ownReps; ++i) {
    double g, f;
    if (i % 2 == 0) {
      g = Time([&] { GenerationPage(generation, listed); });
      f = Time([&] { FloorPage(floor, &listed); });
    } else {
      f = Time([&] { FloorPage(floor, &listed); });
      g = Time([&] { GenerationPage(generation, listed); });
    }
    ownGenerationTimes.push_back(g);
    ownFloorTimes.push_back(f);
    ownRatios.push_back(g / f);
  }
  if (ReadAll(scratch.out + L"\\mp3list.html") != generated ||
      ReadAll(scratch.floor + L"\\mp3list.html") != generated) {
    std::printf("  the pages from the names read beforehand differ: no figures\n");
    std::exit(1);
  }

  const MemoryFigures generationMemory = MeasureMemory(L"generation", scratch, scratch.out);
  const MemoryFigures floorMemory = MeasureMemory(L"floor", scratch, scratch.floor);
  const MemoryFigures searchMemory = MeasureMemory(L"search", scratch, scratch.floor);

  std::printf("  page: %zu bytes, identical to the floor's\n", generated.size());
  std::printf("  time in ms, %d runs each%*s %10s %10s %10s\n", reps, reps < 10 ? 10 : 9, "", "min",
              "median", "max");
  PrintTimes("generation", generationTimes);
  PrintTimes("floor", floorTimes);
  PrintTimes("the search alone (Wine's own)", searchTimes);
  const Spread ratio = SpreadOf(ratios);
  std::printf("  ratio generation / floor: median %.3f of %d pairs (min %.3f, max %.3f)\n",
              ratio.median, reps, ratio.min, ratio.max);
  std::printf("  the same with the names read beforehand, the search left out, %d runs each:\n",
              ownReps);
  PrintTimes("generation", ownGenerationTimes);
  PrintTimes("floor", ownFloorTimes);
  const Spread ownRatio = SpreadOf(ownRatios);
  std::printf("  ratio generation / floor: median %.3f of %d pairs (min %.3f, max %.3f)\n",
              ownRatio.median, ownReps, ownRatio.min, ownRatio.max);
  std::printf("  memory, one run each in a process of its own:\n");
  std::printf("    Melodex's own, peak on the C++ heap:  generation %9.1f KiB   floor %9.1f KiB\n",
              generationMemory.heapPeakKiB, floorMemory.heapPeakKiB);
  std::printf("    Melodex's own, blocks taken from it:  generation %9.0f       floor %9.0f\n",
              generationMemory.allocations, floorMemory.allocations);
  std::printf(
      "    peak working set over start:         generation %9.0f KiB   floor %9.0f KiB\n"
      "      of which the search alone (Wine's own: under Wine the directory search holds the\n"
      "      whole folder, so it grows with it; on Windows it streams):        %9.0f KiB\n",
      generationMemory.workingSetGrowthKiB, floorMemory.workingSetGrowthKiB,
      searchMemory.workingSetGrowthKiB);
  std::fflush(stdout);
  if (clean) melodex::testing::RemoveTree(scratch.root);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc == 5 && std::wstring(argv[1]) == L"--memory") {
    heap_counter::Start();
    return MeasureMemoryChild(argv[2], argv[3], argv[4]);
  }
  if (argc == 3 && std::wstring(argv[1]) == L"--names") {
    PrintScratch(std::wcstoul(argv[2], nullptr, 10));
    return 0;
  }
  std::vector<std::size_t> sizes;
  int reps = 0;  // by default as many as make the smaller folders' times steady
  bool clean = false;
  bool million = false;
  for (int i = 1; i < argc; ++i) {
    const std::wstring arg = argv[i];
    if (arg == L"--files" && i + 1 < argc) {
      sizes.push_back(std::wcstoul(argv[++i], nullptr, 10));
    } else if (arg == L"--reps" && i + 1 < argc) {
      reps = std::max(1, static_cast<int>(std::wcstol(argv[++i], nullptr, 10)));
    } else if (arg == L"--million") {
      million = true;
    } else if (arg == L"--clean") {
      clean = true;
    } else {
      std::fprintf(stderr,
                   "usage: generation_bench [--files N]... [--million] [--reps R] [--clean]\n");
      return 2;
    }
  }
  if (sizes.empty()) sizes = {1000, 100000};
  if (million) sizes.push_back(1000000);
  std::printf("Generation against the floor (ANSI code page %u)\n", GetACP());
  for (const std::size_t files : sizes) {
    const int runs = reps               ? reps
                     : files >= 1000000 ? 5
                                        : static_cast<int>(std::clamp<std::size_t>(
                                              200000 / std::max<std::size_t>(files, 1), 7, 50));
    Bench(files, runs, clean);
  }
  return 0;
}
