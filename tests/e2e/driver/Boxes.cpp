#include "e2e/driver/Boxes.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

#include "e2e/driver/Waiting.h"
#include "e2e/driver/Windows.h"

namespace e2e {
namespace {

constexpr int kMessageTextId = 0xFFFF;  // the text control of every message box

std::wstring Join(const std::vector<std::wstring>& texts) {
  std::wstring out = L"[";
  for (std::size_t i = 0; i < texts.size(); ++i) out += (i ? L", " : L"") + Quoted(texts[i]);
  return out + L"]";
}

// The button drawn as the default one, which Enter presses while the focus is on none of
// the others; the dialog's default identifier where no button is drawn so.
std::wstring DefaultButton(HWND box) {
  for (const HWND button : ChildrenOfClass(box, L"Button")) {
    if ((GetWindowLongW(button, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON)
      return TextOf(button);
  }
  const auto answer = Ask(box, DM_GETDEFID);
  if (HIWORD(answer) != DC_HASDEFID) return L"";
  const HWND button = GetDlgItem(box, LOWORD(answer));
  return button ? TextOf(button) : L"";
}

std::vector<std::wstring> Buttons(HWND box) {
  // Left to right; buttons one above the other (an input box's) stay top to bottom.
  std::vector<HWND> buttons = ChildrenOfClass(box, L"Button");
  std::stable_sort(buttons.begin(), buttons.end(),
                   [](HWND a, HWND b) { return ScreenRect(a).left < ScreenRect(b).left; });
  std::vector<std::wstring> captions;
  for (const HWND button : buttons) captions.push_back(TextOf(button));
  return captions;
}

// The pixels of a screen rectangle, or of an icon drawn on a plain background, as 0xRRGGBB.
class Pixels {
 public:
  Pixels(int width, int height) : width_(width), height_(height) {
    screen_ = GetDC(nullptr);
    dc_ = CreateCompatibleDC(screen_);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    bitmap_ = CreateDIBSection(screen_, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits_),
                               nullptr, 0);
    old_ = SelectObject(dc_, bitmap_);
  }
  ~Pixels() {
    SelectObject(dc_, old_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
    ReleaseDC(nullptr, screen_);
  }
  Pixels(const Pixels&) = delete;
  Pixels& operator=(const Pixels&) = delete;

  void CopyScreen(int left, int top) {
    BitBlt(dc_, 0, 0, width_, height_, screen_, left, top, SRCCOPY);
    GdiFlush();
  }
  void DrawIcon(HICON icon, std::uint32_t background) {
    const HBRUSH brush = CreateSolidBrush(
        RGB((background >> 16) & 0xFF, (background >> 8) & 0xFF, background & 0xFF));
    const RECT all{0, 0, width_, height_};
    FillRect(dc_, &all, brush);
    DeleteObject(brush);
    DrawIconEx(dc_, 0, 0, icon, width_, height_, 0, nullptr, DI_NORMAL);
    GdiFlush();
  }
  std::uint32_t At(int x, int y) const { return bits_[y * width_ + x] & 0xFFFFFF; }
  int Size() const { return width_ * height_; }

  // The share of pixels that look the same in both (within a little rounding).
  double Likeness(const Pixels& other) const {
    int same = 0;
    for (int y = 0; y < height_; ++y) {
      for (int x = 0; x < width_; ++x) {
        const std::uint32_t a = At(x, y), b = other.At(x, y);
        bool close = true;
        for (int shift = 0; shift < 24; shift += 8) {
          if (std::abs(static_cast<int>((a >> shift) & 0xFF) -
                       static_cast<int>((b >> shift) & 0xFF)) > 24)
            close = false;
        }
        if (close) ++same;
      }
    }
    return static_cast<double>(same) / Size();
  }

 private:
  int width_, height_;
  HDC screen_, dc_;
  HBITMAP bitmap_;
  HGDIOBJ old_;
  std::uint32_t* bits_ = nullptr;
};

BoxIcon IconOf(HWND box) {
  for (const HWND child : Children(box)) {
    if (ClassOf(child) != L"Static" || !IsWindowVisible(child)) continue;
    if ((GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) != SS_ICON) continue;
    if (Ask(child, STM_GETICON) == 0) return BoxIcon::None;

    const RECT rect = ScreenRect(child);
    const int size = std::min({static_cast<int>(rect.right - rect.left),
                               static_cast<int>(rect.bottom - rect.top),
                               GetSystemMetricsForDpi(SM_CXICON, DpiOf(box))});
    Pixels shown(size, size);
    shown.CopyScreen(rect.left, rect.top);
    const std::uint32_t background = shown.At(0, 0);  // the icons' corners are clear
    const struct {
      LPCWSTR id;
      BoxIcon icon;
    } candidates[] = {{IDI_HAND, BoxIcon::Critical},
                      {IDI_QUESTION, BoxIcon::Question},
                      {IDI_EXCLAMATION, BoxIcon::Exclamation},
                      {IDI_ASTERISK, BoxIcon::Information}};
    BoxIcon best = BoxIcon::Unknown;
    double bestLikeness = 0.9;  // below this it is none of them
    for (const auto& candidate : candidates) {
      Pixels drawn(size, size);
      drawn.DrawIcon(LoadIconW(nullptr, candidate.id), background);
      const double likeness = shown.Likeness(drawn);
      if (likeness > bestLikeness) {
        bestLikeness = likeness;
        best = candidate.icon;
      }
    }
    return best;
  }
  return BoxIcon::None;
}

}  // namespace

const wchar_t* Name(BoxIcon icon) {
  switch (icon) {
    case BoxIcon::None:
      return L"no icon";
    case BoxIcon::Critical:
      return L"critical (stop) icon";
    case BoxIcon::Question:
      return L"question icon";
    case BoxIcon::Exclamation:
      return L"exclamation icon";
    case BoxIcon::Information:
      return L"information icon";
    case BoxIcon::Unknown:
      return L"an icon that is none of the system's";
  }
  return L"?";
}

std::wstring Describe(const MessageBoxSeen& box) {
  return L"message box titled " + Quoted(box.title) + L" saying " + Quoted(box.text) +
         L", buttons " + Join(box.buttons) + L", " + Name(box.icon) + L", default button " +
         Quoted(box.defaultButton);
}

void PrintTo(const MessageBoxSeen& box, std::ostream* out) { *out << Narrow(Describe(box)); }

std::wstring Describe(const InputBoxSeen& box) {
  return L"input box titled " + Quoted(box.title) + L" asking " + Quoted(box.prompt) + L" with " +
         Quoted(box.text) + L" in its edit box, buttons " + Join(box.buttons) +
         L", default button " + Quoted(box.defaultButton);
}

void PrintTo(const InputBoxSeen& box, std::ostream* out) { *out << Narrow(Describe(box)); }

bool IsBox(HWND window) { return ClassOf(window) == L"#32770"; }

MessageBoxSeen ReadMessageBox(HWND box) {
  MessageBoxSeen seen;
  seen.title = TextOf(box);
  const HWND text = GetDlgItem(box, kMessageTextId);
  if (!text) throw DriverError(Describe(box) + L" is not a message box: it has no text control");
  seen.text = TextOf(text);
  seen.buttons = Buttons(box);
  // The icon's picture reaches the screen a moment after the program has drawn it.
  const auto deadline = Clock::now() + kPatience;
  seen.icon = IconOf(box);
  while (seen.icon == BoxIcon::Unknown && Clock::now() < deadline) {
    Sleep(15);
    seen.icon = IconOf(box);
  }
  seen.defaultButton = DefaultButton(box);
  return seen;
}

InputBoxSeen ReadInputBox(HWND box) {
  InputBoxSeen seen;
  seen.title = TextOf(box);
  const std::vector<HWND> statics = ChildrenOfClass(box, L"Static");
  const std::vector<HWND> edits = ChildrenOfClass(box, L"Edit");
  if (statics.size() != 1 || edits.size() != 1) {
    throw DriverError(Describe(box) +
                      L" is not an input box: it should have one prompt and one "
                      L"edit box");
  }
  seen.prompt = TextOf(statics[0]);
  seen.text = TextOf(edits[0]);
  seen.buttons = Buttons(box);
  seen.defaultButton = DefaultButton(box);
  return seen;
}

HWND BoxButton(HWND box, const std::wstring& caption) {
  return ChildByCaption(box, caption, L"Button");
}

}  // namespace e2e
