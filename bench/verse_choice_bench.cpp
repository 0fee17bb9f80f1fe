#include <benchmark/benchmark.h>

#include <cstring>

#include "bench_data.h"
#include "content/verse_collection.h"
#include "core/app_state.h"
#include "core/random.h"

// ChooseVerse's work once the resource is found: count the pairs, draw, fetch the pair
// into AppState. The registry read and resource lookup around it are timed under Wine.

namespace {

const std::vector<unsigned char>& Collection() {
  static const std::vector<unsigned char> bytes = ReadSourceFile(LargestVerseCollection());
  return bytes;
}

bool HaveCollection(benchmark::State& state) {
  if (!Collection().empty()) return true;
  state.SkipWithError("no verse collection under resources/verses");
  return false;
}

void ChooseVerseRandomPair(benchmark::State& state) {
  if (!HaveCollection(state)) return;
  const ByteView collection = ViewOf(Collection());
  RandomSeed(1);
  for (auto _ : state) {
    const int index = PickVersePair(RandomNext(), CountVersePairs(collection));
    FetchVersePair(collection, index, appState.verseText, VERSE_CAPACITY, appState.verseReference,
                   VERSE_CAPACITY);
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                          static_cast<std::int64_t>(collection.size));
}

// The slowest choice: the fetch walks the whole collection a second time.
void ChooseVerseLastPair(benchmark::State& state) {
  if (!HaveCollection(state)) return;
  const ByteView collection = ViewOf(Collection());
  for (auto _ : state) {
    const int count = CountVersePairs(collection);
    FetchVersePair(collection, count - 1, appState.verseText, VERSE_CAPACITY,
                   appState.verseReference, VERSE_CAPACITY);
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * 2 *
                          static_cast<std::int64_t>(collection.size));
}

// The floor: one memchr over the same bytes for a byte they do not hold, so it reads
// them all once, as fast as this machine's library can.
void FloorScanCollection(benchmark::State& state) {
  if (!HaveCollection(state)) return;
  const ByteView collection = ViewOf(Collection());
  for (auto _ : state) {
    const void* found = std::memchr(collection.data, 0, collection.size);
    benchmark::DoNotOptimize(found);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                          static_cast<std::int64_t>(collection.size));
}

}  // namespace

BENCHMARK(ChooseVerseRandomPair)->Unit(benchmark::kMicrosecond);
BENCHMARK(ChooseVerseLastPair)->Unit(benchmark::kMicrosecond);
BENCHMARK(FloorScanCollection)->Unit(benchmark::kMicrosecond);
