#pragma once
#include <cstdint>

#include "core/platform_types.h"

constexpr std::uint32_t DEFAULT_TRANSLATION_CODE = 1001;
constexpr int FIRST_PICTURE_ID = 131;
constexpr int TITLE_CAPACITY = 100;
// Holds the longest passage line we ship (1335 bytes) with room to spare.
constexpr int VERSE_CAPACITY = 4096;

// The one record of process-wide state.
struct AppState {
  HINSTANCE instance;
  char windowTitle[TITLE_CAPACITY];
  char windowClassName[TITLE_CAPACITY];
  std::uint32_t translationCode;
  std::int32_t autostartEnabled;
  std::uint32_t referenceTimeLow;
  std::uint32_t referenceTimeHigh;
  char verseText[VERSE_CAPACITY];
  char verseReference[VERSE_CAPACITY];
  std::int32_t pictureId;
  IPicture* picture;
  std::int32_t newPictureRequested;
  std::int32_t translationChanged;
  // Whether the icon has once told the user where a hidden card went (stored per user).
  std::int32_t hideTipShown;
  NOTIFYICONDATAA trayIcon;
  HBITMAP nextButtonBitmap;
  HBITMAP contextButtonBitmap;
  HBITMAP goForthButtonBitmap;
};

// AppState as it is at process start.
AppState InitialAppState();

extern AppState appState;

// The daily reference time as one signed 64-bit count of 100 ns since 1601.
std::int64_t ReferenceTime(const AppState& state);
void SetReferenceTime(AppState& state, std::int64_t ticks);
