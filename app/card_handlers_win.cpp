#include "app/card_handlers.h"

#include "app/daily_timer.h"
#include "card/change_card.h"
#include "card/passage_lookup.h"
#include "core/app_state.h"
#include "core/failure_report.h"
#include "resources/resource_ids.h"
#include "settings/options_dialog.h"
#include "settings/settings_store.h"
#include "shell/about_dialog.h"
#include "shell/card_buttons.h"
#include "shell/center_window.h"
#include "shell/tray_icon.h"

namespace {

void Repaint(HWND window) { InvalidateRgn(window, nullptr, TRUE); }

// A new user takes a card that vanished for a program that ended: the first time, the
// icon says where it went.
void HideCard(HWND window) {
  ShowWindow(window, SW_HIDE);
  if (!appState.hideTipShown && ShowHideTip()) {
    appState.hideTipShown = 1;
    SaveHideTipShown();
  }
}

void ShowAbout(HWND window) {
  if (DialogBoxParamA(appState.instance, MAKEINTRESOURCEA(IDD_ABOUT), window, AboutDialogProc, 0) ==
      -1) {
    ReportLastError("DialogBoxParamA");
  }
}

void ShowOptions(HWND window) {
  if (DialogBoxParamA(appState.instance, MAKEINTRESOURCEA(IDD_OPTIONS), window, OptionsDialogProc,
                      0) == -1) {
    ReportLastError("DialogBoxParamA");
  }
  // Only the verse changes with the translation: the picture stays.
  if (appState.translationChanged) {
    ChangeCard(false);
    Repaint(window);
    appState.translationChanged = 0;
  }
}

void ShowNextVerse(HWND window) {
  ChangeCard(true);
  Repaint(window);
}

void GoForth(HWND window) {
  SaveSettings();
  HideCard(window);
}

void ShowCardFromTray(HWND window) {
  StopWaitingToShow();
  ChangeCard(true);
  // A card already on screen is repainted too, so what it shows is always the verse
  // that Context opens.
  Repaint(window);
  BringCardBack(window);
  ShowWindow(window, SW_RESTORE);
  FocusNextVerseButton(window);
}

}  // namespace

LRESULT OnCommand(HWND window, WPARAM wParam, LPARAM lParam) {
  // The notification code in the high word is not looked at: every notification of a
  // button counts as a click.
  switch (LOWORD(wParam)) {
    case CMD_ABOUT: ShowAbout(window); return 0;
    case CMD_EXIT:
    case CMD_TRAY_EXIT: DestroyWindow(window); return 0;
    case CMD_OPTIONS: ShowOptions(window); return 0;
    case CMD_NEXT_VERSE: ShowNextVerse(window); return 0;
    case CMD_GO_FORTH: GoForth(window); return 0;
    case CMD_CONTEXT: OpenPassageLookup(); return 0;
    case CMD_TRAY_SHOW: ShowCardFromTray(window); return 0;
    case CMD_TRAY_HIDE: HideCard(window); return 0;
    default: return DefWindowProcA(window, WM_COMMAND, wParam, lParam);
  }
}

LRESULT OnSystemCommand(HWND window, WPARAM wParam, LPARAM lParam) {
  // Closing or minimising the card only hides it; the program ends through Exit.
  const WPARAM command = wParam & 0xFFF0;
  if (command == SC_MINIMIZE || command == SC_CLOSE) {
    HideCard(window);
    return 1;
  }
  return DefWindowProcA(window, WM_SYSCOMMAND, wParam, lParam);
}

void OnDestroy() {
  SaveSettings();
  RemoveTrayIcon();
  PostQuitMessage(0);
}

void OnEndSession(BOOL ending) {
  // A shutdown ends the process without WM_DESTROY; keep a rollover's reference time.
  if (ending) SaveSettings();
}
