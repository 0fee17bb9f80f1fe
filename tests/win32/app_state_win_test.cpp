#include <gtest/gtest.h>

#include "app/app_state.h"

// The Windows build holds the real handle types; the icon record must be the shell's
// full ANSI record, item GUID included (504 bytes in the 32-bit program).
TEST(AppStateWin, HoldsTheShellsFullNotificationRecordAndStartsEmpty) {
  EXPECT_EQ(sizeof(void*) == 4 ? 504u : 528u, sizeof appState.trayIcon);
  EXPECT_EQ(1001u, appState.translationCode);
  EXPECT_EQ(1, appState.autostartEnabled);
  EXPECT_EQ(131, appState.pictureId);
  EXPECT_EQ(nullptr, appState.instance);
  EXPECT_EQ(nullptr, appState.picture);
}
