#include <gtest/gtest.h>

#include <cstring>
#include <string>

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

}  // namespace

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
