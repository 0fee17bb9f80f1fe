#include "settings/options_dialog.h"

#include "content/translation_table.h"
#include "core/app_state.h"
#include "resources/resource_ids.h"
#include "settings/autostart.h"
#include "settings/settings_store.h"

namespace {

// Fills the translation list and sets both controls from AppState.
void InitOptionsDialog(HWND dialog) {
  // Added in code order into an unsorted list: the order is the mapping to the codes.
  for (const TranslationEntry& entry : TranslationTable) {
    SendDlgItemMessageA(dialog, IDC_TRANSLATION_LIST, CB_ADDSTRING, 0,
                        reinterpret_cast<LPARAM>(entry.listName));
  }
  SendDlgItemMessageA(dialog, IDC_TRANSLATION_LIST, CB_SETCURSEL,
                      static_cast<WPARAM>(OptionsListPosition(appState.translationCode)), 0);
  // Switched off in Windows' start-up apps, the entry does not start anything: the box
  // says so rather than the stored setting.
  const bool starts = appState.autostartEnabled != 0 && !IsAutostartSwitchedOff();
  SendDlgItemMessageA(dialog, IDC_AUTOSTART_CHECK, BM_SETCHECK,
                      starts ? BST_CHECKED : BST_UNCHECKED, 0);
}

// Takes both controls into AppState, saves the settings and flags a new translation.
void ApplyOptions(HWND dialog) {
  appState.autostartEnabled =
      SendDlgItemMessageA(dialog, IDC_AUTOSTART_CHECK, BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0;
  // A tick the user gave here wins over Windows' switch.
  if (appState.autostartEnabled != 0) ClearAutostartSwitch();
  const std::uint32_t previousCode = appState.translationCode;
  const LRESULT position = SendDlgItemMessageA(dialog, IDC_TRANSLATION_LIST, CB_GETCURSEL, 0, 0);
  appState.translationCode = TranslationCodeAtPosition(position);
  SaveTranslationCode();
  SaveSettings();
  // Only raised here; the main window lowers it once it has shown the new translation.
  if (appState.translationCode != previousCode) {
    appState.translationChanged = 1;
  }
}

}  // namespace

INT_PTR CALLBACK OptionsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG: InitOptionsDialog(dialog); return FALSE;
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDOK:
          ApplyOptions(dialog);
          EndDialog(dialog, static_cast<INT_PTR>(wParam));
          return 0;
        case IDCANCEL: EndDialog(dialog, static_cast<INT_PTR>(wParam)); return TRUE;
        default: return 0;
      }
    default: return 0;
  }
}
