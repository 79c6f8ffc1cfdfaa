#include "ui/memory/MemoryBackend.h"

#include <algorithm>

#include "ui/model/Control.h"
#include "ui/model/Menu.h"

namespace melodex {

class MemoryBackend::Peer : public ui::WindowPeer {
 public:
  Peer(MemoryBackend& backend, ui::Form& form) : backend_(backend), form_(form) {
    backend_.peers_.push_back(this);
  }
  ~Peer() override { std::erase(backend_.peers_, this); }

  void Show() override {
    shownAt_ = ++backend_.clock_;
    shown_ = true;
  }
  void Hide() override { shown_ = false; }
  void CaptionChanged() override {}
  void ControlChanged(const ui::Control& control) override {
    backend_.changes.push_back(control.Name());
  }
  void MenuChanged(const ui::MenuItem& item) override { backend_.changes.push_back(item.Name()); }
  void FocusChanged(const ui::Control& control) override { focused_ = &control; }
  void OuterSizeChanged() override {
    backend_.outerSizes.push_back({form_.Name(), form_.OuterWidth(), form_.OuterHeight()});
  }

  MemoryBackend& backend_;
  ui::Form& form_;
  long long shownAt_ = 0;
  const ui::Control* focused_ = nullptr;
  bool shown_ = false;
};

MemoryBackend::~MemoryBackend() = default;

std::unique_ptr<ui::WindowPeer> MemoryBackend::Realize(ui::Form& form) {
  realized_.push_back(form.Name());
  return std::make_unique<Peer>(*this, form);
}

void MemoryBackend::EndProgram() { ended_ = true; }

const ui::Form* MemoryBackend::Front() const {
  const Peer* front = nullptr;
  for (const Peer* peer : peers_) {
    if (peer->shown_ && (!front || peer->shownAt_ > front->shownAt_)) front = peer;
  }
  return front ? &front->form_ : nullptr;
}

const MemoryBackend::Peer* MemoryBackend::PeerOf(const ui::Form& form) const {
  const auto peer =
      std::find_if(peers_.begin(), peers_.end(), [&](const Peer* p) { return &p->form_ == &form; });
  return peer != peers_.end() ? *peer : nullptr;
}

const ui::Control* MemoryBackend::FocusedIn(const ui::Form& form) const {
  const Peer* peer = PeerOf(form);
  return peer ? peer->focused_ : nullptr;
}

bool MemoryBackend::Shown(const ui::Form& form) const {
  const Peer* peer = PeerOf(form);
  return peer && peer->shown_;
}

int MemoryBackend::Realized(std::string_view formName) const {
  return static_cast<int>(std::count(realized_.begin(), realized_.end(), formName));
}

}  // namespace melodex
