#include "platform/win32/ScreenReaderName.h"

#include <oleacc.h>

#include <new>
#include <string>

namespace melodex::win32 {
namespace {

// IAccessible's id, spelt out: oleacc's import library has a symbol of the same name that
// is no GUID, and which of the two the linker takes depends on the order of the libraries.
constexpr IID kAccessibleId = {
    0x618736e0, 0x3c3d, 0x11cf, {0x81, 0x0c, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71}};

bool IsSelf(const VARIANT& child) { return child.vt == VT_I4 && child.lVal == CHILDID_SELF; }

// What a reader's request needs of COM and the accessibility library, loaded from the system's
// folder when the first request comes: most runs have no reader, and loading the three
// libraries at start would cost every run its time.
struct Accessibility {
  decltype(&CoInitializeEx) initializeCom;
  decltype(&CreateStdAccessibleObject) createStandard;
  decltype(&LresultFromObject) resultFromObject;
  decltype(&SysAllocStringLen) allocString;
  decltype(&SysFreeString) freeString;
  decltype(&VariantChangeType) changeType;
  decltype(&VariantClear) clear;
};

template <class Function>
bool Find(HMODULE library, const char* name, Function& function) {
  const FARPROC found = library ? GetProcAddress(library, name) : nullptr;
  // Through the one function type the compiler takes as "any function".
  function = reinterpret_cast<Function>(reinterpret_cast<void (*)()>(found));
  return found != nullptr;
}

// Null when the system lacks any of it; then the system answers readers as it would anyway.
// The libraries stay loaded: the objects handed to readers live on in them.
const Accessibility* Loaded() noexcept {
  static const Accessibility* const loaded = []() -> const Accessibility* {
    static Accessibility functions{};
    auto load = [](const wchar_t* name) {
      return LoadLibraryExW(name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    };
    const HMODULE com = load(L"ole32.dll");
    const HMODULE automation = load(L"oleaut32.dll");
    const HMODULE oleacc = load(L"oleacc.dll");
    const bool found = Find(com, "CoInitializeEx", functions.initializeCom) &&
                       Find(oleacc, "CreateStdAccessibleObject", functions.createStandard) &&
                       Find(oleacc, "LresultFromObject", functions.resultFromObject) &&
                       Find(automation, "SysAllocStringLen", functions.allocString) &&
                       Find(automation, "SysFreeString", functions.freeString) &&
                       Find(automation, "VariantChangeType", functions.changeType) &&
                       Find(automation, "VariantClear", functions.clear);
    return found ? &functions : nullptr;
  }();
  return loaded;
}

// COM objects are destroyed by their own Release, never through the interface.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"

// The system's standard accessible object of a control under another name. Every question
// but the control's own name goes to the standard object as it was asked; the name is fixed
// when the object is made, as a reader asks for it anew when the control takes the focus.
class NamedAccessible final : public IAccessible {
 public:
  // Takes over the reference to `standard` and the string `name`, `length` characters long.
  NamedAccessible(const Accessibility& system, HWND control, IAccessible* standard, BSTR name,
                  UINT length)
      : system_(system), control_(control), standard_(standard), name_(name), length_(length) {}
  NamedAccessible(const NamedAccessible&) = delete;
  NamedAccessible& operator=(const NamedAccessible&) = delete;

  // --- IUnknown ---
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (!object) return E_POINTER;
    // Only what this object is itself: another interface of the standard object would
    // answer with the standard object's name.
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch) ||
        IsEqualIID(iid, kAccessibleId)) {
      *object = static_cast<IAccessible*>(this);
      AddRef();
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return InterlockedIncrement(&references_); }
  ULONG STDMETHODCALLTYPE Release() override {
    const LONG left = InterlockedDecrement(&references_);
    if (left == 0) delete this;
    return left;
  }

