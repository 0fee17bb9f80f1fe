#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "app/startup.h"
#include "tests/win32/import_patch.h"
#include "quillane_texts.h"
#include "tests/win32/modal_dialog_driver.h"
#include "resources/resource_ids.h"
#include "shell/about_dialog.h"

namespace {

std::string ControlText(HWND control) {
  char text[128];
  std::memset(text, 0xBD, sizeof text);
  GetWindowTextA(control, text, sizeof text);
  return text;
}

// Every command that reached a window of the stand-in card's class, with its window.
std::vector<std::pair<HWND, WPARAM>> commandsSeen;

LRESULT CALLBACK RecordCommands(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COMMAND) commandsSeen.emplace_back(window, wParam);
  return DefWindowProcA(window, message, wParam, lParam);
}

int getMessageCalls = 0;

// Fails as GetMessageA does on a bad call, leaving junk in the message; a loop that
// keeps asking gets a quit message with code 99 on the third call instead of hanging.
BOOL WINAPI FailingGetMessage(MSG* message, HWND, UINT, UINT) {
  std::memset(message, 0xBD, sizeof *message);
  if (++getMessageCalls < 3) return -1;
  message->message = WM_QUIT;
  message->wParam = 99;
  return 0;
}

}  // namespace

// Alt+"?" and Alt+"/" reach the card as CMD_ABOUT also when a clicked button has the
// keyboard focus; a key for a window outside the card is not the card's shortcut.
TEST(MessageLoop, ShortcutsAreTheCardsWhicheverOfItsWindowsHasTheKeys) {
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = RecordCommands;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.lpszClassName = "LoopTestCard";
  RegisterClassA(&windowClass);
  HWND card = CreateWindowExA(0, "LoopTestCard", "", WS_POPUP, 0, 0, 350, 554, nullptr, nullptr,
                              windowClass.hInstance, nullptr);
  HWND button =
      CreateWindowExA(0, "BUTTON", "Next verse", WS_CHILD | BS_OWNERDRAW, 147, 362, 46, 31, card,
                      reinterpret_cast<HMENU>(12002), windowClass.hInstance, nullptr);
  HWND other = CreateWindowExA(0, "LoopTestCard", "", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr,
                               windowClass.hInstance, nullptr);
  ASSERT_TRUE(card && button && other);
  HACCEL table = LoadAcceleratorsA(windowClass.hInstance, MAKEINTRESOURCEA(IDR_ACCELERATORS));
  ASSERT_NE(nullptr, table);
  const std::vector<std::pair<HWND, WPARAM>> about = {{card, MAKEWPARAM(104, 1)}};
  struct Case {
    const char* what;
    HWND target;
    WPARAM key;
    std::vector<std::pair<HWND, WPARAM>> expected;
  };
  const Case cases[] = {
      {"Alt+/ to the card", card, '/', about},
      {"Alt+? to a button", button, '?', about},
      {"Alt+/ to a button", button, '/', about},
      {"Alt+/ to another window", other, '/', {}},
  };
  // The table's entries ask for Alt, which the thread's key state must show as held.
  BYTE keys[256] = {};
  GetKeyboardState(keys);
  keys[VK_MENU] = 0x80;
  SetKeyboardState(keys);
  for (const Case& c : cases) {
    commandsSeen.clear();
    PostMessageA(c.target, WM_SYSCHAR, c.key, 0x20000001);  // bit 29: Alt is down
    PostQuitMessage(7);
    EXPECT_EQ(7, RunMessageLoop(card, table)) << c.what << ": the quit message's code";
    EXPECT_TRUE(c.expected == commandsSeen) << c.what << ": " << commandsSeen.size() << " commands";
  }
  keys[VK_MENU] = 0;
  SetKeyboardState(keys);
  DestroyWindow(other);
  DestroyWindow(card);
}

TEST(MessageLoop, EndsWithItsOwnCodeWhenMessagesCannotBeHad) {
  getMessageCalls = 0;
  const ImportPatch patch("user32.dll", "GetMessageA", FailingGetMessage);
  ASSERT_TRUE(patch.Found());
  EXPECT_EQ(MESSAGE_LOOP_FAILED_EXIT_CODE, RunMessageLoop(nullptr, nullptr));
  EXPECT_EQ(1, getMessageCalls) << "calls of GetMessageA";
}

