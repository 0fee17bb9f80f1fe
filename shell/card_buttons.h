#pragma once
#include "core/platform_types.h"
#include "resources/resource_ids.h"

// The buttons as the card shows them, left to right: the order of Tab and of a screen reader.
constexpr unsigned CARD_BUTTONS_LEFT_TO_RIGHT[] = {CMD_CONTEXT, CMD_NEXT_VERSE, CMD_GO_FORTH};
constexpr int CARD_BUTTON_COUNT = 3;

#ifdef _WIN32
// The three picture buttons, created with the card window, and their faces.
void CreateCardButtons(HWND window);
// Moves and sizes the buttons to the card's scale (CardDpi).
void PlaceCardButtons(HWND card);
void DrawButtonFace(const DRAWITEMSTRUCT& item);
// Focus cues as the system's convention has them: hidden for a mouse user, shown once a key
// moves the focus.
void SetFocusCues(HWND card, bool shown);
// A card that shows itself offers the arrow to the keyboard, with the focus cues hidden
// until a key is used.
void FocusNextVerseButton(HWND card);
#endif
