#include "shell/card_accessible.h"

#include <oleacc.h>

#include <algorithm>
#include <iterator>
#include <string>
#include <vector>

#include "card/card_scale.h"
#include "card/card_texts.h"
#include "core/app_state.h"
#include "core/system_calls.h"
#include "core/text_win.h"
#include "shell/card_buttons.h"
#include "shell/live_region.h"

namespace {

constexpr LONG PASSAGE_CHILD = 1;

// One child of the card's object: a text or a button, placed in the client area.
struct Part {
  bool button;
  std::string name;
  RECT place;
  HWND window;
};

BSTR Bstr(const std::string& text) { return SysAllocString(WideFrom1252(text.c_str()).c_str()); }

VARIANT Int(LONG value) {
  VARIANT result;
  VariantInit(&result);
  result.vt = VT_I4;
  result.lVal = value;
  return result;
}

RECT OnScreen(HWND card, RECT place) {
  MapWindowPoints(card, nullptr, reinterpret_cast<POINT*>(&place), 2);
  return place;
}

// A COM object must derive from its interface; it is the only such type in the program.
class CardAccessible final : public IAccessible {
 public:
  explicit CardAccessible(HWND card) : card_(card) {}

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (object == nullptr) return E_POINTER;
    *object = nullptr;
    if (iid != IID_IUnknown && iid != IID_IDispatch && iid != __uuidof(IAccessible)) {
      return E_NOINTERFACE;
    }
    *object = static_cast<IAccessible*>(this);
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return InterlockedIncrement(&references_); }
  ULONG STDMETHODCALLTYPE Release() override {
    const LONG left = InterlockedDecrement(&references_);
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
  }

