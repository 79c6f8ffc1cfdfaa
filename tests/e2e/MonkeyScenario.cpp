// A monkey: random clicks, key presses and answers over every window of the real program.
// The program must never crash or hang, and every page it says it wrote must be a
// well-formed page.
//
// The walk is a function of its seed: every choice is drawn from the seed's generator, and
// each step acts on what the program shows once it has taken the previous one, so that a
// seed replays the same steps and the same failure. The test runs a fixed set of seeds;
//   MELODEX_E2E_SEED=<seed>    walks that seed instead (a failure prints the line to replay)
//   MELODEX_E2E_SEED=random    walks a new seed, printed with the line that replays it
//   MELODEX_E2E_MONKEY_STEPS   the steps of each walk
// Each walk's steps are written to e2e-monkey-<seed>.txt in the build folder.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cwctype>
#include <deque>
#include <iostream>
#include <map>
#include <optional>
#include <random>
#include <set>

#include "e2e/Expected.h"
#include "e2e/Scenario.h"
#include "e2e/driver/Files.h"
#include "e2e/driver/Waiting.h"
#include "e2e/driver/Windows.h"
#include "support/MachineValue.h"

namespace e2e {
namespace {

// What may be typed: printable text of the ANSI code page, never a drive or folder separator
// (so that the program writes its pages nowhere but where the monkey can find them).
const std::wstring kLetters =
    L"abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789 "
    L"_-.,;!#&<>()[]'\"%=+\u00e9\u00df";

std::wstring WithBackslash(std::wstring folder) {
  if (folder.empty() || folder.back() != L'\\') folder += L'\\';
  return folder;
}

bool StartsWithFolder(const std::wstring& path, const std::wstring& folder) {
  if (path.size() < folder.size()) return false;
  for (std::size_t i = 0; i < folder.size(); ++i) {
    if (std::towupper(path[i]) != std::towupper(folder[i])) return false;
  }
  return path.size() == folder.size() || path[folder.size()] == L'\\';
}

// The seeds the test walks, and the steps of each walk, sized for a test run: a walk of 1,500
// steps takes 15 s on a quiet two-core machine, two minutes on a very busy one.
constexpr unsigned kSeeds[] = {1001, 1002, 1003};
constexpr int kSteps = 1500;

std::vector<unsigned> Seeds() {
  const std::wstring asked = Environment(L"MELODEX_E2E_SEED");
  if (asked.empty()) return {std::begin(kSeeds), std::end(kSeeds)};
  if (asked == L"random") return {std::random_device{}()};
  return {static_cast<unsigned>(std::stoul(asked))};
}

int Steps() {
  const std::wstring asked = Environment(L"MELODEX_E2E_MONKEY_STEPS");
  return asked.empty() ? kSteps : std::stoi(asked);
}

class Monkey : public Scenario, public ::testing::WithParamInterface<unsigned> {
 protected:
  using Random = std::mt19937;

  void SetUp() override {
    Scenario::SetUp();
    seed_ = GetParam();
    random_.seed(seed_);
    steps_ = Steps();
    std::cout << "Monkey seed " << seed_ << ", " << steps_
              << " steps (replay: " << Narrow(ReplayLine()) << ")\n"
              << std::flush;
    RecordProperty("seed", std::to_string(seed_));
    const std::wstring log = WindowsPath(Environment(L"MELODEX_BUILD_DIR", L".")) +
                             L"\\e2e-monkey-" + std::to_wstring(seed_) + L".txt";
    log_ = _wfopen(log.c_str(), L"wb");

    MakeMusic(L"music", {L"01_Intro.mp3", L"Live_Set (2).mp3", L"[Band] Song (Remix).MP3",
                         L"7Up.mp3", L"a__b.mp3", L"12.mp3", L"notes.txt"});
    MakeMusic(L"music\\deeper", {L"Track_07.mp3"});
    MakeMusic(L"empty", {L"readme.txt"});
    MakeFolder(In(L"out"));
  }

  void TearDown() override {
    if (log_) std::fclose(log_);
    Scenario::TearDown();
  }

  std::wstring ReplayLine() const {
    std::wstring line = L"MELODEX_E2E_SEED=" + std::to_wstring(seed_);
    if (steps_ != kSteps) line += L" MELODEX_E2E_MONKEY_STEPS=" + std::to_wstring(steps_);
    return line + L" ctest --test-dir build/windows -R e2e_Monkey --output-on-failure";
  }

