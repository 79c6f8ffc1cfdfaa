#include "ui/win32/Win32Backend.h"

#include <commctrl.h>

#include "Melodex.h"
#include "ui/win32/Win32Window.h"

namespace melodex::win32 {
namespace {

constexpr wchar_t kOwnerClass[] = L"MelodexOwner";

}  // namespace

Win32Backend::Win32Backend(HINSTANCE instance) : instance_(instance) {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  Win32Window::RegisterClass(instance);
  WNDCLASSEXW owner{};
  owner.cbSize = sizeof owner;
  owner.lpfnWndProc = DefWindowProcW;
  owner.hInstance = instance;
  owner.lpszClassName = kOwnerClass;
  RegisterClassExW(&owner);
}

Win32Backend::~Win32Backend() {
  if (hiddenOwner_) DestroyWindow(hiddenOwner_);
}

std::unique_ptr<ui::WindowPeer> Win32Backend::Realize(ui::Form& form) {
  return std::make_unique<Win32Window>(*this, form);
}

void Win32Backend::EndProgram() {
  ended_ = true;
  for (Win32Window* window : windows_) ShowWindow(window->Handle(), SW_HIDE);
  PostQuitMessage(0);
}

HWND Win32Backend::HiddenOwner() {
  if (!hiddenOwner_) {
    hiddenOwner_ = CreateWindowExW(0, kOwnerClass, kAppTitle, WS_POPUP, 0, 0, 0, 0, nullptr,
                                   nullptr, instance_, nullptr);
  }
  return hiddenOwner_;
}

Win32Window* Win32Backend::FindWindowFor(HWND window) const {
  const HWND root = GetAncestor(window, GA_ROOT);
  for (Win32Window* candidate : windows_) {
    if (candidate->Handle() == root) return candidate;
  }
  return nullptr;
}

HWND Win32Backend::WindowOf(const ui::Form& form) const {
  for (Win32Window* window : windows_) {
    if (&window->Form() == &form) return window->Handle();
  }
  return nullptr;
}

HWND Win32Backend::WindowOf(const ui::Control& control) const {
  for (Win32Window* window : windows_) {
    if (const HWND child = window->HandleOf(control)) return child;
  }
  return nullptr;
}

}  // namespace melodex::win32
