#include "shell/card_keys.h"

#include "card/card_texts.h"
#include "core/app_state.h"
#include "shell/card_buttons.h"
#include "shell/clipboard.h"

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
  PutTextOnClipboard(
      card, CardCopyText(appState.verseText, appState.verseReference, appState.translationCode));
}
