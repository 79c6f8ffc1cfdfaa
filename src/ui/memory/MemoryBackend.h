#pragma once

#include <string_view>
#include <vector>

#include "ui/model/Backend.h"
#include "ui/model/Form.h"

namespace melodex {

// Windows that exist only as the model says, for tests: it remembers which are open, which
// are shown and which one is in front, which control each was told has the focus, the controls
// and menu items they were told had changed, every change of a window's outer size, and
// whether the program has ended. What a test reads here is what the windows were told, not
// what the model holds.
class MemoryBackend : public ui::Backend {
 public:
  ~MemoryBackend() override;

  std::unique_ptr<ui::WindowPeer> Realize(ui::Form& form) override;
  void EndProgram() override;

  bool Ended() const { return ended_; }
  // The visible window shown or brought forward last, or null.
  const ui::Form* Front() const;
  // The control the form's window was last told has the focus, or null.
  const ui::Control* FocusedIn(const ui::Form& form) const;
  // Whether the form's window was last told to show rather than to hide.
  bool Shown(const ui::Form& form) const;

  // The names of the controls and menu items the windows were told had changed, in order.
  std::vector<std::string_view> changes;
  // How many windows were created for forms of that name.
  int Realized(std::string_view formName) const;

  // Each change of a window's outer size, with the size as it stood right after it.
  struct OuterSize {
    std::string_view form;
    int width;
    int height;
    bool operator==(const OuterSize&) const = default;
  };
  std::vector<OuterSize> outerSizes;

 private:
  class Peer;
  friend class Peer;
  const Peer* PeerOf(const ui::Form& form) const;
  std::vector<Peer*> peers_;
  std::vector<std::string_view> realized_;
  long long clock_ = 0;
  bool ended_ = false;
};

}  // namespace melodex
