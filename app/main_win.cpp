#include "app/app_state.h"
#include "app/random.h"
#include "app/startup.h"
#include "resources/resource_ids.h"
#include "shell/main_window.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE /*previousInstance*/, LPSTR /*commandLine*/,
                   int showCommand) {
  LoadAppStrings(instance);
  InitWindowClass(instance);
  RandomSeed(GetTickCount());
  if (!StartInstance(instance, showCommand)) return 0;
  HACCEL accelerators = LoadAcceleratorsA(instance, MAKEINTRESOURCEA(IDR_ACCELERATORS));
  return RunMessageLoop(accelerators);
}
