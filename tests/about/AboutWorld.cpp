#include "about/AboutWorld.h"

namespace melodex::testing {

class SizeRecordingBackend::Peer : public ui::WindowPeer {
 public:
  Peer(SizeRecordingBackend& backend, ui::Form& form, std::unique_ptr<ui::WindowPeer> inner)
      : backend_(backend), form_(form), inner_(std::move(inner)) {}

  void Show() override { inner_->Show(); }
  void Hide() override { inner_->Hide(); }
  void CaptionChanged() override { inner_->CaptionChanged(); }
  void ControlChanged(const ui::Control& control) override { inner_->ControlChanged(control); }
  void MenuChanged(const ui::MenuItem& item) override { inner_->MenuChanged(item); }
  void FocusChanged(const ui::Control& control) override { inner_->FocusChanged(control); }
  void OuterSizeChanged() override {
    backend_.sizes.push_back({form_.Name(), form_.OuterWidth(), form_.OuterHeight()});
    inner_->OuterSizeChanged();
  }

 private:
  SizeRecordingBackend& backend_;
  ui::Form& form_;
  std::unique_ptr<ui::WindowPeer> inner_;
};

std::unique_ptr<ui::WindowPeer> SizeRecordingBackend::Realize(ui::Form& form) {
  return std::make_unique<Peer>(*this, form, memory.Realize(form));
}

}  // namespace melodex::testing
