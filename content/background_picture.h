#pragma once
#include <cstdint>

// The card draws from pictures 131..138 only; the catalogue's 130 and 139 are never shown.
constexpr int PICTURE_CHOICES = 8;

// The picture a value of the generator picks: 131 + value mod 8.
std::int32_t PictureIdForRandom(int randomValue);

// Honours a pending request for a new picture: clears the flag and draws one value
// from the program's generator. Without a request nothing changes and nothing is drawn.
void TakePictureRequest(std::int32_t* newPictureRequested, std::int32_t* pictureId);

#ifdef _WIN32
// Decodes the picture `appState.pictureId` names into `appState.picture`, after a new
// draw if one was requested; the previous picture is released. Runs at every paint.
void LoadBackgroundPicture();
#endif
