#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <type_traits>
#include <vector>

#include "content/translation_table.h"
#include "core/app_state.h"
#include "core/handles.h"
#include "resources/resource_ids.h"
#include "settings/autostart.h"
#include "settings/options_dialog.h"
#include "settings/settings_store.h"
#include "tests/win32/modal_dialog_driver.h"
#include "tests/win32/settings/settings_fixture.h"

namespace {

// Every value the dialog could write, removed, so that a write shows.
void ClearStoredSettings() {
  for (const char* name : SETTING_NAMES) {
    RemoveStoredValue(HKEY_LOCAL_MACHINE, SETTINGS_KEY_PATH, name);
  }
  for (HKEY root : RunRoots()) RemoveStoredValue(root, RUN_KEY_PATH, AUTOSTART_VALUE_NAME);
}

// A stored DWORD, or -1 (as 0xFFFFFFFF is never written here) when the value is missing.
std::int64_t StoredSetting(const char* name) {
  DWORD value = 0;
  DWORD size = sizeof value;
  if (RegGetValueA(HKEY_LOCAL_MACHINE, SETTINGS_KEY_PATH, name, RRF_RT_REG_DWORD, nullptr, &value,
                   &size) != ERROR_SUCCESS) {
    return -1;
  }
  return value;
}

std::string WindowText(HWND window) {
  char text[128];
  std::memset(text, 0xBD, sizeof text);
  GetWindowTextA(window, text, sizeof text);
  return text;
}

using OwnedDialog = OwnedWindow;

// The Options dialog as a modeless window: same template, same procedure.
OwnedDialog OpenOptions(DLGPROC procedure = OptionsDialogProc) {
  HWND dialog = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_OPTIONS),
                                   nullptr, procedure, 0);
  EXPECT_NE(nullptr, dialog);
  return OwnedDialog(dialog);
}

LRESULT ListMessage(HWND dialog, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
  return SendDlgItemMessageA(dialog, IDC_TRANSLATION_LIST, message, wParam, lParam);
}

LRESULT CheckState(HWND dialog) {
  return SendDlgItemMessageA(dialog, IDC_AUTOSTART_CHECK, BM_GETCHECK, 0, 0);
}

