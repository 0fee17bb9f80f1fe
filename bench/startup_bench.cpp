// quillane_startup_bench: how long Quillane.exe takes from process start to its first
// painted card, watched from outside as a user would see it.
//   quillane_startup_bench EXE [RUNS] [--first-run]
// Warm runs (the default) keep the settings the untimed first run wrote, as every start
// after the first does; --first-run deletes the settings and the autostart value before
// each run, so each one takes the first-run path. Each run ends the program with Exit.
// For the floors the program starts itself: with --empty it ends at once, with --window
// it shows a plain window of the card's size.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "resources/resource_ids.h"
#include "card/card_layout.h"
#include "bench_clock.h"
#include "settings/autostart.h"
#include "settings/settings_store.h"

namespace {

constexpr double STARTUP_BUDGET_MS = 300;
constexpr DWORD WAIT_LIMIT_MS = 20000;
constexpr char FLOOR_CLASS[] = "QUILLANE_STARTUP_FLOOR";

// Milliseconds from the launch to each thing a watcher sees.
struct StartupRun {
  double windowExists;
  double windowVisible;
  double painted;
  double exited;
  bool complete;
};

HWND WindowOfProcess(const char* className, DWORD processId) {
  HWND window = nullptr;
  while ((window = FindWindowExA(nullptr, window, className, nullptr)) != nullptr) {
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == processId) return window;
  }
  return nullptr;
}

template <typename Ready>
bool PollUntil(double start, Ready ready) {
  while (!ready()) {
    if (NowMilliseconds() - start > WAIT_LIMIT_MS) return false;
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
    Sleep(1);
  }
  return true;
}

void ForgetSettings() {
  RegDeleteKeyA(HKEY_LOCAL_MACHINE, SETTINGS_KEY_PATH);
  HKEY run = nullptr;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, RUN_KEY_PATH, 0, KEY_SET_VALUE, &run) == ERROR_SUCCESS) {
    RegDeleteValueA(run, AUTOSTART_VALUE_NAME);
    RegCloseKey(run);
  }
}

bool Launch(const std::string& commandLine, PROCESS_INFORMATION* process) {
  std::vector<char> writable(commandLine.begin(), commandLine.end());
  writable.push_back('\0');
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  return CreateProcessA(nullptr, writable.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, process) != FALSE;
}

StartupRun TimeOneStart(const std::string& commandLine, const char* className) {
  StartupRun run{};
  PROCESS_INFORMATION process{};
  const double start = NowMilliseconds();
  if (!Launch(commandLine, &process)) return run;
  HWND card = nullptr;
  bool seen = PollUntil(
      start, [&] { return (card = WindowOfProcess(className, process.dwProcessId)) != nullptr; });
  run.windowExists = NowMilliseconds() - start;
  seen = seen && PollUntil(start, [&] { return IsWindowVisible(card) != FALSE; });
  run.windowVisible = NowMilliseconds() - start;
  // The first paint runs inside start-up, before the message loop. Once it has begun
  // (the shown card has no region left to paint), the program next answers a sent
  // message from its loop, after the paint has ended: nothing in a paint waits on
  // another thread, which is where a message could be answered earlier.
  DWORD_PTR answer = 0;
  seen = seen && PollUntil(start, [&] { return GetUpdateRect(card, nullptr, FALSE) == FALSE; });
  seen = seen && SendMessageTimeoutA(card, WM_NULL, 0, 0, SMTO_NORMAL, WAIT_LIMIT_MS, &answer);
  run.painted = NowMilliseconds() - start;
  if (card != nullptr) PostMessageA(card, WM_COMMAND, CMD_EXIT, 0);
  if (WaitForSingleObject(process.hProcess, WAIT_LIMIT_MS) != WAIT_OBJECT_0) {
    TerminateProcess(process.hProcess, 1);
    seen = false;
  }
  run.exited = NowMilliseconds() - start;
  run.complete = seen;
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return run;
}

LRESULT CALLBACK FloorWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COMMAND && LOWORD(wParam) == CMD_EXIT) {
    DestroyWindow(window);
    return 0;
  }
  if (message == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

// The least a GUI program does before its window is seen painted: a window of the
// card's size, shown and painted by the system, then the message loop.
int RunFloorWindow() {
  HINSTANCE instance = GetModuleHandleA(nullptr);
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = FloorWindowProc;
  windowClass.hInstance = instance;
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  windowClass.lpszClassName = FLOOR_CLASS;
  RegisterClassA(&windowClass);
  HWND window =
      CreateWindowExA(0, FLOOR_CLASS, "floor", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, 0,
                      CARD_CLIENT_WIDTH, CARD_CLIENT_HEIGHT, nullptr, nullptr, instance, nullptr);
  if (window == nullptr) return 1;
  ShowWindow(window, SW_SHOWNORMAL);
  UpdateWindow(window);
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) DispatchMessageA(&message);
  return 0;
}

