#include "card/passage_lookup.h"

#include "content/verse_texts.h"
#include "core/app_state.h"
#include "core/failure_report.h"

void OpenPassageLookup() {
  char address[LOOKUP_ADDRESS_CAPACITY];
  BuildLookupAddress(appState.verseReference, appState.translationCode, STAND_IN_COLLECTIONS,
                     address, sizeof address);
  // Values up to 32 are the call's error codes.
  const auto result = reinterpret_cast<INT_PTR>(
      ShellExecuteA(nullptr, "Open", address, nullptr, nullptr, SW_SHOWNORMAL));
  if (result <= 32) ReportFailure("ShellExecuteA", static_cast<long>(result));
}
