#pragma once
// Refreshes the translation code from the registry and puts a random passage of its
// collection into AppState's verseText and verseReference. Never paints.
void ChooseVerse();
