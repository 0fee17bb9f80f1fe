#include "content/background_picture.h"

#include <cstring>
#include <memory>

#include <olectl.h>

#include "app/app_state.h"
#include "content/resource_store.h"

namespace {

struct GlobalFreeDeleter {
  void operator()(void* block) const { GlobalFree(block); }
};
using OwnedGlobal = std::unique_ptr<void, GlobalFreeDeleter>;

struct ComReleaser {
  void operator()(IUnknown* object) const { object->Release(); }
};
using OwnedStream = std::unique_ptr<IStream, ComReleaser>;

// A stream over a movable copy of `bytes`; the stream owns the copy.
OwnedStream StreamOverCopy(ByteView bytes) {
  OwnedGlobal block(GlobalAlloc(GMEM_MOVEABLE, bytes.size));
  if (!block) return nullptr;
  void* target = GlobalLock(block.get());
  if (target == nullptr) return nullptr;
  std::memcpy(target, bytes.data, bytes.size);
  GlobalUnlock(block.get());
  IStream* stream = nullptr;
  if (FAILED(CreateStreamOnHGlobal(block.get(), TRUE, &stream)) || stream == nullptr) {
    return nullptr;
  }
  static_cast<void>(block.release());  // freed with the stream from here on
  return OwnedStream(stream);
}

void ReleaseBackgroundPicture() {
  if (appState.picture != nullptr) {
    appState.picture->Release();
    appState.picture = nullptr;
  }
}

}  // namespace

void LoadBackgroundPicture() {
  TakePictureRequest(&appState.newPictureRequested, &appState.pictureId);
  // Whatever fails below, the card is painted without a stale picture.
  ReleaseBackgroundPicture();
  ByteView bytes{};
  if (!FindResourceBytes(appState.pictureId, "IMAGE", &bytes) || bytes.size == 0) return;
  OwnedStream stream = StreamOverCopy(bytes);
  if (!stream) return;
  void* picture = nullptr;
  if (SUCCEEDED(OleLoadPicture(stream.get(), static_cast<LONG>(bytes.size), FALSE, IID_IPicture,
                               &picture))) {
    appState.picture = static_cast<IPicture*>(picture);
  }
}
