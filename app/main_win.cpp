#include "app/display_scale.h"
#include "app/main_window.h"
#include "app/startup.h"
#include "core/app_state.h"
#include "core/failure_report.h"
#include "core/random.h"
#include "resources/resource_ids.h"

// Named as the system's own declaration names them; the command line is not used.
int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE /*hPrevInstance*/, LPSTR /*lpCmdLine*/,
                   int nShowCmd) {
  HINSTANCE instance = hInstance;
  const int showCommand = nShowCmd;
  // Before COM, which may make windows of its own: the awareness holds from the first one.
  DeclareDpiAwareness();
  // Browsers that register as COM handlers need COM on the thread that opens them.
  const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
  if (FAILED(com)) ReportFailure("CoInitializeEx", com);
  LoadAppStrings(instance);
  InitWindowClass(instance);
  RandomSeed(GetTickCount());
  int exitCode = 0;
  if (StartInstance(instance, showCommand)) {
    HACCEL accelerators = LoadAcceleratorsA(instance, MAKEINTRESOURCEA(IDR_ACCELERATORS));
    if (!accelerators) ReportLastError("LoadAcceleratorsA");
    exitCode = RunMessageLoop(FindCardWindow(), accelerators);
  }
  if (SUCCEEDED(com)) CoUninitialize();
  return exitCode;
}
