#include "shell/clipboard.h"

#include "core/failure_report.h"
#include "core/handles.h"
#include "core/text_win.h"

namespace {

// Another program may hold the clipboard a moment (clipboard history, remote desktop,
// password managers): ask again before giving up.
bool OpenClipboardWaiting(HWND owner) {
  for (int attempt = 1; attempt <= CLIPBOARD_ATTEMPTS; ++attempt) {
    if (OpenClipboard(owner)) return true;
    if (attempt < CLIPBOARD_ATTEMPTS) Sleep(CLIPBOARD_WAIT_MS);
  }
  ReportLastError("OpenClipboard");
  return false;
}

}  // namespace

bool PutTextOnClipboard(HWND owner, const std::string& text) {
  const std::wstring wide = WideFrom1252(text.c_str(), static_cast<int>(text.size()));
  const std::size_t size = (wide.size() + 1) * sizeof(wchar_t);
  OwnedGlobal memory = MovableCopy(wide.c_str(), size);
  if (!memory) return false;
  if (!OpenClipboardWaiting(owner)) {
    MessageBeep(MB_OK);
    return false;
  }
  EmptyClipboard();
  // Only the Unicode form: the system converts it for an ANSI reader with the locale of
  // the moment, where bytes of our own would be read in a code page that is not theirs.
  const bool put = SetClipboardData(CF_UNICODETEXT, memory.get()) != nullptr;
  if (put) {
    (void)memory.release();  // the clipboard owns it now
  } else {
    ReportLastError("SetClipboardData");
  }
  CloseClipboard();
  return put;
}