void SetCheck(HWND dialog, bool checked) {
  SendDlgItemMessageA(dialog, IDC_AUTOSTART_CHECK, BM_SETCHECK,
                      checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

// OK as the button sends it.
void PressOk(HWND dialog) {
  SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
}

void StartWith(std::uint32_t code, std::int32_t autostart) {
  appState.instance = GetModuleHandleA(nullptr);
  appState.translationCode = code;
  appState.autostartEnabled = autostart;
  appState.translationChanged = 0;
  SetReferenceTime(appState, 0x01DBCDEF12345678);
}

// A procedure that leaves everything to the dialog manager, to open the template unfilled.
INT_PTR CALLBACK BareDialogProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

}  // namespace

TEST(OptionsDialog, ControlsMatchTheTemplate) {
  SettingsGuard guard;
  StartWith(1000, 0);  // no selection: the list's window text stays empty
  const OwnedDialog dialog = OpenOptions();
  ASSERT_NE(nullptr, dialog);

  EXPECT_EQ("Options", WindowText(dialog.get()));
  const LONG dialogStyle = GetWindowLongA(dialog.get(), GWL_STYLE);
  const LONG templateStyle =
      WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT | DS_FIXEDSYS;
  EXPECT_EQ(templateStyle, dialogStyle & templateStyle) << std::hex << dialogStyle;
  EXPECT_EQ(0, dialogStyle & (WS_CHILD | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX))
      << std::hex << dialogStyle;

  struct Control {
    int id;
    const char* className;
    const char* text;
    LONG style;
    RECT units;  // x, y, width, height in dialog units, as the template gives them
  };
  constexpr LONG CHILD = WS_CHILD | WS_VISIBLE;
  // The list's scroll bar belongs to its drop-down part, checked below.
  const Control expected[] = {
      {IDOK, "Button", "OK", CHILD | WS_TABSTOP | BS_DEFPUSHBUTTON, {206, 7, 50, 14}},
      {IDCANCEL, "Button", "Cancel", CHILD | WS_TABSTOP | BS_PUSHBUTTON, {206, 24, 50, 14}},
      {-1,
       "Static",
       "Choose which Bible translation to use:",
       CHILD | WS_GROUP | SS_LEFT,
       {15, 19, 122, 8}},
      {IDC_TRANSLATION_LIST,
       "ComboBox",
       "",
       CHILD | WS_TABSTOP | CBS_DROPDOWNLIST,
       {15, 30, 121, 71}},
      {-1, "Button", "Startup/Program Options", CHILD | BS_GROUPBOX, {7, 9, 194, 59}},
      {IDC_AUTOSTART_CHECK,
       "Button",
       "Have Quillane start each time your system starts.",
       CHILD | WS_TABSTOP | BS_AUTOCHECKBOX,
       {13, 48, 185, 10}},
  };
  HWND control = GetWindow(dialog.get(), GW_CHILD);
  for (const Control& c : expected) {
    ASSERT_NE(nullptr, control) << "control " << c.text << " is missing";
    char className[32] = {};
    GetClassNameA(control, className, sizeof className);
    EXPECT_EQ(c.id, GetDlgCtrlID(control)) << c.text;
    EXPECT_EQ(std::string(c.className), className) << c.text;
    EXPECT_EQ(c.text, WindowText(control)) << c.className << " " << c.id;
    EXPECT_EQ(c.style, GetWindowLongA(control, GWL_STYLE) & ~WS_VSCROLL) << c.text;
    EXPECT_EQ(0, GetWindowLongA(control, GWL_EXSTYLE) & ~WS_EX_NOPARENTNOTIFY) << c.text;

    // The dialog manager converts position and size each on its own, as MapDialogRect does.
    RECT pixels = c.units;
    MapDialogRect(dialog.get(), &pixels);
    pixels.right += pixels.left;
    pixels.bottom += pixels.top;
    RECT seen;
    GetWindowRect(control, &seen);
    MapWindowPoints(nullptr, dialog.get(), reinterpret_cast<POINT*>(&seen), 2);
    EXPECT_EQ(pixels.left, seen.left) << c.text;
    EXPECT_EQ(pixels.top, seen.top) << c.text;
    EXPECT_EQ(pixels.right, seen.right) << c.text;
    if (c.id != IDC_TRANSLATION_LIST) {  // closed, the list is only as tall as one line
      EXPECT_EQ(pixels.bottom, seen.bottom) << c.text;
    }
    control = GetWindow(control, GW_HWNDNEXT);
  }
  EXPECT_EQ(nullptr, control) << "no control beyond the template's six";

  COMBOBOXINFO list{};
  list.cbSize = sizeof list;
  ASSERT_TRUE(GetComboBoxInfo(GetDlgItem(dialog.get(), IDC_TRANSLATION_LIST), &list));
  EXPECT_NE(0, GetWindowLongA(list.hwndList, GWL_STYLE) & WS_VSCROLL) << "the list scrolls";
}

TEST(OptionsDialog, ListHoldsTheTranslationsInCodeOrder) {
  SettingsGuard guard;
  StartWith(1001, 1);
  const OwnedDialog dialog = OpenOptions();
  ASSERT_NE(nullptr, dialog);

  EXPECT_EQ(0,
            GetWindowLongA(GetDlgItem(dialog.get(), IDC_TRANSLATION_LIST), GWL_STYLE) & CBS_SORT);
  ASSERT_EQ(TRANSLATION_COUNT, ListMessage(dialog.get(), CB_GETCOUNT));
  std::vector<std::string> names;
  for (int k = 0; k < TRANSLATION_COUNT; ++k) {
    char name[64];
    std::memset(name, 0xBD, sizeof name);
    ASSERT_LT(ListMessage(dialog.get(), CB_GETLBTEXTLEN, k), LRESULT{sizeof name});
    ListMessage(dialog.get(), CB_GETLBTEXT, k, reinterpret_cast<LPARAM>(name));
    EXPECT_STREQ(TranslationTable[k].listName, name) << "position " << k << " is code " << 1001 + k;
    names.emplace_back(name);
  }
  // Otherwise a sorted list would pass the check above.
  EXPECT_FALSE(std::is_sorted(names.begin(), names.end()));
}

TEST(OptionsDialog, ShowsTheCurrentCodeAndAutostart) {
  SettingsGuard guard;
  struct Case {
    std::uint32_t code;
    std::int32_t autostart;
    LRESULT selection;
    LRESULT check;
  };
  std::vector<Case> cases = {
      {0, 0, CB_ERR, BST_UNCHECKED},         {1000, 1, CB_ERR, BST_CHECKED},
      {1014, 0, CB_ERR, BST_UNCHECKED},      {1015, 2, CB_ERR, BST_CHECKED},
      {0xFFFFFFFF, -1, CB_ERR, BST_CHECKED}, {0x80000000u + 1001, 1, CB_ERR, BST_CHECKED},
  };
  for (std::uint32_t code = 1001; code <= 1013; ++code) {
    cases.push_back({code, static_cast<std::int32_t>(code % 2), static_cast<LRESULT>(code - 1001),
                     code % 2 ? BST_CHECKED : BST_UNCHECKED});
  }
  for (const Case& c : cases) {
    StartWith(c.code, c.autostart);
    const OwnedDialog dialog = OpenOptions();
    ASSERT_NE(nullptr, dialog);
    EXPECT_EQ(c.selection, ListMessage(dialog.get(), CB_GETCURSEL)) << "code " << c.code;
    EXPECT_EQ(c.check, CheckState(dialog.get()))
        << "code " << c.code << " autostart " << c.autostart;
    EXPECT_EQ(c.code, appState.translationCode) << "opening changes nothing";
  }
}

TEST(OptionsDialog, OkStoresBothSettingsAndFlagsOnlyANewTranslation) {
  SettingsGuard guard;
  const std::string program = AutostartCommand();
  struct Case {
    const char* what;
    std::uint32_t startCode;
    std::int32_t startAutostart;
    std::int32_t startChanged;
    std::vector<int> choices;  // list positions picked in turn; none keeps the selection
    bool checked;
    std::uint32_t code;
    std::int32_t changed;
  };
  const Case cases[] = {
      {"another translation", 1001, 1, 0, {1}, true, 1002, 1},
      {"same translation, autostart cleared", 1002, 1, 0, {}, false, 1002, 0},
      {"another and back again", 1005, 0, 0, {7, 4}, false, 1005, 0},
      {"last position", 1001, 0, 0, {12}, true, 1013, 1},
      {"first position", 1013, 1, 0, {0}, true, 1001, 1},
      {"hand-edited 1014, no choice", 1014, 0, 0, {}, false, 1000, 1},
      {"1000, no choice", 1000, 1, 0, {}, true, 1000, 0},
      {"1000, a choice", 1000, 0, 0, {2}, false, 1003, 1},
      {"selection cleared", 1007, 1, 0, {-1}, true, 1000, 1},
      {"flag already up stays up", 1003, 1, 1, {}, true, 1003, 1},
  };
  for (const Case& c : cases) {
    ClearStoredSettings();
    StartWith(c.startCode, c.startAutostart);
    appState.translationChanged = c.startChanged;
    const OwnedDialog dialog = OpenOptions();
    ASSERT_NE(nullptr, dialog);
    for (int position : c.choices) ListMessage(dialog.get(), CB_SETCURSEL, position);
    SetCheck(dialog.get(), c.checked);

    PressOk(dialog.get());

    EXPECT_EQ(c.code, appState.translationCode) << c.what;
    EXPECT_EQ(c.checked ? 1 : 0, appState.autostartEnabled) << c.what;
    EXPECT_EQ(c.changed, appState.translationChanged) << c.what;
    EXPECT_EQ(std::int64_t{c.code}, StoredSetting("version")) << c.what;
    EXPECT_EQ(c.checked ? 1 : 0, StoredSetting("autostart")) << c.what;
    EXPECT_EQ(0x12345678, StoredSetting("timerlow")) << c.what;
    EXPECT_EQ(0x01DBCDEF, StoredSetting("timerhigh")) << c.what;
    EXPECT_EQ(c.checked ? program : "missing", AutostartEntry(HKEY_CURRENT_USER)) << c.what;
  }
}

TEST(OptionsDialog, ClearingAutostartRemovesTheEntryAtOnce) {
  SettingsGuard guard;
  ClearStoredSettings();
  StartWith(1001, 1);
  {
    const OwnedDialog dialog = OpenOptions();
    PressOk(dialog.get());
  }
  ASSERT_EQ(AutostartCommand(), AutostartEntry(HKEY_CURRENT_USER));
  const OwnedDialog dialog = OpenOptions();
  EXPECT_EQ(BST_CHECKED, CheckState(dialog.get()));
  SetCheck(dialog.get(), false);
  PressOk(dialog.get());
  EXPECT_EQ("missing", AutostartEntry(HKEY_CURRENT_USER));
  EXPECT_EQ(0, StoredSetting("autostart"));

  // Switched off in Windows' start-up apps: the box shows it, and a tick wins over it.
  StartWith(1001, 1);
  const BYTE switchedOff[12] = {3, 0, 0, 0, 0x17, 0x79, 0xBD, 0x01, 0x17, 0xD9, 0xD1, 0x01};
  HKEY key = nullptr;
  ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_CURRENT_USER, STARTUP_SWITCH_KEY_PATH, 0, nullptr,
                                           0, KEY_ALL_ACCESS, nullptr, &key, nullptr));
  const RegistryKey owned(key);
  RegSetValueExA(key, AUTOSTART_VALUE_NAME, 0, REG_BINARY, switchedOff, sizeof switchedOff);
  const OwnedDialog switched = OpenOptions();
  EXPECT_EQ(BST_UNCHECKED, CheckState(switched.get()));
  SetCheck(switched.get(), true);
  PressOk(switched.get());
  EXPECT_EQ(AutostartCommand(), AutostartEntry(HKEY_CURRENT_USER));
  EXPECT_EQ(ERROR_FILE_NOT_FOUND,
            RegQueryValueExA(key, AUTOSTART_VALUE_NAME, nullptr, nullptr, nullptr, nullptr));
}

