#pragma once
// Changing the card: a new passage, and a new picture when asked.

// Refreshes the translation code from the registry and puts a random passage of its
// collection into AppState's verseText and verseReference. Never paints.
void ChooseVerse();

// Changes the card: asks for a new picture when `newPicture` (drawn at the next paint)
// and chooses a verse. Every trigger goes through here; each caller repaints, shows or
// restores the card itself.
void ChangeCard(bool newPicture);
