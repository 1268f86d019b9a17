#include "win32ui/ControlNames.h"

#include <commctrl.h>
#include <oleacc.h>

#include <string>
#include <vector>

#include "language/win32/WideText.h"
#include "window/AccessibleNames.h"

namespace kestrel::win32 {

namespace {

// The system's accessible object of a control with another name: every
// call but the name of the control itself goes to the system's object.
class NamedAccessible final : public IAccessible {
 public:
  NamedAccessible(IAccessible* system, std::wstring name) : system_(system), name_(std::move(name)) {}

  // IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (object == nullptr) return E_POINTER;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch) || IsEqualIID(iid, __uuidof(IAccessible))) {
      *object = static_cast<IAccessible*>(this);
      AddRef();
      return S_OK;
    }
    // The system object's other faces (its window, its children) stay its own.
    return system_->QueryInterface(iid, object);
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return InterlockedIncrement(&references_); }
  ULONG STDMETHODCALLTYPE Release() override {
    const ULONG left = InterlockedDecrement(&references_);
    if (left == 0) delete this;
    return left;
  }

  // IDispatch
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override { return system_->GetTypeInfoCount(count); }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override {
    return system_->GetTypeInfo(index, locale, info);
  }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale, DISPID* ids) override {
    return system_->GetIDsOfNames(iid, names, count, locale, ids);
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID locale, WORD flags, DISPPARAMS* parameters,
                                   VARIANT* result, EXCEPINFO* exception, UINT* argument) override {
    return system_->Invoke(id, iid, locale, flags, parameters, result, exception, argument);
  }

  // IAccessible: the name of the control itself is ours.
  HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
    if (child.vt != VT_I4 || child.lVal != CHILDID_SELF) return system_->get_accName(child, name);
    if (name == nullptr) return E_POINTER;
    *name = SysAllocString(name_.c_str());
    return *name ? S_OK : E_OUTOFMEMORY;
  }
  HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override { return system_->get_accParent(parent); }
  HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override { return system_->get_accChildCount(count); }
  HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override {
    return system_->get_accChild(child, object);
  }
  HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
    return system_->get_accValue(child, value);
  }
  HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* text) override {
    return system_->get_accDescription(child, text);
  }
  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
    return system_->get_accRole(child, role);
  }
  HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
    return system_->get_accState(child, state);
  }
  HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override {
    return system_->get_accHelp(child, help);
  }
  HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, long* topic) override {
    return system_->get_accHelpTopic(file, child, topic);
  }
  HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override {
    return system_->get_accKeyboardShortcut(child, shortcut);
  }
  HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override { return system_->get_accFocus(child); }
  HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* children) override { return system_->get_accSelection(children); }
  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
    return system_->get_accDefaultAction(child, action);
  }
  HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override { return system_->accSelect(flags, child); }
  HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height, VARIANT child) override {
    return system_->accLocation(left, top, width, height, child);
  }
  HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override {
    return system_->accNavigate(direction, start, end);
  }
  HRESULT STDMETHODCALLTYPE accHitTest(long left, long top, VARIANT* child) override {
    return system_->accHitTest(left, top, child);
  }
  HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override { return system_->accDoDefaultAction(child); }
  HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override { return system_->put_accName(child, name); }
  HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override {
    return system_->put_accValue(child, value);
  }

 private:
  ~NamedAccessible() { system_->Release(); }

  IAccessible* system_;
  std::wstring name_;
  LONG references_ = 1;
};

constexpr UINT_PTR kNameSubclass = 1;
constexpr const wchar_t* kNameProperty = L"Kestrel.AccessibleName";

std::wstring* NameOf(HWND control) { return static_cast<std::wstring*>(GetPropW(control, kNameProperty)); }

LRESULT CALLBACK NamedControlProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR);

void Forget(HWND control) {
  RemoveWindowSubclass(control, NamedControlProc, kNameSubclass);
  delete NameOf(control);
  RemovePropW(control, kNameProperty);
}

// Answers the accessibility query of a named control; the name is a property
// of the control and goes when the control does.
LRESULT CALLBACK NamedControlProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
  if (message == WM_GETOBJECT && static_cast<LONG>(lParam) == OBJID_CLIENT && NameOf(control) != nullptr) {
    // The object is handed over through COM, which the window's thread may
    // not have started yet; once is enough, for as long as the thread runs.
    static thread_local const HRESULT comStarted = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    (void)comStarted;
    IAccessible* system = nullptr;
    if (SUCCEEDED(CreateStdAccessibleObject(control, OBJID_CLIENT, __uuidof(IAccessible),
                                            reinterpret_cast<void**>(&system)))) {
      auto* named = new NamedAccessible(system, *NameOf(control));
      const LRESULT result = LresultFromObject(__uuidof(IAccessible), wParam, named);
      named->Release();
      return result;
    }
  } else if (message == WM_NCDESTROY) {
    Forget(control);
  }
  return DefSubclassProc(control, message, wParam, lParam);
}

// An empty name gives the control back its caption's, as the system names it.
void SetAccessibleName(HWND control, const std::wstring& name) {
  if (std::wstring* current = NameOf(control)) {
    if (name.empty()) {
      Forget(control);
    } else {
      *current = name;
    }
  } else if (!name.empty()) {
    auto* kept = new std::wstring(name);
    if (SetPropW(control, kNameProperty, kept) && SetWindowSubclass(control, NamedControlProc, kNameSubclass, 0))
      return;
    RemovePropW(control, kNameProperty);
    delete kept;
  }
}

std::string TextOf(HWND window) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return Narrow(text);
}

}  // namespace

void NameControls(HWND dialog, const DialogTemplate& dialogTemplate) {
  // The dialog made its controls in the template's order.
  std::vector<HWND> controls;
  for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
    controls.push_back(child);
  if (controls.size() != dialogTemplate.controls.size()) return;
  const std::vector<NameSource> sources = FindNameSources(dialogTemplate.controls);
  const std::vector<std::string> names = AccessibleNames(
      dialogTemplate.controls, sources, [&](std::size_t index) { return TextOf(controls[index]); }, TextOf(dialog));
  for (std::size_t i = 0; i < sources.size(); ++i) SetAccessibleName(controls[sources[i].control], Widen(names[i]));
}

}  // namespace kestrel::win32
