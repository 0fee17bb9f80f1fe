#include "content/background_picture.h"

#include "core/random.h"
#include "resources/resource_ids.h"

std::int32_t PictureIdForRandom(int randomValue) {
  // Kept in range even for a negative value, which the generator never gives.
  const int choice = ((randomValue % PICTURE_CHOICES) + PICTURE_CHOICES) % PICTURE_CHOICES;
  return IDR_FIRST_PICTURE + choice;
}

void TakePictureRequest(std::int32_t* newPictureRequested, std::int32_t* pictureId) {
  if (*newPictureRequested == 0) return;
  *newPictureRequested = 0;
  *pictureId = PictureIdForRandom(RandomNext());
}