  // --- IDispatch ---
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    return standard_->GetTypeInfoCount(count);
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override {
    return standard_->GetTypeInfo(index, locale, info);
  }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale,
                                          DISPID* ids) override {
    return standard_->GetIDsOfNames(iid, names, count, locale, ids);
  }
  // A script asking for the name through IDispatch hears the same name as a reader.
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID locale, WORD flags,
                                   DISPPARAMS* parameters, VARIANT* result, EXCEPINFO* exception,
                                   UINT* badArgument) override {
    if (id == DISPID_ACC_NAME && (flags & DISPATCH_PROPERTYGET) && parameters &&
        parameters->cNamedArgs == 0 && parameters->cArgs <= 1 && OwnName()) {
      VARIANT child{};  // VT_EMPTY
      bool self = parameters->cArgs == 0;
      if (!self) {
        VARIANT& given = parameters->rgvarg[0];
        self = (given.vt == VT_ERROR && given.scode == DISP_E_PARAMNOTFOUND) ||
               (SUCCEEDED(system_.changeType(&child, &given, 0, VT_I4)) && IsSelf(child));
        system_.clear(&child);
      }
      if (self) {
        if (!result) return S_OK;
        result->vt = VT_EMPTY;
        result->bstrVal = system_.allocString(name_, length_);
        if (!result->bstrVal) return E_OUTOFMEMORY;
        result->vt = VT_BSTR;
        return S_OK;
      }
    }
    return standard_->Invoke(id, iid, locale, flags, parameters, result, exception, badArgument);
  }

  // --- IAccessible ---
  HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
    if (!IsSelf(child) || !OwnName()) return standard_->get_accName(child, name);
    if (!name) return E_POINTER;
    *name = system_.allocString(name_, length_);
    return *name ? S_OK : E_OUTOFMEMORY;
  }
  HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
    return standard_->get_accParent(parent);
  }
  HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) override {
    return standard_->get_accChildCount(count);
  }
  HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override {
    return standard_->get_accChild(child, object);
  }
  HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
    return standard_->get_accValue(child, value);
  }
  HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override {
    return standard_->get_accDescription(child, description);
  }
  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
    return standard_->get_accRole(child, role);
  }
  HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
    return standard_->get_accState(child, state);
  }
  HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override {
    return standard_->get_accHelp(child, help);
  }
  HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, LONG* topic) override {
    return standard_->get_accHelpTopic(file, child, topic);
  }
  HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override {
    return standard_->get_accKeyboardShortcut(child, shortcut);
  }
  HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override {
    return standard_->get_accFocus(child);
  }
  HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* children) override {
    return standard_->get_accSelection(children);
  }
  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
    return standard_->get_accDefaultAction(child, action);
  }
  HRESULT STDMETHODCALLTYPE accSelect(LONG flags, VARIANT child) override {
    return standard_->accSelect(flags, child);
  }
  HRESULT STDMETHODCALLTYPE accLocation(LONG* left, LONG* top, LONG* width, LONG* height,
                                        VARIANT child) override {
    return standard_->accLocation(left, top, width, height, child);
  }
  HRESULT STDMETHODCALLTYPE accNavigate(LONG direction, VARIANT start, VARIANT* end) override {
    return standard_->accNavigate(direction, start, end);
  }
  HRESULT STDMETHODCALLTYPE accHitTest(LONG left, LONG top, VARIANT* child) override {
    return standard_->accHitTest(left, top, child);
  }
  HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
    return standard_->accDoDefaultAction(child);
  }
  HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override {
    return standard_->put_accName(child, name);
  }
  HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override {
    return standard_->put_accValue(child, value);
  }

 private:
  ~NamedAccessible() {
    standard_->Release();
    system_.freeString(name_);
  }

  // Once the control is gone, the standard object says so for the name as for the rest.
  bool OwnName() const { return IsWindow(control_); }

  const Accessibility& system_;
  HWND control_;
  IAccessible* standard_;
  BSTR name_;
  UINT length_;
  LONG references_ = 1;
};

#pragma GCC diagnostic pop

ObjectHandOver plantedHandOver = nullptr;
StandardObjectMaker plantedMaker = nullptr;

