#include "core/text_win.h"

#include "core/failure_report.h"

namespace {
constexpr UINT WESTERN_CODE_PAGE = 1252;
}

std::wstring WideFrom1252(const char* text, int length) {
  if (text == nullptr || length == 0) return std::wstring();
  const int needed = MultiByteToWideChar(WESTERN_CODE_PAGE, 0, text, length, nullptr, 0);
  if (needed <= 0) {
    ReportLastError("MultiByteToWideChar");
    return std::wstring();
  }
  std::wstring wide(static_cast<std::size_t>(needed), L'\0');
  MultiByteToWideChar(WESTERN_CODE_PAGE, 0, text, length, wide.data(), needed);
  // With -1 the count includes the terminating NUL, which std::wstring keeps itself.
  if (length < 0) wide.pop_back();
  return wide;
}