  int Pick(int count) { return std::uniform_int_distribution<int>(0, count - 1)(random_); }
  bool Chance(double p) { return std::uniform_real_distribution<double>(0, 1)(random_) < p; }
  template <class T>
  T OneOf(const std::vector<T>& items) {
    return items[static_cast<std::size_t>(Pick(static_cast<int>(items.size())))];
  }
  std::wstring Junk(int most) {
    std::wstring text;
    for (int n = Pick(most + 1); n > 0; --n)
      text += kLetters[static_cast<std::size_t>(Pick(static_cast<int>(kLetters.size())))];
    return text;
  }

  void Note(const std::wstring& what) {
    history_.push_back(std::to_wstring(step_) + L": " + what);
    if (log_) {
      std::fputs((Narrow(history_.back()) + "\n").c_str(), log_);
      std::fflush(log_);
    }
    if (history_.size() > 25) history_.pop_front();
  }
  std::string Replay() const {
    std::wstring text = L"seed " + std::to_wstring(seed_) + L", step " + std::to_wstring(step_) +
                        L" (replay: " + ReplayLine() + L"); last steps:";
    for (const auto& line : history_) text += L"\n  " + line;
    return Narrow(text);
  }

  // --- Checking what the program wrote ---

  // The folder, ending in a backslash, that the program joins a file name or wildcard to for
  // a folder text of the main window (the text with a backslash added unless it ends in
  // one), seen from the program, whose working folder is the monkey's folder on drive C:.
  std::wstring Joined(const std::wstring& text) {
    const std::wstring path = WithBackslash(text);
    if (path.starts_with(L"\\\\")) return path;
    if (path[0] == L'\\') return L"C:" + path;  // from the current drive's root
    if (path.size() >= 2 && path[1] == L':') {
      if (path[2] == L'\\') return path;
      // "C:music\": from the drive's current folder, which is the program's working folder
      // on C: and the root on any other drive.
      const std::wstring rest = path.substr(2);
      if (std::towupper(path[0]) == L'C') return Folder() + L"\\" + rest;
      return path.substr(0, 2) + L"\\" + rest;
    }
    return Folder() + L"\\" + path;
  }

  // Reads the page the program has just said it wrote and checks it against the page format
  // and the fields it was made from. Returns what is wrong, or nothing.
  std::optional<std::wstring> PageProblem() {
    Melodex& app = App();
    PageLook look;
    look.title = app.Text(field::kTitle);
    look.back = app.Text(field::kBackColour);
    look.text = app.Text(field::kTextColour);
    look.link = app.Text(field::kLinkColour);
    look.activeLink = app.Text(field::kActiveLinkColour);
    look.visitedLink = app.Text(field::kVisitedLinkColour);
    look.heading = app.Text(field::kTitleColour);
    look.centred = Checked(app.Control(app.Main(), L"List Centered"));
    const std::wstring base = app.Text(field::kBaseUrl);
    const std::wstring pagePath = Joined(app.Text(field::kOutputFolder)) + L"mp3list.html";
    std::vector<std::wstring> names;
    std::wstring music = Joined(app.Text(field::kMusicFolder));
    music.pop_back();  // ListFolder() puts the backslash back
    for (const auto& name : ListFolder(music, L"*.mp3")) {
      // Only names that end in ".mp3" themselves, not through their short 8.3 names.
      std::wstring lower = name;
      for (auto& c : lower) c = static_cast<wchar_t>(std::towlower(c));
      if (lower.ends_with(L".mp3")) names.push_back(name);
    }
    written_.insert(pagePath);

    const auto bytes = ReadBytes(pagePath);
    if (!bytes) return L"no page at " + pagePath;
    if (bytes->empty() || !bytes->ends_with("\r\n")) return L"the page does not end with CR LF";
    std::vector<std::string> lines;
    for (std::size_t at = 0; at < bytes->size();) {
      const std::size_t end = bytes->find("\r\n", at);
      lines.push_back(bytes->substr(at, end - at));
      at = end + 2;
    }
    for (const auto& line : lines) {
      if (line.find_first_of("\r\n") != std::string::npos)
        return L"a line holds a lone CR or LF: " + Quoted(std::wstring(line.begin(), line.end()));
    }
    std::size_t at = 0;
    auto expect = [&](const std::wstring& line,
                      const wchar_t* what) -> std::optional<std::wstring> {
      if (at >= lines.size()) return std::wstring(L"the page ends before its ") + what;
      if (lines[at] != Ansi(line)) return std::wstring(L"its ") + what + L" is not right";
      ++at;
      return std::nullopt;
    };
    if (auto problem = expect(HeadLine(look), L"head line")) return problem;
    if (auto problem = expect(HeadingLine(look), L"heading line")) return problem;
    if (look.centred) {
      if (auto problem = expect(L"<center>", L"centring line")) return problem;
    }
    for (const std::wstring& name : names) {
      if (at >= lines.size()) return L"the page ends before the link of " + name;
      const std::string opening = Ansi(L"<a href=\"" + InLinkTarget(base) + name + L"\">");
      if (!lines[at].starts_with(opening) || !lines[at].ends_with("</a><br>"))
        return L"the link line of " + name + L" is not right";
      ++at;
    }
    if (auto problem = expect(kFooterLine, L"footer line")) return problem;
    if (at != lines.size()) return L"lines follow the footer";
    return std::nullopt;
  }

