#include "card/change_card.h"

#include "content/resource_store.h"
#include "content/translation_table.h"
#include "content/verse_collection.h"
#include "core/app_state.h"
#include "core/failure_report.h"
#include "core/random.h"
#include "settings/settings_store.h"

void ChooseVerse() {
  ReadTranslationCode();
  ByteView collection{nullptr, 0};
  if (!FindResourceBytes(CollectionIdForCode(appState.translationCode), "verses", &collection)) {
    ReportLastError("FindResourceA");
    collection = {nullptr, 0};
  }
  // One draw per choice even when there is nothing to choose from, so the picture
  // that is drawn next sees the same generator state either way.
  const int index = PickVersePair(RandomNext(), CountVersePairs(collection));
  FetchVersePair(collection, index, appState.verseText, VERSE_CAPACITY, appState.verseReference,
                 VERSE_CAPACITY);
}

void ChangeCard(bool newPicture) {
  if (newPicture) appState.newPictureRequested = 1;
  ChooseVerse();
}