// An empty process of the same loader, started and waited for: what any start costs.
double TimeEmptyProcess(const std::string& self) {
  PROCESS_INFORMATION process{};
  const double start = NowMilliseconds();
  if (!Launch("\"" + self + "\" --empty", &process)) return 0;
  WaitForSingleObject(process.hProcess, WAIT_LIMIT_MS);
  const double elapsed = NowMilliseconds() - start;
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return elapsed;
}

void PrintFigure(const char* figure, std::vector<double> samples, double budget) {
  std::sort(samples.begin(), samples.end());
  const double median = samples[samples.size() / 2];
  std::printf("%-38s %9.1f %9.1f %9.1f", figure, median, samples.front(), samples.back());
  if (budget > 0) {
    std::printf(" %9.0f %8.1f%%  %s", budget, 100 * median / budget,
                median <= budget ? "within budget" : "OVER BUDGET");
  }
  std::printf("\n");
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 2 && std::strcmp(argv[1], "--empty") == 0) return 0;
  if (argc == 2 && std::strcmp(argv[1], "--window") == 0) return RunFloorWindow();
  if (argc < 2 || argc > 4) {
    std::fprintf(stderr, "usage: quillane_startup_bench EXE [RUNS] [--first-run]\n");
    return 2;
  }
  const std::string exe = argv[1];
  int runs = 10;
  bool firstRun = false;
  for (int i = 2; i < argc; ++i) {
    if (std::strcmp(argv[i], "--first-run") == 0) {
      firstRun = true;
    } else {
      runs = std::max(1, std::atoi(argv[i]));
    }
  }
  char self[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, self, MAX_PATH);
  // A window of our own for the whole measurement keeps the desktop running, as the
  // shell always is on Windows; under Wine the first window of a session starts it.
  HWND session = CreateWindowExA(0, "STATIC", "session", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                                 GetModuleHandleA(nullptr), nullptr);

  // Untimed: fills the file cache and, for warm runs, writes the settings.
  if (firstRun) ForgetSettings();
  const std::string program = "\"" + exe + "\"";
  const std::string floorWindow = "\"" + std::string(self) + "\" --window";
  if (!TimeOneStart(program, QUILLANE_WINDOW_CLASS).complete) {
    std::fprintf(stderr, "quillane_startup_bench: %s did not show a painted card\n", exe.c_str());
    return 1;
  }
  std::vector<double> exists, visible, painted, exited, empty, floorPainted, overFloor;
  for (int i = 0; i < runs; ++i) {
    if (firstRun) ForgetSettings();
    const StartupRun run = TimeOneStart(program, QUILLANE_WINDOW_CLASS);
    if (!run.complete) {
      std::fprintf(stderr, "quillane_startup_bench: run %d did not complete\n", i + 1);
      return 1;
    }
    exists.push_back(run.windowExists);
    visible.push_back(run.windowVisible);
    painted.push_back(run.painted);
    exited.push_back(run.exited);
    empty.push_back(TimeEmptyProcess(self));
    floorPainted.push_back(TimeOneStart(floorWindow, FLOOR_CLASS).painted);
    overFloor.push_back(painted.back() - floorPainted.back());
  }
  std::printf("%s runs (%s), ms from CreateProcess: median, min, max of %d\n",
              firstRun ? "first" : "warm",
              firstRun ? "settings deleted before each" : "settings kept", runs);
  std::printf("%-38s %9s %9s %9s %9s %9s\n", "figure", "median", "min", "max", "budget",
              "of budget");
  PrintFigure("card window exists", exists, 0);
  PrintFigure("card window visible", visible, 0);
  PrintFigure("first paint done (start-up)", painted, firstRun ? 0 : STARTUP_BUDGET_MS);
  PrintFigure("after Exit, process ended", exited, 0);
  PrintFigure("floor: empty console process ended", empty, 0);
  PrintFigure("floor: plain window shown and painted", floorPainted, 0);
  // Run by run, so that both starts of a pair meet about the same load.
  PrintFigure("start-up less the plain window", overFloor, 0);
  if (session != nullptr) DestroyWindow(session);
  return 0;
}