TEST(OptionsDialog, CancelAndOtherCommandsChangeNothing) {
  SettingsGuard guard;
  struct Case {
    const char* what;
    UINT message;
    WPARAM wParam;
  };
  const Case cases[] = {
      {"Cancel button", WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED)},
      {"IDCANCEL with another code", WM_COMMAND, MAKEWPARAM(IDCANCEL, 0x4321)},
      {"close", WM_CLOSE, 0},
      {"list selection changed", WM_COMMAND, MAKEWPARAM(IDC_TRANSLATION_LIST, CBN_SELCHANGE)},
      {"check box clicked", WM_COMMAND, MAKEWPARAM(IDC_AUTOSTART_CHECK, BN_CLICKED)},
      {"command 3", WM_COMMAND, 3},
      {"command 0", WM_COMMAND, 0},
  };
  for (const Case& c : cases) {
    ClearStoredSettings();
    StartWith(1004, 0);
    const AppState before = appState;
    const OwnedDialog dialog = OpenOptions();
    ASSERT_NE(nullptr, dialog);
    ListMessage(dialog.get(), CB_SETCURSEL, 9);
    SetCheck(dialog.get(), true);

    SendMessageA(dialog.get(), c.message, c.wParam, 0);

    EXPECT_EQ(0, std::memcmp(&before, &appState, sizeof before)) << c.what;
    for (const char* name : SETTING_NAMES) {
      EXPECT_EQ(-1, StoredSetting(name)) << c.what << ": " << name;
    }
    EXPECT_EQ("missing", AutostartEntry(HKEY_CURRENT_USER)) << c.what;
  }
}

