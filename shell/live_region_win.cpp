#include "shell/live_region.h"

#include <oleacc.h>

#include "core/failure_report.h"
#include "core/handles.h"
#include "core/system_calls.h"

namespace {

// Written out: older headers and libraries lack them.
constexpr CLSID ACC_PROP_SERVICES_CLASS = {
    0xb5f8350b, 0x0548, 0x48b1, {0xa6, 0xee, 0x88, 0xbd, 0x00, 0xb4, 0xa5, 0xe7}};
constexpr IID ACC_PROP_SERVICES_INTERFACE = {
    0x6e26e776, 0x04f0, 0x495d, {0x80, 0xe4, 0x33, 0x30, 0x35, 0x2e, 0x31, 0x69}};
constexpr GUID LIVE_SETTING_PROPERTY = {
    0xc12bcd8e, 0x2a8e, 0x4950, {0x8a, 0xe7, 0x36, 0x25, 0x11, 0x1d, 0x58, 0xeb}};
constexpr LONG LIVE_SETTING_POLITE = 1;
constexpr DWORD EVENT_LIVE_REGION_CHANGED = 0x8019;

// The annotation service comes through COM, which WinMain starts for the whole run, from
// the accessibility library the system registered.
void MarkPolite(HWND card, long child) {
  IAccPropServices* services = nullptr;
  const HRESULT created =
      CoCreateInstance(ACC_PROP_SERVICES_CLASS, nullptr, CLSCTX_INPROC_SERVER,
                       ACC_PROP_SERVICES_INTERFACE, reinterpret_cast<void**>(&services));
  if (FAILED(created) || services == nullptr) {
    ReportFailure("CoCreateInstance", created);
    return;
  }
  const ComPtr<IAccPropServices> owned(services);
  VARIANT polite;
  VariantInit(&polite);
  polite.vt = VT_I4;
  polite.lVal = LIVE_SETTING_POLITE;
  const HRESULT set =
      services->SetHwndProp(card, static_cast<DWORD>(OBJID_CLIENT), static_cast<DWORD>(child),
                            LIVE_SETTING_PROPERTY, polite);
  if (FAILED(set)) ReportFailure("IAccPropServices::SetHwndProp", set);
}

}  // namespace

void AnnounceLiveRegion(HWND card, long child) {
  const auto notify = RuntimeCalls().notifyWinEvent;
  if (notify == nullptr) return;
  MarkPolite(card, child);
  notify(EVENT_LIVE_REGION_CHANGED, card, OBJID_CLIENT, child);
}