TEST(AboutDialog, EndsWithTheIdOfOkOrCancelWhateverTheNotification) {
  struct Case {
    const char* what;
    void (*act)(HWND);
    INT_PTR expected;
  };
  const Case cases[] = {
      {"OK clicked", [](HWND d) { SendDlgItemMessageA(d, IDOK, BM_CLICK, 0, 0); }, IDOK},
      {"Enter", [](HWND d) { PressKey(d, VK_RETURN); }, IDOK},
      {"Escape", [](HWND d) { PressKey(d, VK_ESCAPE); }, IDCANCEL},
      {"close box", [](HWND d) { PostMessageA(d, WM_SYSCOMMAND, SC_CLOSE, 0); }, IDCANCEL},
      {"IDOK with a notification code",
       [](HWND d) { PostMessageA(d, WM_COMMAND, MAKEWPARAM(IDOK, 0x1234), 0); }, IDOK},
      {"IDCANCEL with a notification code",
       [](HWND d) { PostMessageA(d, WM_COMMAND, MAKEWPARAM(IDCANCEL, 0xFFFF), 0); }, IDCANCEL},
      {"another command leaves it open",
       [](HWND d) { PostMessageA(d, WM_COMMAND, MAKEWPARAM(3, 0), 0); }, DIALOG_LEFT_OPEN},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.expected, RunModalDialog(IDD_ABOUT, AboutDialogProc, c.act)) << c.what;
  }
}

TEST(AboutDialog, ProcedureHandlesOnlyInitAndTheTwoButtons) {
  // A real dialog, but the messages go straight to the procedure to see its results.
  HWND dialog = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_ABOUT), nullptr,
                                   AboutDialogProc, 0);
  ASSERT_NE(nullptr, dialog);
  struct Case {
    const char* what;
    UINT message;
    WPARAM wParam;
    INT_PTR expected;
  };
  const Case cases[] = {
      {"WM_INITDIALOG", WM_INITDIALOG, 0, TRUE},
      {"IDOK", WM_COMMAND, IDOK, TRUE},
      {"IDCANCEL", WM_COMMAND, IDCANCEL, TRUE},
      {"IDOK double-clicked", WM_COMMAND, MAKEWPARAM(IDOK, BN_DOUBLECLICKED), TRUE},
      {"command 0", WM_COMMAND, 0, FALSE},
      {"command 3", WM_COMMAND, 3, FALSE},
      {"command 0x10000 (id 0)", WM_COMMAND, 0x10000, FALSE},
      {"WM_CLOSE", WM_CLOSE, 0, FALSE},
      {"WM_TIMER", WM_TIMER, 1, FALSE},
      {"WM_NULL", WM_NULL, 0, FALSE},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.expected, AboutDialogProc(dialog, c.message, c.wParam, 0)) << c.what;
  }
  DestroyWindow(dialog);
}

TEST(AboutDialog, ShowsTheIconNameAndOkButton) {
  HWND dialog = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_ABOUT), nullptr,
                                   AboutDialogProc, 0);
  ASSERT_NE(nullptr, dialog);
  EXPECT_EQ("About", ControlText(dialog));
  HWND icon = GetDlgItem(dialog, 2);
  ASSERT_NE(nullptr, icon);
  EXPECT_NE(0, SendMessageA(icon, STM_GETICON, 0, 0)) << "the program icon is loaded";
  EXPECT_EQ("OK", ControlText(GetDlgItem(dialog, IDOK)));
  bool nameFound = false;
  HWND notice = nullptr;
  for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    if (ControlText(child) == "Quillane Version 5.2") nameFound = true;
    if (ControlText(child) == QUILLANE_TEXTS_NOTICE) notice = child;
  }
  EXPECT_TRUE(nameFound);
  // The notice of this build, and the one a build with every collection supplied shows,
  // each seen whole on the control's one line in the dialog's own font.
  ASSERT_NE(nullptr, notice);
  RECT line{};
  GetClientRect(notice, &line);
  const HDC dc = GetDC(notice);
  const HGDIOBJ previous =
      SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(notice, WM_GETFONT, 0, 0)));
  for (const char* text : {QUILLANE_TEXTS_NOTICE, QUILLANE_TEXTS_NOTICE_EVERY_SUPPLIED}) {
    SIZE size{};
    GetTextExtentPoint32A(dc, text, static_cast<int>(std::strlen(text)), &size);
    EXPECT_LE(size.cx, line.right) << text;
  }
  SelectObject(dc, previous);
  ReleaseDC(notice, dc);
  DestroyWindow(dialog);
}