  // No half-written page may stay behind in a folder the program wrote to.
  std::optional<std::wstring> LeftOvers() {
    for (const std::wstring& page : written_) {
      const std::wstring folder = page.substr(0, page.find_last_of(L'\\'));
      for (const auto& name : ListFolder(folder, L"mp3*.tmp"))
        return L"a temporary file " + name + L" in " + folder;
    }
    return std::nullopt;
  }

  // --- The monkey's hands ---

  void AnswerBox(HWND box) {
    Melodex& app = App();
    const std::wstring title = TextOf(box);
    if (!ChildrenOfClass(box, L"Edit").empty()) {
      // An input box: something typed, or a web address, then OK or Cancel.
      const HWND edit = ChildrenOfClass(box, L"Edit").at(0);
      if (FocusOf(app.Program().MainThread()) == edit && Chance(0.8)) {
        const std::wstring text = title == L"MP3 URL" && Chance(0.6)
                                      ? L"http://" + Junk(12) + (Chance(0.5) ? L"/" : L"")
                                      : Junk(16);
        app.Type(text);
        Note(L"typed " + Quoted(text) + L" into " + Quoted(title));
      }
      const int answer = Pick(4);
      if (answer == 0) {
        app.Press(VK_RETURN);
        Note(L"Enter");
      } else if (answer == 1) {
        app.Press(VK_ESCAPE);
        Note(L"Esc");
      } else {
        const std::wstring button = answer == 2 ? kOk : kCancel;
        app.Pointer().Click(BoxButton(box, button));
        Note(L"clicked " + button + L" of " + Quoted(title));
      }
      return;
    }
    const MessageBoxSeen seen = ReadMessageBox(box);
    if (seen == kAllDone) {
      ++pages_;
      if (const auto problem = PageProblem()) {
        const std::wstring page = Joined(app.Text(field::kOutputFolder)) + L"mp3list.html";
        FAIL() << "a page the program said it wrote is not well-formed: " << Narrow(*problem)
               << "\nmusic folder " << Narrow(Quoted(app.Text(field::kMusicFolder))) << ", address "
               << Narrow(Quoted(app.Text(field::kBaseUrl))) << ", page " << Narrow(page) << ":\n"
               << ReadBytes(page).value_or("(none)") << Replay();
      }
    }
    const int answer = Pick(10);
    if (answer == 0) {
      app.Keys().PressF1();
      app.Settle();
      Note(L"F1 in " + Quoted(seen.text));
      return;
    }
    std::wstring button = OneOf(seen.buttons);
    // The question that ends the program: mostly not.
    if (button == kYes && seen.title == L"Exit" && Chance(0.8)) button = kNo;
    if (answer == 1 && FocusOf(app.Program().MainThread()) &&
        GetAncestor(FocusOf(app.Program().MainThread()), GA_ROOT) == box) {
      app.Press(VK_RETURN);
      Note(L"Enter on " + Quoted(seen.text));
      ending_ = seen.title == L"Exit" && seen.defaultButton == kYes;
      return;
    }
    app.Pointer().Click(BoxButton(box, button));
    Note(L"answered " + Quoted(seen.text) + L" with " + button);
    ending_ = seen.title == L"Exit" && button == kYes;
  }

