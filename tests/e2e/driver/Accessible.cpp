#include "e2e/driver/Accessible.h"

#include <oleacc.h>

#include "e2e/driver/Waiting.h"
#include "e2e/driver/Windows.h"

namespace e2e {
namespace {

// IAccessible's id, spelt out: oleacc's import library has a symbol of the same name that is
// no GUID.
constexpr IID kAccessibleId = {
    0x618736e0, 0x3c3d, 0x11cf, {0x81, 0x0c, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71}};

// COM for this process, once: the objects of another program come through it.
void NeedCom() {
  static const HRESULT com = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
  if (FAILED(com) && com != RPC_E_CHANGED_MODE)
    throw DriverError(L"COM cannot be initialised (" + std::to_wstring(com) + L")");
}

class Object {
 public:
  explicit Object(IAccessible* object) : object_(object) {}
  ~Object() {
    if (object_) object_->Release();
  }
  Object(const Object&) = delete;
  Object& operator=(const Object&) = delete;
  IAccessible* operator->() const { return object_; }

 private:
  IAccessible* object_;
};

VARIANT Self() {
  VARIANT self;
  VariantInit(&self);
  self.vt = VT_I4;
  self.lVal = CHILDID_SELF;
  return self;
}

// A text property: empty when the object states none.
template <class Get>
std::wstring Text(Get get) {
  BSTR text = nullptr;
  if (FAILED(get(&text)) || !text) return L"";
  std::wstring copy(text, SysStringLen(text));
  SysFreeString(text);
  return copy;
}

long Role(const Object& object) {
  VARIANT role;
  VariantInit(&role);
  if (FAILED(object->get_accRole(Self(), &role))) return 0;
  const long value = role.vt == VT_I4 ? role.lVal : 0;
  VariantClear(&role);
  return value;
}

}  // namespace

AccessibleSeen ReadAccessible(HWND control) {
  NeedCom();
  IAccessible* found = nullptr;
  const HRESULT result = AccessibleObjectFromWindow(
      control, static_cast<DWORD>(OBJID_CLIENT), kAccessibleId, reinterpret_cast<void**>(&found));
  if (FAILED(result) || !found)
    throw DriverError(L"no accessible object for " + Describe(control) + L" (" +
                      std::to_wstring(result) + L")");
  const Object object(found);
  return {Text([&](BSTR* name) { return object->get_accName(Self(), name); }), Role(object),
          Text([&](BSTR* value) { return object->get_accValue(Self(), value); })};
}

long StandardRole(HWND control) {
  NeedCom();
  IAccessible* made = nullptr;
  if (FAILED(CreateStdAccessibleObject(control, OBJID_CLIENT, kAccessibleId,
                                       reinterpret_cast<void**>(&made))) ||
      !made)
    throw DriverError(L"no standard accessible object for " + Describe(control));
  return Role(Object(made));
}

}  // namespace e2e
