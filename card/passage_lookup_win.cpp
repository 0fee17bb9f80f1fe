#include "card/passage_lookup.h"

#include "app/app_state.h"

void OpenPassageLookup() {
  char address[LOOKUP_ADDRESS_CAPACITY];
  BuildLookupAddress(appState.verseReference, appState.translationCode, address, sizeof address);
  ShellExecuteA(nullptr, "Open", address, nullptr, nullptr, SW_SHOWNORMAL);
}