  // A control of the window that can be seen and used.
  std::vector<HWND> Usable(HWND window) {
    std::vector<HWND> usable;
    const RECT client = ClientOnScreen(window);
    for (const HWND child : Children(window)) {
      const std::wstring kind = ClassOf(child);
      if (!IsWindowVisible(child) || !IsWindowEnabled(child)) continue;
      if (kind != L"Button" && kind != L"Edit" && kind != L"ListBox" && kind != L"ComboBox")
        continue;
      RECT rect = ScreenRect(child);
      if (IntersectRect(&rect, &rect, &client)) usable.push_back(child);
    }
    return usable;
  }

  // The walk stays in the folder it made: what the picker shows outside it (the other
  // scenarios' folders, the drive's root) differs from one machine to the next, and so would
  // the steps drawn from it. The picker's folder list starts with the path's own folders,
  // from the drive's root down to the monkey's folder: the entries above that one lead out.
  int OwnEntry() const {
    return static_cast<int>(std::count(Folder().begin(), Folder().end(), L'\\'));
  }

  // After the picker has opened a folder (its selection marks the open one then): it is the
  // monkey's folder or one inside.
  void ExpectInside(HWND picker) {
    const std::wstring shown = App().ShownPath(picker);
    if (!StartsWithFolder(shown, Folder()))
      ADD_FAILURE() << "the walk left its folder for " << Narrow(shown) << "; " << Replay();
  }

  void UseFolderList(HWND picker, HWND list) {
    Melodex& app = App();
    const auto entries = ListEntries(list);
    const int current = ListSelection(list);
    if (entries.empty() || current < 0) return;
    const std::wstring shown = app.ShownPath(picker);
    const int index = Pick(static_cast<int>(entries.size()));
    // The entry's folder: one of the open ones, or a sub-folder of the shown one.
    std::wstring path;
    if (index <= current) {
      path = shown;
      for (int i = current; i > index; --i) path = path.substr(0, path.find_last_of(L'\\'));
      if (path.size() == 2) path += L'\\';
    } else {
      path = WithBackslash(shown) + entries[static_cast<std::size_t>(index)];
    }
    const RECT rect = [&] {
      try {
        return ListEntryRect(list, index);
      } catch (const DriverError&) {
        return RECT{};
      }
    }();
    if (IsRectEmpty(&rect)) return;
    // Only inside the monkey's own folder, so that pages land where they can be checked.
    if (Chance(0.6) && StartsWithFolder(path, Folder())) {
      app.Pointer().DoubleClick(Centre(rect));
      Note(L"opened " + Quoted(path) + L" in the picker");
      ExpectInside(picker);
    } else {
      app.Pointer().Click(Centre(rect));
      Note(L"highlighted " + Quoted(entries[static_cast<std::size_t>(index)]) + L" in the picker");
    }
  }

  void UseControl(HWND window, HWND control) {
    Melodex& app = App();
    const std::wstring kind = ClassOf(control);
    if (kind == L"ListBox") return UseFolderList(window, control);
    if (kind == L"ComboBox") {
      app.PickDrive(window, L"c:");  // the other drive is the whole Unix file system
      Note(L"picked drive c:");
      return;
    }
    if (kind == L"Edit") {
      app.Pointer().Click(control);
      if (Chance(0.5)) {
        app.Press(VK_END);
        for (int n = Pick(4); n > 0; --n) app.Press(VK_BACK);
        // The folder fields get folders of the monkey's own now and then.
        const std::wstring text =
            Chance(0.3) ? OneOf<std::wstring>({L"music", L"out", L"empty", L"music\\deeper",
                                               L"nowhere", In(L"out") + L"\\", In(L"music")})
                        : Junk(8);
        app.Type(text);
        Note(L"typed " + Quoted(text) + L" into a text box of " + Quoted(TextOf(window)));
      } else {
        Note(L"clicked a text box of " + Quoted(TextOf(window)));
      }
      return;
    }
    const std::wstring caption = TextOf(control);
    app.Pointer().Click(control);
    Note(L"clicked " + Quoted(caption) + L" in " + Quoted(TextOf(window)));
  }

