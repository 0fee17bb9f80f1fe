#pragma once
#include "content/translation_table.h"
// Written by the build from the committed collections and the texts a distributor supplies.
#include "quillane_texts.h"

// The collections this build carries as World English Bible samples in place of the text of
// the translation they are offered as.
constexpr CollectionSet STAND_IN_COLLECTIONS = CollectionsOf(QUILLANE_STAND_IN_COLLECTIONS);
