#include "shell/card_buttons.h"

#include <algorithm>
#include <cstddef>

#include "card/card_scale.h"
#include "card/high_contrast.h"
#include "core/app_state.h"
#include "core/failure_report.h"
#include "core/handles.h"
#include "resources/resource_ids.h"

namespace {

struct CardButton {
  unsigned id;
  const char* text;
  // In high contrast: the word (or arrow) drawn instead of the picture, and its font's
  // height at the layout's button height.
  const wchar_t* highContrastFace;
  int faceTextHeight;
  ButtonPlace place;
  int faceId;
  HBITMAP AppState::*face;
};

// In creation order; from left to right the card shows Context, the arrow, Go Forth. The
// texts are never drawn, but they name each button to whatever reads the window's controls.
const CardButton CARD_BUTTONS[] = {
    {CMD_NEXT_VERSE, "Next verse", L"\u2192", 26, NEXT_VERSE_BUTTON, IDB_NEXT_BUTTON,
     &AppState::nextButtonBitmap},
    {CMD_GO_FORTH, "Go Forth", L"Go Forth", 16, GO_FORTH_BUTTON, IDB_GO_FORTH_BUTTON,
     &AppState::goForthButtonBitmap},
    {CMD_CONTEXT, "Context", L"Context", 16, CONTEXT_BUTTON, IDB_CONTEXT_BUTTON,
     &AppState::contextButtonBitmap},
};
constexpr std::size_t BUTTON_COUNT = sizeof CARD_BUTTONS / sizeof CARD_BUTTONS[0];

// The faces load in resource id order, one after each button is created, as the card
// has always loaded them: the bitmap handles come out in the same order as before.
constexpr std::size_t FACE_LOAD_ORDER[BUTTON_COUNT] = {0, 2, 1};

const CardButton* ButtonOf(unsigned controlId) {
  const CardButton* end = CARD_BUTTONS + BUTTON_COUNT;
  const CardButton* found = std::find_if(
      CARD_BUTTONS, end, [controlId](const CardButton& button) { return button.id == controlId; });
  return found == end ? nullptr : found;
}

constexpr int FOCUS_INSET = 3;  // inside the faces' dark border

// Wine keeps no focus-cue state while its keyboard-cues setting is on, as it is by default,
// and would draw the rectangle after a click: the card also keeps its own.
constexpr char FOCUS_CUES_SHOWN[] = "QuillaneFocusCues";

void DrawPictureFace(const DRAWITEMSTRUCT& item, const CardButton* button) {
  const OwnedDc memory(CreateCompatibleDC(item.hDC));
  if (!memory) {
    ReportLastError("CreateCompatibleDC");
    return;
  }
  const HBITMAP face = button ? appState.*button->face : nullptr;
  // The part of the face the button shows at 100 %, its layout size.
  const SIZE shown = button ? SIZE{button->place.width, BUTTON_HEIGHT} : SIZE{0, 0};
  const SelectedObject selected(SelectObject(memory.get(), face), SelectBack{memory.get()});
  const int width = item.rcItem.right - item.rcItem.left;
  const int height = item.rcItem.bottom - item.rcItem.top;
  if (width == shown.cx && height == shown.cy) {
    BitBlt(item.hDC, item.rcItem.left, item.rcItem.top, width, height, memory.get(), 0, 0, SRCCOPY);
  } else {
    // Scaled, averaged as the card's picture is; a halftone copy at 100 % would not be exact.
    SetStretchBltMode(item.hDC, HALFTONE);
    SetBrushOrgEx(item.hDC, 0, 0, nullptr);
    StretchBlt(item.hDC, item.rcItem.left, item.rcItem.top, width, height, memory.get(), 0, 0,
               shown.cx, shown.cy, SRCCOPY);
  }
}

// High contrast: the button's word (or arrow) in the system's button colours, framed.
void DrawTextFace(const DRAWITEMSTRUCT& item, const CardButton* button) {
  const OwnedGdiObject face(CreateSolidBrush(GetSysColor(COLOR_BTNFACE)));
  FillRect(item.hDC, &item.rcItem, static_cast<HBRUSH>(face.get()));
  const OwnedGdiObject edge(CreateSolidBrush(GetSysColor(COLOR_BTNTEXT)));
  FrameRect(item.hDC, &item.rcItem, static_cast<HBRUSH>(edge.get()));
  if (button == nullptr) return;
  const int height =
      (item.rcItem.bottom - item.rcItem.top) * button->faceTextHeight / BUTTON_HEIGHT;
  const OwnedFont font(CreateFontA(height, 0, 0, 0, FONT_WEIGHT_BOLD, FALSE, FALSE, FALSE,
                                   DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                   DEFAULT_QUALITY, FF_SWISS | DEFAULT_PITCH, "Arial"));
  if (!font) ReportLastError("CreateFontA");
  const SelectedObject previous(SelectObject(item.hDC, font.get()), SelectBack{item.hDC});
  SetBkMode(item.hDC, TRANSPARENT);
  SetTextColor(item.hDC, GetSysColor(COLOR_BTNTEXT));
  RECT rect = item.rcItem;
  DrawTextW(item.hDC, button->highContrastFace, -1, &rect,
            DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

}  // namespace

void SetFocusCues(HWND card, bool shown) {
  SendMessageA(card, WM_CHANGEUISTATE, MAKEWPARAM(shown ? UIS_CLEAR : UIS_SET, UISF_HIDEFOCUS), 0);
  if (shown) {
    SetPropA(card, FOCUS_CUES_SHOWN, card);
  } else {
    RemovePropA(card, FOCUS_CUES_SHOWN);
  }
}

void CreateCardButtons(HWND window) {
  for (std::size_t i = 0; i < BUTTON_COUNT; ++i) {
    const CardButton& button = CARD_BUTTONS[i];
    if (!CreateWindowExA(0, "BUTTON", button.text,
                         WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW, 0, 0, 0, 0, window,
                         reinterpret_cast<HMENU>(static_cast<UINT_PTR>(button.id)),
                         appState.instance, nullptr)) {
      ReportLastError("CreateWindowExA");
    }
    const CardButton& loaded = CARD_BUTTONS[FACE_LOAD_ORDER[i]];
    appState.*loaded.face = LoadBitmapA(appState.instance, MAKEINTRESOURCEA(loaded.faceId));
    if (!(appState.*loaded.face)) ReportLastError("LoadBitmapA");
  }
  PlaceCardButtons(window);
  SetFocusCues(window, false);
}

void PlaceCardButtons(HWND card) {
  const int dpi = CardDpi(card);
  for (const CardButton& button : CARD_BUTTONS) {
    SetWindowPos(GetDlgItem(card, static_cast<int>(button.id)), nullptr,
                 ScaledForDpi(button.place.left, dpi), ScaledForDpi(BUTTON_TOP, dpi),
                 ScaledForDpi(button.place.width, dpi), ScaledForDpi(BUTTON_HEIGHT, dpi),
                 SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

void FocusNextVerseButton(HWND card) {
  SetFocusCues(card, false);
  SetFocus(GetDlgItem(card, CMD_NEXT_VERSE));
}

void DrawButtonFace(const DRAWITEMSTRUCT& item) {
  // The same face in every state: no pressed or disabled look, and the focus only once the
  // keyboard is in use.
  const CardButton* button = ButtonOf(item.CtlID);
  if (HighContrastOn()) {
    DrawTextFace(item, button);
  } else {
    DrawPictureFace(item, button);
  }
  const bool cuesShown = !(item.itemState & ODS_NOFOCUSRECT) &&
                         GetPropA(GetParent(item.hwndItem), FOCUS_CUES_SHOWN) != nullptr;
  if ((item.itemState & ODS_FOCUS) && cuesShown) {
    RECT inside = item.rcItem;
    InflateRect(&inside, -FOCUS_INSET, -FOCUS_INSET);
    DrawFocusRect(item.hDC, &inside);
  }
}
