#include "shell/card_keys.h"

#include <cstring>
#include <string>

#include "card/card_texts.h"
#include "core/app_state.h"
#include "core/failure_report.h"
#include "core/handles.h"
#include "core/text_win.h"
#include "shell/card_buttons.h"

namespace {

constexpr WPARAM CTRL_C = 3;  // the character TranslateMessage makes of Ctrl+C
constexpr LPARAM KEY_WAS_DOWN = 1 << 30;

int FocusedButton(HWND card) {
  const HWND focus = GetFocus();
  if (focus == nullptr || !IsChild(card, focus)) return -1;
  const unsigned id = static_cast<unsigned>(GetDlgCtrlID(focus));
  for (int i = 0; i < CARD_BUTTON_COUNT; ++i) {
    if (CARD_BUTTONS_LEFT_TO_RIGHT[i] == id) return i;
  }
  return -1;
}

void MoveFocus(HWND card, bool backwards) {
  const int focused = FocusedButton(card);
  const int step = backwards ? CARD_BUTTON_COUNT - 1 : 1;
  const int next =
      focused < 0 ? (backwards ? CARD_BUTTON_COUNT - 1 : 0) : (focused + step) % CARD_BUTTON_COUNT;
  SetFocusCues(card, true);
  SetFocus(GetDlgItem(card, static_cast<int>(CARD_BUTTONS_LEFT_TO_RIGHT[next])));
}

bool PressFocusedButton(HWND card, LPARAM keyFlags) {
  const int focused = FocusedButton(card);
  if (focused < 0) return false;
  // A held key presses once, as a click does.
  if (keyFlags & KEY_WAS_DOWN) return true;
  SendMessageA(card, WM_COMMAND, MAKEWPARAM(CARD_BUTTONS_LEFT_TO_RIGHT[focused], BN_CLICKED),
               reinterpret_cast<LPARAM>(GetFocus()));
  return true;
}

void PutOnClipboard(UINT format, const void* data, std::size_t size) {
  OwnedGlobal memory(GlobalAlloc(GMEM_MOVEABLE, size));
  void* bytes = memory ? GlobalLock(memory.get()) : nullptr;
  if (bytes == nullptr) {
    ReportLastError("GlobalAlloc");
    return;
  }
  std::memcpy(bytes, data, size);
  GlobalUnlock(memory.get());
  // The clipboard owns the memory once it has taken it.
  if (SetClipboardData(format, memory.get())) {
    (void)memory.release();
  } else {
    ReportLastError("SetClipboardData");
  }
}

}  // namespace

bool TranslateCardKey(HWND card, const MSG& message) {
  if (message.message == WM_CHAR && message.wParam == CTRL_C) {
    CopyCardText(card);
    return true;
  }
  if (message.message != WM_KEYDOWN) return false;
  switch (message.wParam) {
    case VK_TAB: MoveFocus(card, GetKeyState(VK_SHIFT) < 0); return true;
    case VK_RETURN:
    case VK_SPACE: return PressFocusedButton(card, message.lParam);
    case VK_ESCAPE: SendMessageA(card, WM_SYSCOMMAND, SC_CLOSE, 0); return true;
    default: return false;
  }
}

void CopyCardText(HWND card) {
  const std::string text =
      CardCopyText(appState.verseText, appState.verseReference, appState.translationCode);
  const std::wstring wide = WideFrom1252(text.c_str(), static_cast<int>(text.size()));
  // Tells whoever reads CF_TEXT that its bytes are Windows-1252, whatever the system's.
  const LCID western = MAKELCID(MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US), SORT_DEFAULT);
  if (!OpenClipboard(card)) {
    ReportLastError("OpenClipboard");
    return;
  }
  EmptyClipboard();
  PutOnClipboard(CF_UNICODETEXT, wide.c_str(), (wide.size() + 1) * sizeof(wchar_t));
  PutOnClipboard(CF_TEXT, text.c_str(), text.size() + 1);
  PutOnClipboard(CF_LOCALE, &western, sizeof western);
  CloseClipboard();
}
