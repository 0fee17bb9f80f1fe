#include <gtest/gtest.h>

#include <cstddef>

#include "core/app_state.h"

// The Windows build holds the real handle types, and a notification record that has
// room for everything up to the item GUID (504 bytes in the 32-bit program).
TEST(AppStateWin, HoldsTheShellsFullNotificationRecordAndStartsEmpty) {
  const std::size_t throughGuid = offsetof(NOTIFYICONDATAA, guidItem) + sizeof(GUID);
  EXPECT_EQ(sizeof(void*) == 4 ? 504u : 520u, throughGuid);
  EXPECT_LE(throughGuid, sizeof appState.trayIcon);
  EXPECT_EQ(1001u, appState.translationCode);
  EXPECT_EQ(1, appState.autostartEnabled);
  EXPECT_EQ(131, appState.pictureId);
  EXPECT_EQ(nullptr, appState.instance);
  EXPECT_EQ(nullptr, appState.picture);
}
