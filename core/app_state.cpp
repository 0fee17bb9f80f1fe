#include "core/app_state.h"

AppState InitialAppState() {
  AppState state{};
  state.translationCode = DEFAULT_TRANSLATION_CODE;
  state.autostartEnabled = 1;
  state.pictureId = FIRST_PICTURE_ID;
  return state;
}

AppState appState = InitialAppState();

std::int64_t ReferenceTime(const AppState& state) {
  const std::uint64_t bits =
      (static_cast<std::uint64_t>(state.referenceTimeHigh) << 32) | state.referenceTimeLow;
  return static_cast<std::int64_t>(bits);
}

void SetReferenceTime(AppState& state, std::int64_t ticks) {
  const auto bits = static_cast<std::uint64_t>(ticks);
  state.referenceTimeLow = static_cast<std::uint32_t>(bits & 0xFFFFFFFFu);
  state.referenceTimeHigh = static_cast<std::uint32_t>(bits >> 32);
}
