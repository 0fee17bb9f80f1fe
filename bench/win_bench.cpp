// quillane_bench: the card's paint, picture decode, verse choice and memory use, timed
// against the real window system, with each figure next to its budget.
//   quillane_bench                 paint, decode, choice and memory figures
//   quillane_bench --readers       only the pure readers over the embedded data
//   quillane_bench --resources EXE the resources of EXE by type, in bytes
//   quillane_bench --decode FILE.. decode time of picture files, as the card loads them
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>
#include <type_traits>
#include <vector>

#include "card/card_layout.h"
#include "bench_clock.h"
#include "card/card_painter.h"
#include "card/card_scale.h"
#include "card/change_card.h"
#include "content/background_picture.h"
#include "content/holiday_calendar.h"
#include "content/resource_store.h"
#include "content/verse_collection.h"
#include "core/app_state.h"
#include "core/handles.h"
#include "core/pixel_bitmap.h"
#include "core/random.h"
#include "picture_decode.h"
#include "process_usage.h"
#include "resource_sizes.h"
#include "resources/resource_ids.h"

namespace {

// The card's client area as the painter's tests use it.
constexpr int CANVAS_WIDTH = 344;
constexpr int CANVAS_HEIGHT = 506;
constexpr int TIMED_RUNS = 200;
constexpr int RUNS_PER_PICTURE = 20;
constexpr int VERSE_CHANGES = 1000;
constexpr double PAINT_BUDGET_MS = 10;
// The card at 150 %: 2.25 times the pixels of the picture to stretch and of the text.
constexpr int SCALED_DPI = 144;
constexpr double SCALED_PAINT_BUDGET_MS = 15;
constexpr double CHOICE_BUDGET_MS = 0.2;
constexpr double CALENDAR_BUDGET_MS = 0.5;
constexpr char BENCH_WINDOW_CLASS[] = "QUILLANE_BENCH";
constexpr int NO_PICTURE = 9999;  // no such resource: the paint draws the texts alone
constexpr int HIMETRIC_PER_INCH = 2540;

struct Spread {
  double median;
  double minimum;
  double maximum;
};

Spread SpreadOf(std::vector<double> samples) {
  if (samples.empty()) return Spread{0, 0, 0};
  std::sort(samples.begin(), samples.end());
  return Spread{samples[samples.size() / 2], samples.front(), samples.back()};
}

// Runs `setUp` untimed and `work` timed, `runs` times.
template <typename SetUp, typename Work>
Spread Time(int runs, SetUp setUp, Work work) {
  std::vector<double> samples;
  samples.reserve(static_cast<std::size_t>(runs));
  for (int i = 0; i < runs; ++i) {
    setUp();
    const double start = NowMilliseconds();
    work();
    GdiFlush();
    samples.push_back(NowMilliseconds() - start);
  }
  return SpreadOf(std::move(samples));
}

void PrintFigure(const char* figure, const Spread& spread, double budget) {
  std::printf("%-44s %9.3f %9.3f %9.3f", figure, spread.median, spread.minimum, spread.maximum);
  if (budget > 0) {
    std::printf(" %9.1f %8.1f%%  %s", budget, 100 * spread.median / budget,
                spread.median <= budget ? "within budget" : "OVER BUDGET");
  }
  std::printf("\n");
}

void PrintUsage(const char* when, const ProcessUsage& usage) {
  std::printf("%-26s %12zu %12zu %12zu", when, usage.privateBytes, usage.privateUsage,
              usage.workingSet);
  if (usage.guiResourcesReported) {
    std::printf(" %8lu %8lu", usage.gdiObjects, usage.userObjects);
  } else {
    std::printf(" %8s %8s", "n/a", "n/a");
  }
  std::printf(" %10d %10d\n", usage.freeGdiHandles, usage.freeUserHandles);
}

long long Growth(std::size_t before, std::size_t after) {
  return static_cast<long long>(after) - static_cast<long long>(before);
}

// A hidden window of our own class: PaintCard asks it for the client rectangle.
HWND CreateBenchWindow(HINSTANCE instance) {
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = DefWindowProcA;
  windowClass.hInstance = instance;
  windowClass.lpszClassName = BENCH_WINDOW_CLASS;
  RegisterClassA(&windowClass);
  return CreateWindowExA(0, BENCH_WINDOW_CLASS, "bench", WS_POPUP, 0, 0, CARD_CLIENT_WIDTH,
                         CARD_CLIENT_HEIGHT, nullptr, nullptr, instance, nullptr);
}

OwnedBitmap CreateCanvasBitmap(HDC dc, int width = CANVAS_WIDTH, int height = CANVAS_HEIGHT) {
  std::uint32_t* pixels = nullptr;
  return CreatePixelBitmap(dc, width, height, &pixels);
}

// Where the floor scans leave their result, so that the compiler keeps every scan.
const void* volatile scanSink = nullptr;

// The largest embedded verse collection: the slowest to walk.
ByteView LargestCollection(int* id) {
  ByteView largest{nullptr, 0};
  for (int candidate = IDR_FIRST_VERSES; candidate <= IDR_LAST_VERSES; ++candidate) {
    ByteView bytes{};
    if (FindResourceBytes(candidate, "VERSES", &bytes) && bytes.size > largest.size) {
      largest = bytes;
      *id = candidate;
    }
  }
  return largest;
}

// The pure readers again, here with this system's C library (memchr, memcpy).
void TimePureReaders() {
  int collectionId = 0;
  const ByteView collection = LargestCollection(&collectionId);
  ByteView calendar{};
  FindResourceBytes(IDR_HOLIDAYS, "HOLIDAYS", &calendar);
  char text[VERSE_CAPACITY];
  char reference[VERSE_CAPACITY];
  const Spread choice = Time(
      TIMED_RUNS, [] {},
      [&] {
        const int index = PickVersePair(RandomNext(), CountVersePairs(collection));
        FetchVersePair(collection, index, text, sizeof text, reference, sizeof reference);
      });
  const Spread lastPair = Time(
      TIMED_RUNS, [] {},
      [&] {
        FetchVersePair(collection, CountVersePairs(collection) - 1, text, sizeof text, reference,
                       sizeof reference);
      });
  const Spread collectionFloor = Time(
      TIMED_RUNS, [] {}, [&] { scanSink = std::memchr(collection.data, 0, collection.size); });
  HolidayList list{};
  const Spread firstDay = Time(
      TIMED_RUNS, [] {},
      [&] {
        ReadHolidays(calendar, LocalTime{2006, 1, 0, 1, 0, 0, 0, 0}, &list);
      });
  const Spread lastMonth = Time(
      TIMED_RUNS, [] {},
      [&] {
        ReadHolidays(calendar, LocalTime{2099, 12, 2, 1, 0, 0, 0, 0}, &list);
      });
  const Spread calendarFloor = Time(
      TIMED_RUNS, [] {}, [&] { scanSink = std::memchr(calendar.data, 0, calendar.size); });
  std::printf(
      "\npure readers over the embedded data (collection %d, %zu bytes; calendar %zu "
      "bytes)\n",
      collectionId, collection.size, calendar.size);
  PrintFigure("count + fetch, random pair", choice, CHOICE_BUDGET_MS);
  PrintFigure("count + fetch, last pair", lastPair, CHOICE_BUDGET_MS);
  PrintFigure("  floor: memchr over the collection", collectionFloor, 0);
  PrintFigure("ReadHolidays at 2006-01-01", firstDay, CALENDAR_BUDGET_MS);
  PrintFigure("ReadHolidays at 2099-12-01", lastMonth, CALENDAR_BUDGET_MS);
  PrintFigure("  floor: memchr over the calendar", calendarFloor, 0);
}

void ChangeVerse() {
  appState.newPictureRequested = 1;
  ChooseVerse();
}

struct PaintParts {
  Spread paint;
  Spread decode;
  Spread texts;
  double decodeShare;
};

// A whole paint, its picture decoded again, and a paint without a picture, one after the
// other in every run, so that all meet the same load of a shared machine; the share is
// taken run by run.
PaintParts TimePaintParts(HDC target, HWND card) {
  std::vector<double> paint, decode, texts, share;
  auto once = [](auto work) {
    const double start = NowMilliseconds();
    work();
    GdiFlush();
    return NowMilliseconds() - start;
  };
  for (int i = 0; i < TIMED_RUNS; ++i) {
    ChangeVerse();
    paint.push_back(once([&] { PaintCard(target, card); }));
    // The picture the paint drew, decoded again as every paint does.
    decode.push_back(once([] { LoadBackgroundPicture(); }));
    share.push_back(decode.back() / paint.back());
    appState.pictureId = NO_PICTURE;
    texts.push_back(once([&] { PaintCard(target, card); }));
  }
  return PaintParts{SpreadOf(paint), SpreadOf(decode), SpreadOf(texts), SpreadOf(share).median};
}

// Whole paints, each of a new verse and picture, with the card at SCALED_DPI on a canvas of
// its client size there.
Spread TimeScaledPaint(HWND card) {
  OwnedDc dc(CreateCompatibleDC(nullptr));
  OwnedBitmap bitmap =
      dc ? CreateCanvasBitmap(dc.get(), ScaledForDpi(CARD_CLIENT_WIDTH, SCALED_DPI),
                              ScaledForDpi(CARD_CLIENT_HEIGHT, SCALED_DPI))
         : nullptr;
  if (!bitmap) return Spread{0, 0, 0};
  SelectedObject canvas(SelectObject(dc.get(), bitmap.get()), SelectBack{dc.get()});
  SetCardDpi(card, SCALED_DPI);
  const Spread paint = Time(TIMED_RUNS, ChangeVerse, [&] { PaintCard(dc.get(), card); });
  SetCardDpi(card, CARD_BASE_DPI);
  return paint;
}

// Private bytes and objects after start-up and over 1000 verse changes, each a new
// verse and picture painted: the pictures and fonts must be released every time.
void MeasureMemory(HDC target, HWND card) {
  // Grown tables and caches stay grown: a first probe before the measured ones.
  MeasureProcessUsage();
  std::printf("\n%-26s %12s %12s %12s %8s %8s %10s %10s\n", "memory, bytes and objects",
              "committed", "PrivateUsage", "working set", "GDI", "USER", "free GDI", "free USER");
  const ProcessUsage before = MeasureProcessUsage();
  PrintUsage("after start-up", before);
  for (int i = 1; i <= VERSE_CHANGES; ++i) {
    ChangeVerse();
    PaintCard(target, card);
    if (i == VERSE_CHANGES / 10) {
      GdiFlush();
      PrintUsage("after 100 verse changes", MeasureProcessUsage());
    }
  }
  GdiFlush();
  const ProcessUsage after = MeasureProcessUsage();
  PrintUsage("after 1000 verse changes", after);
  std::printf("%-26s %12lld %12lld %12lld %8s %8s %10d %10d\n", "growth over 1000",
              Growth(before.privateBytes, after.privateBytes),
              Growth(before.privateUsage, after.privateUsage),
              Growth(before.workingSet, after.workingSet), "", "",
              before.freeGdiHandles - after.freeGdiHandles,
              before.freeUserHandles - after.freeUserHandles);
}

int RunBenchmarks() {
  appState.instance = GetModuleHandleA(nullptr);
  RandomSeed(1);
  const double processStart = NowMilliseconds();
  OwnedWindow window(CreateBenchWindow(appState.instance));
  OwnedDc dc(CreateCompatibleDC(nullptr));
  OwnedBitmap bitmap = dc ? CreateCanvasBitmap(dc.get()) : nullptr;
  if (!window || !dc || !bitmap) {
    std::fprintf(stderr, "quillane_bench: no window or memory DC\n");
    return 1;
  }
  SelectedObject canvas(SelectObject(dc.get(), bitmap.get()), SelectBack{dc.get()});
  HDC target = dc.get();
  HWND card = window.get();

  // The first paint in a fresh process also loads the picture decoder and the fonts:
  // the first decode alone, then a whole first paint after it.
  ChangeVerse();
  const double firstStart = NowMilliseconds();
  LoadBackgroundPicture();
  const double firstDecode = NowMilliseconds() - firstStart;
  appState.newPictureRequested = 1;
  const double paintStart = NowMilliseconds();
  PaintCard(target, card);
  GdiFlush();
  const double firstPaint = NowMilliseconds() - paintStart;
  const double setUp = firstStart - processStart;
  std::printf("translation code %u, canvas %dx%d, figures in ms: median, min, max of %d runs\n\n",
              static_cast<unsigned>(appState.translationCode), CANVAS_WIDTH, CANVAS_HEIGHT,
              TIMED_RUNS);

  std::printf("%-44s %9.3f\n", "window, DC and first verse (once)", setUp);
  std::printf("%-44s %9.3f\n", "first LoadBackgroundPicture (once)", firstDecode);
  std::printf("%-44s %9.3f\n", "first PaintCard after it (once)", firstPaint);
  MeasureMemory(target, card);
  std::printf("\n%-44s %9s %9s %9s %9s %9s\n", "figure", "median", "min", "max", "budget",
              "of budget");
  const PaintParts parts = TimePaintParts(target, card);
  PrintFigure("PaintCard, new verse and picture", parts.paint, PAINT_BUDGET_MS);
  PrintFigure("  LoadBackgroundPicture (JPEG decode)", parts.decode, 0);
  PrintFigure("  PaintCard, no picture (texts, calendar)", parts.texts, 0);
  const Spread calendar = Time(
      TIMED_RUNS, [] {}, [] { FindNextHolidays(&holidayList); });
  PrintFigure("    FindNextHolidays alone", calendar, 0);
  PrintFigure("PaintCard at 144 DPI, new verse and picture", TimeScaledPaint(card),
              SCALED_PAINT_BUDGET_MS);
  const Spread choice = Time(
      TIMED_RUNS, [] {}, [] { ChooseVerse(); });
  PrintFigure("ChooseVerse (registry, resource, choice)", choice, 0);
  std::printf("\nJPEG decode share of a paint: %.0f%% (median over runs of decode / paint)\n",
              100 * parts.decodeShare);

  TimePureReaders();

  std::printf("\n%-26s %9s\n", "picture decode, by id", "median");
  for (int id = FIRST_PICTURE_ID; id < FIRST_PICTURE_ID + PICTURE_CHOICES; ++id) {
    const Spread one = Time(
        RUNS_PER_PICTURE, [id] { appState.pictureId = id; }, [] { LoadBackgroundPicture(); });
    std::printf("IMAGE %-20d %9.3f\n", id, one.median);
  }

  if (appState.picture != nullptr) appState.picture->Release();
  appState.picture = nullptr;
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && std::strcmp(argv[1], "--resources") == 0) {
    if (PrintResourceSizes(argv[2])) return 0;
    std::fprintf(stderr, "quillane_bench: cannot open %s\n", argv[2]);
    return 1;
  }
  if (argc >= 3 && std::strcmp(argv[1], "--decode") == 0) {
    return PrintPictureDecodeTimes(argc - 2, argv + 2) ? 0 : 1;
  }
  if (argc == 2 && std::strcmp(argv[1], "--readers") == 0) {
    TimePureReaders();
    return 0;
  }
  if (argc != 1) {
    std::fprintf(stderr,
                 "usage: quillane_bench [--readers | --resources EXE | --decode FILE...]\n");
    return 2;
  }
  return RunBenchmarks();
}