  void PressKey(HWND window) {
    Melodex& app = App();
    // In the drive list, arrows and letters pick drives, and the other drive is the whole Unix
    // file system: there only keys that leave the list alone.
    const HWND focus = FocusOf(app.Program().MainThread());
    if (ClassOf(focus) == L"ComboBox") {
      const UINT key = Chance(0.5) ? VK_TAB : VK_ESCAPE;
      app.Press(key);
      Note(L"key " + std::to_wstring(key) + L" in the drive list");
      return;
    }
    static const UINT keys[] = {VK_TAB, VK_TAB,  VK_TAB,   VK_RETURN, VK_ESCAPE, VK_SPACE, VK_DOWN,
                                VK_UP,  VK_LEFT, VK_RIGHT, VK_HOME,   VK_END,    VK_BACK,  VK_F1};
    if (Chance(0.25)) {
      // An access key of the window, or of the main window's menus.
      const std::wstring letters = window == app.Main() ? L"duobtlavgqfh" : L"osc";
      const wchar_t letter =
          letters[static_cast<std::size_t>(Pick(static_cast<int>(letters.size())))];
      app.Alt(letter);
      Note(L"Alt+" + std::wstring(1, letter) + L" in " + Quoted(TextOf(window)));
      return;
    }
    if (Chance(0.15)) {
      const std::wstring text = Junk(6);
      app.Type(text);
      Note(L"typed " + Quoted(text) + L" in " + Quoted(TextOf(window)));
      return;
    }
    const UINT key = keys[Pick(static_cast<int>(std::size(keys)))];
    const bool inFolderList = window != app.Main() && ClassOf(focus) == L"ListBox";
    if (key == VK_RETURN && inFolderList) {
      // Enter opens the folder highlighted in the list, which a click, an arrow key or a
      // typed letter may have moved out of the monkey's folder: down into it first.
      for (int n = 0; n <= OwnEntry() && ListSelection(focus) < OwnEntry(); ++n) app.Press(VK_DOWN);
      const int highlighted = ListSelection(focus);
      const std::vector<std::wstring> entries = ListEntries(focus);
      app.Press(VK_RETURN);
      Note(L"Enter on " +
           (highlighted >= 0 && highlighted < static_cast<int>(entries.size())
                ? Quoted(entries[static_cast<std::size_t>(highlighted)])
                : std::wstring(L"no entry")) +
           L" in the picker");
      ExpectInside(window);
      return;
    }
    if (key == VK_F1) {
      app.Keys().PressF1();
      app.Settle();
    } else {
      app.Press(key);
    }
    Note(L"key " + std::to_wstring(key) + L" in " + Quoted(TextOf(window)));
  }

  // One step of the monkey.
  void Step() {
    Melodex& app = App();
    const DWORD thread = app.Program().MainThread();
    // The previous step has settled: a modal box asked for shows, the active window is in
    // front.
    const std::vector<HWND> windows = TopLevelWindows(app.Id());

    // A menu or a dropped-down list first: pick from it or leave it.
    if (InMenu(thread)) {
      const std::wstring keys = L"eab";  // never "x": Exit has its own, rarer, turn
      if (Chance(0.5)) {
        app.Press(VK_ESCAPE);
        Note(L"Esc in a menu");
      } else {
        const auto key = static_cast<UINT>(std::towupper(keys[static_cast<std::size_t>(Pick(3))]));
        app.Press(key);
        Note(L"menu key " + std::wstring(1, static_cast<wchar_t>(key)));
      }
      return;
    }
    for (const HWND window : windows) {
      if (ClassOf(window) == L"ComboLBox") {
        app.Press(VK_ESCAPE);
        Note(L"closed the drive list");
        return;
      }
    }
    // A box is modal: it is answered first.
    for (const HWND window : windows) {
      if (IsBox(window)) {
        ++visits_[L"box " + TextOf(window)];
        if (ActiveOf(thread) != window) app.Activate(window);
        AnswerBox(window);
        return;
      }
    }

    // Something to open now and then: the menus, the windows, the hidden place.
    const int turn = Pick(1000);
    if (turn < 1) {
      app.Activate(app.Main());
      if (Chance(0.5)) {
        app.Menu(L'f', L'x');
        Note(L"File, Exit");
      } else {
        app.Pointer().ClickCloseBox(app.Main());
        Note(L"the main window's close box");
      }
      ending_ = true;
      return;
    }
    if (turn < 60) {
      app.Activate(app.Main());
      const wchar_t item = L"eab"[Pick(3)];
      app.Menu(L'h', item);
      Note(L"Help menu, " + std::wstring(1, item));
      return;
    }
    if (turn < 62 && !secretTried_) {
      secretTried_ = true;
      app.Activate(app.Main());
      try {
        app.ClickSecretPlace();
        Note(L"the hidden place on the menu bar");
      } catch (const DriverError&) {
        Note(L"looked for the hidden place on the menu bar: found once already");
      }
      return;
    }

    // A window of the program, brought forward, and something done in it. The windows are
    // taken by caption, not in the screen's stacking order, which the window system keeps.
    std::vector<HWND> forms;
    for (const HWND window : windows)
      if (ClassOf(window) == L"MelodexForm") forms.push_back(window);
    std::sort(forms.begin(), forms.end(), [](HWND a, HWND b) { return TextOf(a) < TextOf(b); });
    if (forms.empty()) return;
    // Mostly where it is already, now and then another window.
    const HWND active = ActiveOf(thread);
    const bool stay = std::find(forms.begin(), forms.end(), active) != forms.end() && Chance(0.7);
    const HWND window = stay ? active : OneOf(forms);
    ++visits_[TextOf(window)];
    if (ActiveOf(thread) != window) app.Activate(window);
    const std::vector<HWND> controls = Usable(window);
    if (controls.empty() || Chance(0.35)) {
      PressKey(window);
    } else {
      UseControl(window, OneOf(controls));
    }
  }

