#include "content/background_picture.h"

#include <olectl.h>

#include "content/resource_store.h"
#include "core/app_state.h"
#include "core/failure_report.h"
#include "core/handles.h"

namespace {

using OwnedStream = ComPtr<IStream>;

// A stream over a movable copy of `bytes`; the stream owns the copy.
OwnedStream StreamOverCopy(ByteView bytes) {
  OwnedGlobal block = MovableCopy(bytes.data, bytes.size);
  if (!block) return nullptr;
  IStream* stream = nullptr;
  const HRESULT created = CreateStreamOnHGlobal(block.get(), TRUE, &stream);
  if (FAILED(created) || stream == nullptr) {
    ReportFailure("CreateStreamOnHGlobal", created);
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
  if (!FindResourceBytes(appState.pictureId, "IMAGE", &bytes) || bytes.size == 0) {
    ReportLastError("FindResourceA");
    return;
  }
  OwnedStream stream = StreamOverCopy(bytes);
  if (!stream) return;
  void* picture = nullptr;
  const HRESULT loaded =
      OleLoadPicture(stream.get(), static_cast<LONG>(bytes.size), FALSE, IID_IPicture, &picture);
  if (FAILED(loaded)) {
    ReportFailure("OleLoadPicture", loaded);
    return;
  }
  appState.picture = static_cast<IPicture*>(picture);
}