  // Readers call the interface's own methods; there is no type library to dispatch through.
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    *count = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                   UINT*) override {
    return E_NOTIMPL;
  }

  HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
    *parent = nullptr;
    if (Gone()) return RPC_E_DISCONNECTED;
    const auto fromWindow = RuntimeCalls().accessibleObjectFromWindow;
    if (fromWindow == nullptr) return S_FALSE;
    return fromWindow(card_, static_cast<DWORD>(OBJID_WINDOW), IID_IDispatch,
                      reinterpret_cast<void**>(parent));
  }
  HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) override {
    if (Gone()) return RPC_E_DISCONNECTED;
    *count = static_cast<LONG>(Parts().size());
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override {
    *object = nullptr;  // every child is a simple element of this object
    if (Gone()) return RPC_E_DISCONNECTED;
    Part part;
    return Find(child, &part) ? S_FALSE : E_INVALIDARG;
  }
  HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
    *name = nullptr;
    if (Gone()) return RPC_E_DISCONNECTED;
    return Answer(
        child, [&] { *name = Bstr(appState.windowTitle); },
        [&](const Part& part) { *name = Bstr(part.name); });
  }
  HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
    return Nothing(child, value);
  }
  HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* text) override {
    return Nothing(child, text);
  }
  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
    VariantInit(role);
    if (Gone()) return RPC_E_DISCONNECTED;
    return Answer(
        child, [&] { *role = Int(ROLE_SYSTEM_CLIENT); },
        [&](const Part& part) {
          *role = Int(part.button ? ROLE_SYSTEM_PUSHBUTTON : ROLE_SYSTEM_STATICTEXT);
        });
  }
  HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
    VariantInit(state);
    if (Gone()) return RPC_E_DISCONNECTED;
    const HWND focus = GetFocus();
    // A hidden card's texts and buttons are not on the screen, though its object answers.
    const LONG shown = IsWindowVisible(card_) ? 0 : STATE_SYSTEM_INVISIBLE;
    return Answer(
        child,
        [&] {
          *state =
              Int(shown | STATE_SYSTEM_FOCUSABLE | (focus == card_ ? STATE_SYSTEM_FOCUSED : 0));
        },
        [&](const Part& part) {
          *state =
              Int(shown | (!part.button ? STATE_SYSTEM_READONLY
                                        : STATE_SYSTEM_FOCUSABLE |
                                              (focus == part.window ? STATE_SYSTEM_FOCUSED : 0)));
        });
  }
  HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override {
    return Nothing(child, help);
  }
  HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT, LONG* topic) override {
    *file = nullptr;
    *topic = 0;
    if (Gone()) return RPC_E_DISCONNECTED;
    return S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* keys) override {
    return Nothing(child, keys);
  }
  HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override {
    VariantInit(child);
    if (Gone()) return RPC_E_DISCONNECTED;
    const HWND focus = GetFocus();
    if (focus == card_) *child = Int(CHILDID_SELF);
    const std::vector<Part> parts = Parts();
    for (std::size_t i = 0; i < parts.size(); ++i) {
      if (parts[i].button && parts[i].window == focus) *child = Int(static_cast<LONG>(i) + 1);
    }
    return child->vt == VT_EMPTY ? S_FALSE : S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* selected) override {
    VariantInit(selected);
    if (Gone()) return RPC_E_DISCONNECTED;
    return S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
    *action = nullptr;
    if (Gone()) return RPC_E_DISCONNECTED;
    Part part;
    if (IsSelf(child)) return S_FALSE;
    if (!Find(child, &part)) return E_INVALIDARG;
    if (!part.button) return S_FALSE;
    *action = SysAllocString(L"Press");
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE accSelect(LONG flags, VARIANT child) override {
    if (Gone()) return RPC_E_DISCONNECTED;
    Part part;
    if (!Find(child, &part) || !part.button || flags != SELFLAG_TAKEFOCUS) {
      return DISP_E_MEMBERNOTFOUND;
    }
    SetFocus(part.window);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE accLocation(LONG* left, LONG* top, LONG* width, LONG* height,
                                        VARIANT child) override {
    if (Gone()) return RPC_E_DISCONNECTED;
    Part part{};
    if (IsSelf(child)) {
      GetClientRect(card_, &part.place);
    } else if (!Find(child, &part)) {
      return E_INVALIDARG;
    }
    const RECT place = OnScreen(card_, part.place);
    *left = place.left;
    *top = place.top;
    *width = place.right - place.left;
    *height = place.bottom - place.top;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE accNavigate(LONG direction, VARIANT start, VARIANT* end) override {
    VariantInit(end);
    if (Gone()) return RPC_E_DISCONNECTED;
    const LONG count = static_cast<LONG>(Parts().size());
    LONG target = 0;
    if (IsSelf(start)) {
      if (direction == NAVDIR_FIRSTCHILD) target = 1;
      if (direction == NAVDIR_LASTCHILD) target = count;
    } else {
      Part part;
      if (!Find(start, &part)) return E_INVALIDARG;
      if (direction == NAVDIR_NEXT || direction == NAVDIR_DOWN) target = start.lVal + 1;
      if (direction == NAVDIR_PREVIOUS || direction == NAVDIR_UP) target = start.lVal - 1;
    }
    if (target < 1 || target > count) return S_FALSE;
    *end = Int(target);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE accHitTest(LONG x, LONG y, VARIANT* child) override {
    VariantInit(child);
    if (Gone()) return RPC_E_DISCONNECTED;
    POINT point{x, y};
    ScreenToClient(card_, &point);
    RECT client{};
    GetClientRect(card_, &client);
    if (!PtInRect(&client, point)) return S_FALSE;
    *child = Int(CHILDID_SELF);
    const std::vector<Part> parts = Parts();
    for (std::size_t i = 0; i < parts.size(); ++i) {
      if (PtInRect(&parts[i].place, point)) *child = Int(static_cast<LONG>(i) + 1);
    }
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
    if (Gone()) return RPC_E_DISCONNECTED;
    Part part;
    if (!Find(child, &part) || !part.button) return DISP_E_MEMBERNOTFOUND;
    // Posted: the reader's call returns before the card changes or hides.
    PostMessageA(card_, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(part.window), BN_CLICKED),
                 reinterpret_cast<LPARAM>(part.window));
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

 private:
  // Read afresh at every call, as the painter does: the verse and the day counts change.
  std::vector<Part> Parts() const {
    const std::vector<CardText> texts = CardTextsNow(CardDpi(card_));
    std::vector<Part> parts;
    std::transform(texts.begin(), texts.end(), std::back_inserter(parts), [](const CardText& text) {
      return Part{false, text.text,
                  RECT{text.box.left, text.box.top, text.box.right, text.box.bottom}, nullptr};
    });
    for (unsigned id : CARD_BUTTONS_LEFT_TO_RIGHT) {
      const HWND button = GetDlgItem(card_, static_cast<int>(id));
      char name[TITLE_CAPACITY] = {};
      GetWindowTextA(button, name, TITLE_CAPACITY);
      RECT place{};
      GetWindowRect(button, &place);
      MapWindowPoints(nullptr, card_, reinterpret_cast<POINT*>(&place), 2);
      parts.push_back({true, name, place, button});
    }
    return parts;
  }

  // Once the card's window is gone, a reader that kept the object is told so on every call.
  bool Gone() const { return !IsWindow(card_); }

  static bool IsSelf(const VARIANT& child) {
    return child.vt == VT_I4 && child.lVal == CHILDID_SELF;
  }

  bool Find(const VARIANT& child, Part* part) const {
    if (child.vt != VT_I4) return false;
    const std::vector<Part> parts = Parts();
    if (child.lVal < 1 || child.lVal > static_cast<LONG>(parts.size())) return false;
    *part = parts[static_cast<std::size_t>(child.lVal - 1)];
    return true;
  }

  // One answer for the card itself, another for one of its parts; any other child is no child.
  template <typename OfSelf, typename OfPart>
  HRESULT Answer(const VARIANT& child, OfSelf ofSelf, OfPart ofPart) const {
    Part part;
    if (IsSelf(child)) {
      ofSelf();
    } else if (Find(child, &part)) {
      ofPart(part);
    } else {
      return E_INVALIDARG;
    }
    return S_OK;
  }

  // A property the card's parts do not have.
  HRESULT Nothing(const VARIANT& child, BSTR* text) const {
    *text = nullptr;
    if (Gone()) return RPC_E_DISCONNECTED;
    Part part;
    return IsSelf(child) || Find(child, &part) ? S_FALSE : E_INVALIDARG;
  }

  HWND card_;
  LONG references_ = 1;
};

}  // namespace

LRESULT OnGetObject(HWND card, WPARAM wParam, LPARAM lParam) {
  const auto fromObject = RuntimeCalls().lresultFromObject;
  if (static_cast<LONG>(lParam) != OBJID_CLIENT || fromObject == nullptr) {
    return DefWindowProcA(card, WM_GETOBJECT, wParam, lParam);
  }
  // The object reaches the reader's process through COM, which WinMain starts for the
  // program's whole run.
  IAccessible* object = new CardAccessible(card);
  const LRESULT result = fromObject(__uuidof(IAccessible), wParam, object);
  object->Release();
  return result;
}

void AnnounceNewPassage(HWND card) {
  const auto notify = RuntimeCalls().notifyWinEvent;
  static std::string announced;
  if (notify == nullptr || announced == appState.verseText) return;
  announced = appState.verseText;
  notify(EVENT_OBJECT_NAMECHANGE, card, OBJID_CLIENT, PASSAGE_CHILD);
  AnnounceLiveRegion(card, PASSAGE_CHILD);
}
