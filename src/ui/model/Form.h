#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "ui/model/Backend.h"
#include "ui/model/Control.h"
#include "ui/model/Menu.h"

namespace melodex::ui {

enum class BorderStyle {
  FixedSingle,      // a fixed frame with a caption
  FixedToolWindow,  // a fixed frame with a narrow caption
};

// A window: its design (set by the derived class's constructor), its controls and menu, its
// life (load, show, hide, unload) and the keyboard rules every window follows.
class Form {
 public:
  struct Design {
    std::wstring caption;
    int clientWidth = 0;  // twips
    int clientHeight = 0;
    BorderStyle border = BorderStyle::FixedSingle;
    bool centered = true;
    bool showInTaskbar = true;
    Color backColor;
  };

  Form(Backend& backend, std::string_view name, Design design);
  virtual ~Form();
  Form(const Form&) = delete;
  Form& operator=(const Form&) = delete;

  // Its name in code: a literal, of which only a view is kept.
  std::string_view Name() const { return name_; }
  const Design& Layout() const { return design_; }

  // --- Life ---
  bool Loaded() const { return peer_ != nullptr; }
  bool Visible() const { return visible_; }
  // Whether the form was loaded once and unloaded since: its state is gone.
  bool Unloaded() const { return unloaded_; }
  // Creates the window (hidden) and runs Form_Load, unless it is loaded already.
  void Load();
  // Loads the form if needed, shows it without an owner and brings it to the front.
  void Show();
  void Hide();
  void Unload();

  const std::wstring& Caption() const { return caption_; }
  void SetCaption(std::wstring caption);

  // The outer size of the window, frame included, in twips; 0 until code sets it.
  int OuterWidth() const { return outerWidth_; }
  int OuterHeight() const { return outerHeight_; }
  void SetOuterHeight(int twips);
  void SetOuterWidth(int twips);

  const std::vector<Control*>& Controls() const { return controls_; }
  const std::vector<MenuItem*>& MenuBar() const { return menuBar_; }
  CommandButton* DefaultButton() const { return defaultButton_; }
  CommandButton* CancelButton() const { return cancelButton_; }

  // --- Keyboard ---
  // The controls that can take the focus now, in tab order.
  std::vector<Control*> TabOrder() const;
  Control* Focused() const { return focused_; }
  void SetFocus(Control& control);
  void PressTab(bool backwards = false);
  // The button Enter presses: the focused button, or else the default button; none while
  // the focused control takes Enter itself.
  CommandButton* EnterTarget() const;
  void PressEnter();
  void PressEscape();  // presses the cancel button
  void PressSpace();   // presses the focused control
  // Alt and a letter: presses the one control with that access key; with several, moves
  // the focus to the next of them; a label passes the focus to the control after it. False
  // when no enabled control has the key, which is then the menu bar's.
  bool PressAccessKey(wchar_t key);

  // --- What the real window reports ---
  void OnUserFocus(Control& control) { focused_ = &control; }
  // The user closes the window through its frame (close box, Alt+F4, system menu).
  virtual void CloseBox() { Hide(); }

  WindowPeer* Peer() const { return peer_.get(); }

 protected:
  virtual void Form_Load() {}
  void SetDefaultButton(CommandButton& button) { defaultButton_ = &button; }
  void SetCancelButton(CommandButton& button) { cancelButton_ = &button; }

 private:
  friend class Control;
  friend class MenuItem;
  friend class OptionButton;
  void Add(Control& control) { controls_.push_back(&control); }
  void Add(MenuItem& item) { menuBar_.push_back(&item); }

  Backend& backend_;
  std::string_view name_;
  Design design_;
  std::unique_ptr<WindowPeer> peer_;
  bool visible_ = false;
  bool unloaded_ = false;
  std::wstring caption_;
  int outerWidth_ = 0;
  int outerHeight_ = 0;
  std::vector<Control*> controls_;
  std::vector<MenuItem*> menuBar_;
  CommandButton* defaultButton_ = nullptr;
  CommandButton* cancelButton_ = nullptr;
  Control* focused_ = nullptr;
};

}  // namespace melodex::ui