  unsigned seed_ = 0;
  int steps_ = kSteps;
  std::FILE* log_ = nullptr;
  int step_ = 0;
  int pages_ = 0;
  bool ending_ = false;
  bool secretTried_ = false;
  Random random_;
  std::deque<std::wstring> history_;
  std::map<std::wstring, int> visits_;
  std::set<std::wstring> written_;
  // System Information is not to be found: a launch would start whatever the machine has.
  melodex::testing::MachineValue msinfo_{L"SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", L"PATH"};
  melodex::testing::MachineValue location_{L"SOFTWARE\\Microsoft\\Shared Tools Location",
                                           L"MSINFO"};
};

TEST_P(Monkey, RandomWalkOverEveryWindow) {
  const auto started = Clock::now();
  int restarts = 0;
  for (step_ = 1; step_ <= steps_; ++step_) {
    // Asked to end, or its main window gone: it has a few seconds to be gone.
    if (ending_ || !IsWindow(App().Main())) App().Program().WaitForEnd(10000);
    if (!App().Program().Running()) {
      const auto code = App().Program().ExitCode();
      ASSERT_TRUE(ending_ && code == 0u)
          << "the program ended " << (ending_ ? "with exit code " : "by itself, exit code ")
          << std::hex << code.value_or(0) << "; " << Replay();
      ending_ = false;
      ++restarts;
      Start();
    }
    ASSERT_TRUE(Process::Responsive(App().Main(), 5000)) << "the program hangs; " << Replay();
    try {
      Step();  // each of its clicks and keys waits until the program has taken it
    } catch (const DriverError& error) {
      if (!App().Program().Running() && ending_) continue;  // it ended on that step, as asked
      FAIL() << error.what() << "; " << Replay();
    }
    if (HasFatalFailure() || HasFailure()) return;
  }
  if (const auto leftover = LeftOvers()) FAIL() << Narrow(*leftover) << "; " << Replay();

  const auto seconds =
      std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - started).count() /
      1000.0;
  std::cout << step_ - 1 << " of " << steps_ << " steps in " << seconds << " s, " << pages_
            << " pages checked, " << restarts << " restarts; steps per window:";
  for (const auto& [window, count] : visits_) std::cout << " " << Narrow(window) << "=" << count;
  std::cout << "\n";
  for (const std::wstring& caption :
       {kMainCaption, kPickerCaption, kColoursCaption, kHelpCaption, kAboutCaption})
    EXPECT_GT(visits_[caption], 0)
        << "the monkey never used " << Narrow(caption) << "; seed " << seed_;
  for (const std::wstring& page : written_) DeleteFileW(page.c_str());
}

INSTANTIATE_TEST_SUITE_P(, Monkey, ::testing::ValuesIn(Seeds()),
                         [](const ::testing::TestParamInfo<unsigned>& seed) {
                           return "seed" + std::to_string(seed.param);
                         });

}  // namespace
}  // namespace e2e