TEST(OptionsDialog, ProcedureResults) {
  SettingsGuard guard;
  StartWith(1006, 1);
  // Opened bare, so that the procedure's own WM_INITDIALOG can be seen.
  const OwnedDialog dialog = OpenOptions(BareDialogProc);
  ASSERT_NE(nullptr, dialog);
  ASSERT_EQ(0, ListMessage(dialog.get(), CB_GETCOUNT));
  EXPECT_EQ(FALSE, OptionsDialogProc(dialog.get(), WM_INITDIALOG, 0, 0))
      << "the system sets no focus";
  EXPECT_EQ(TRANSLATION_COUNT, ListMessage(dialog.get(), CB_GETCOUNT));
  EXPECT_EQ(5, ListMessage(dialog.get(), CB_GETCURSEL));

  struct Case {
    const char* what;
    UINT message;
    WPARAM wParam;
    INT_PTR expected;
  };
  const Case cases[] = {
      {"IDCANCEL", WM_COMMAND, IDCANCEL, TRUE},
      {"IDOK", WM_COMMAND, IDOK, 0},
      {"list notification", WM_COMMAND, MAKEWPARAM(IDC_TRANSLATION_LIST, CBN_SELCHANGE), 0},
      {"check box notification", WM_COMMAND, MAKEWPARAM(IDC_AUTOSTART_CHECK, BN_CLICKED), 0},
      {"WM_CLOSE", WM_CLOSE, 0, 0},
      {"WM_TIMER", WM_TIMER, 1, 0},
      {"WM_NULL", WM_NULL, 0, 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.expected, OptionsDialogProc(dialog.get(), c.message, c.wParam, 0)) << c.what;
  }
}

