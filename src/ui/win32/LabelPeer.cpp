#include <windows.h>

#include <commctrl.h>

#include <iterator>

#include "ui/win32/ControlPeer.h"
#include "ui/win32/Win32Support.h"
#include "ui/win32/Win32Window.h"

namespace melodex::win32 {
namespace {

// Text on the window, in the label's own font and colours where it has them.
class LabelPeer : public ControlPeer {
 public:
  LabelPeer(Win32Window& window, ui::Label& label) : ControlPeer(window, label), label_(label) {}
  ~LabelPeer() override {
    if (font_) DeleteObject(font_);
  }

  void Apply() override {
    ControlPeer::Apply();
    InvalidateRect(Handle(), nullptr, TRUE);
  }
  void Relayout() override {
    const HFONT old = font_;
    font_ = nullptr;  // made anew for the new DPI
    ControlPeer::Relayout();
    if (old) DeleteObject(old);
  }

 private:
  ChildStyle Style() const override { return {WC_STATICW, SS_LEFT}; }

  HFONT Font() override {
    const ui::Font& font = label_.Appearance().font;
    if (font.name.empty()) return ControlPeer::Font();
    if (font_) return font_;
    LOGFONTW look{};
    look.lfHeight = -MulDiv(font.points, static_cast<int>(Window().Dpi()), 72);
    look.lfWeight = font.bold ? FW_BOLD : FW_NORMAL;
    look.lfItalic = font.italic;
    look.lfUnderline = font.underline;
    look.lfCharSet = DEFAULT_CHARSET;
    look.lfQuality = CLEARTYPE_QUALITY;
    // The old bitmap font has become a TrueType font of a slightly different name.
    const std::wstring face = font.name == L"MS Sans Serif" ? L"Microsoft Sans Serif" : font.name;
    lstrcpynW(look.lfFaceName, face.c_str(), static_cast<int>(std::size(look.lfFaceName)));
    font_ = CreateFontIndirectW(&look);
    return font_;
  }

  void Colors(COLORREF& fore, COLORREF& back) const override {
    fore = ColorOf(label_.Appearance().foreColor, fore);
    back = ColorOf(label_.Appearance().backColor, back);
  }

  ui::Label& label_;
  HFONT font_ = nullptr;
};

}  // namespace

std::unique_ptr<ControlPeer> MakeLabelPeer(Win32Window& window, ui::Label& label) {
  return std::make_unique<LabelPeer>(window, label);
}

}  // namespace melodex::win32