// The named object for a reader's WM_GETOBJECT, or 0 to leave the question to the system.
// Nothing in it throws, as nothing may unwind into the window system.
LRESULT Answer(HWND control, WPARAM flags, const std::wstring& name) noexcept {
  if (name.empty()) return 0;
  const Accessibility* const system = Loaded();
  if (!system) return 0;
  // The reader's request is the first need of COM on this thread, which stays initialised
  // for it from then on.
  thread_local const HRESULT com = system->initializeCom(nullptr, COINIT_APARTMENTTHREADED);
  if (FAILED(com) && com != RPC_E_CHANGED_MODE) return 0;
  // The object's own copy, made before the system is asked for anything that might rename
  // the control meanwhile.
  const auto length = static_cast<UINT>(name.size());
  const BSTR copy = system->allocString(name.data(), length);
  if (!copy) return 0;
  IAccessible* standard = nullptr;
  const StandardObjectMaker make = plantedMaker ? plantedMaker : system->createStandard;
  if (FAILED(make(control, OBJID_CLIENT, kAccessibleId, reinterpret_cast<void**>(&standard)))) {
    system->freeString(copy);
    return 0;
  }
  auto* named = new (std::nothrow) NamedAccessible(*system, control, standard, copy, length);
  if (!named) {
    system->freeString(copy);
    standard->Release();
    return 0;
  }
  const ObjectHandOver handOver = plantedHandOver ? plantedHandOver : system->resultFromObject;
  const LRESULT answer = handOver(kAccessibleId, flags, named);
  named->Release();  // the answer holds its own reference
  // A failure is a negative error code; the system's own object answers then.
  return answer > 0 ? answer : 0;
}

// A named control's entry, kept with its window in its user data: its window procedure from
// before and its own copy of the name. A lookup costs one read of the window's own data,
// which Wine answers in the process, unlike a window property, which it asks the window
// server for, on every message.
struct NamedControl {
  WNDPROC original;
  std::wstring name;
};

LRESULT CALLBACK NamedProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* const named = reinterpret_cast<NamedControl*>(GetWindowLongPtrW(control, GWLP_USERDATA));
  if (!named) return DefWindowProcW(control, message, wParam, lParam);
  const WNDPROC original = named->original;
  // The object id comes as a 32-bit number in a wider parameter.
  if (message == WM_GETOBJECT && static_cast<DWORD>(lParam) == static_cast<DWORD>(OBJID_CLIENT)) {
    const LRESULT answer = Answer(control, wParam, named->name);
    if (answer) return answer;
  } else if (message == WM_NCDESTROY) {
    // The window's last message: its entry goes with it. Nothing is written back onto a
    // window that is going; should a message still come, it goes to the system's default.
    SetWindowLongPtrW(control, GWLP_USERDATA, 0);
    delete named;
  }
  return CallWindowProcW(original, control, message, wParam, lParam);
}

}  // namespace

void HandObjectsOverThrough(ObjectHandOver handOver) { plantedHandOver = handOver; }
void MakeStandardObjectsThrough(StandardObjectMaker make) { plantedMaker = make; }

void NameForScreenReaders(HWND control, std::wstring_view name) {
  const LONG_PTR data = GetWindowLongPtrW(control, GWLP_USERDATA);
  if (data != 0) {
    // Named before, when the procedure is still this one's: the user data is its entry.
    if (GetWindowLongPtrW(control, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&NamedProc))
      reinterpret_cast<NamedControl*>(data)->name.assign(name);
    return;
  }
  // A control without a name of its own costs nothing on its messages.
  if (name.empty()) return;
  const auto original = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(control, GWLP_WNDPROC));
  if (!original) return;  // no such window
  // Known before the first message can reach the new procedure.
  auto* const named = new NamedControl{original, std::wstring(name)};
  SetWindowLongPtrW(control, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(named));
  if (!SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&NamedProc))) {
    SetWindowLongPtrW(control, GWLP_USERDATA, 0);  // gone meanwhile
    delete named;
  }
}

}  // namespace melodex::win32
