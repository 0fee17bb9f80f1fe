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
  LoadAppStrings(instance);
  InitWindowClass(instance);
  RandomSeed(GetTickCount());
  if (!StartInstance(instance, showCommand)) return 0;
  HACCEL accelerators = LoadAcceleratorsA(instance, MAKEINTRESOURCEA(IDR_ACCELERATORS));
  if (!accelerators) ReportLastError("LoadAcceleratorsA");
  return RunMessageLoop(FindCardWindow(), accelerators);
}