TEST(OptionsDialog, ModalDialogEndsWithTheCommandsParameter) {
  SettingsGuard guard;
  struct Case {
    const char* what;
    void (*act)(HWND);
    INT_PTR expected;
    bool stores;
  };
  const Case cases[] = {
      {"OK clicked", [](HWND d) { SendDlgItemMessageA(d, IDOK, BM_CLICK, 0, 0); }, IDOK, true},
      {"Enter", [](HWND d) { PressKey(d, VK_RETURN); }, IDOK, true},
      {"IDOK with a notification code",
       [](HWND d) { PostMessageA(d, WM_COMMAND, MAKEWPARAM(IDOK, 0x1234), 0); }, 0x12340001, true},
      {"Cancel clicked", [](HWND d) { SendDlgItemMessageA(d, IDCANCEL, BM_CLICK, 0, 0); }, IDCANCEL,
       false},
      {"Escape", [](HWND d) { PressKey(d, VK_ESCAPE); }, IDCANCEL, false},
      {"close box", [](HWND d) { PostMessageA(d, WM_SYSCOMMAND, SC_CLOSE, 0); }, IDCANCEL, false},
      {"IDCANCEL with a notification code",
       [](HWND d) { PostMessageA(d, WM_COMMAND, MAKEWPARAM(IDCANCEL, 0x7FFF), 0); }, 0x7FFF0002,
       false},
  };
  for (const Case& c : cases) {
    ClearStoredSettings();
    StartWith(1002, 0);
    const INT_PTR result = RunModalDialog(IDD_OPTIONS, OptionsDialogProc, [&c](HWND d) {
      ListMessage(d, CB_SETCURSEL, 10);
      SetCheck(d, true);
      c.act(d);
    });
    EXPECT_EQ(c.expected, result) << c.what;
    EXPECT_EQ(c.stores ? 1011u : 1002u, appState.translationCode) << c.what;
    EXPECT_EQ(c.stores ? 1 : 0, appState.autostartEnabled) << c.what;
    EXPECT_EQ(c.stores ? 1 : 0, appState.translationChanged) << c.what;
    EXPECT_EQ(c.stores ? 1011 : -1, StoredSetting("version")) << c.what;
    EXPECT_EQ(c.stores ? 1 : -1, StoredSetting("autostart")) << c.what;
  }
}

TEST(OptionsDialog, ListPositionOfACode) {
  struct Case {
    std::uint32_t code;
    int position;
  };
  const Case cases[] = {{0, -1},         {1000, -1}, {1001, 0},        {1002, 1},
                        {1013, 12},      {1014, -1}, {0x7FFFFFFF, -1}, {0x80000000u + 1001, -1},
                        {0xFFFFFFFF, -1}};
  for (const Case& c : cases) {
    EXPECT_EQ(c.position, OptionsListPosition(c.code)) << "code " << c.code;
  }
}
