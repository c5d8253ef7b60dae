// SPDX-FileCopyrightText: 2026 Quillon Solutions
// SPDX-License-Identifier: Apache-2.0

// The saver's mosaic on the headless machine at three screen sizes, 1920x1080
// also at 150% and 3840x2160 also at 200%: how long the layout and a tick take,
// what the mosaic keeps on the heap, and what a tick's render costs next to
// copying the pixels it changed. Figures are printed, never judged: the goals
// are in the counters' names (see bench/README.md).
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstring>
#include <memory>
#include <vector>

#include "HeapCounter.h"
#include "SaverSession.h"
#include "saver/PictureSet.h"
#include "startup/runtime/headless/Machine.h"

namespace {

constexpr double kSeed = 45296;  // 12:34:56, any time of day lays out a mosaic
constexpr std::int64_t kTwoMegabytes = 2 * 1024 * 1024;

render::SaverSetup SetupFor(const benchmark::State& state) {
  render::SaverSetup setup;
  setup.width = static_cast<int>(state.range(0));
  setup.height = static_cast<int>(state.range(1));
  setup.seed = kSeed;
  setup.dotsPerInch = static_cast<int>(state.range(2));
  return setup;
}

void ScreenSizes(benchmark::internal::Benchmark* benchmark) {
  benchmark->Args({1920, 1080, 96})->Args({1920, 1080, 144})->Args({3840, 2160, 96})->Args({3840, 2160, 192})
      ->Args({7680, 4320, 96})->ArgNames({"width", "height", "dpi"});
}

// Rows of `now` that differ from `before`, which then becomes a copy of `now`.
int ChangedRows(const gfx::Bitmap& now, gfx::Bitmap& before) {
  if (before.Width() != now.Width() || before.Height() != now.Height()) {
    before = now;
    return now.Height();
  }
  const std::size_t rowBytes = static_cast<std::size_t>(now.Width()) * sizeof(gfx::Pixel);
  int changed = 0;
  for (int y = 0; y < now.Height(); ++y) {
    if (std::memcmp(now.Scanline(y), before.Scanline(y), rowBytes) != 0) {
      ++changed;
      std::memcpy(before.Scanline(y), now.Scanline(y), rowBytes);
    }
  }
  return changed;
}

// Loading the saver window: the program's start, whose Form_Load lays out the mosaic.
void Init(benchmark::State& state) {
  const render::SaverSetup setup = SetupFor(state);
  std::unique_ptr<render::SaverSession> session;
  for (auto _ : state) {
    session = std::make_unique<render::SaverSession>(setup);
    benchmark::DoNotOptimize(session.get());
    state.PauseTiming();
    session.reset();
    state.ResumeTiming();
  }
}
BENCHMARK(Init)->Apply(ScreenSizes)->Unit(benchmark::kMillisecond);

// The first frame: every row composed from nothing.
void FirstFrame(benchmark::State& state) {
  const render::SaverSetup setup = SetupFor(state);
  std::unique_ptr<render::SaverSession> session;
  for (auto _ : state) {
    state.PauseTiming();
    session = std::make_unique<render::SaverSession>(setup);
    state.ResumeTiming();
    benchmark::DoNotOptimize(session->Frame().Data());
  }
}
BENCHMARK(FirstFrame)->Apply(ScreenSizes)->Unit(benchmark::kMillisecond);

// One 10 ms tick of the timers and the frame it leaves, as the window presents it.
void TickAndRender(benchmark::State& state) {
  render::SaverSession session(SetupFor(state));
  session.Frame();
  for (auto _ : state) {
    session.Tick();
    benchmark::DoNotOptimize(session.Frame().Data());
  }
  if (!session.Running()) state.SkipWithError("the saver ended");
}
BENCHMARK(TickAndRender)->Apply(ScreenSizes)->Unit(benchmark::kMicrosecond);

// The render cost of a tick against a plain memcpy of the rows it changed,
// measured in the same loop: the iteration time is the tick and render alone.
void TickAgainstMemcpy(benchmark::State& state) {
  using Clock = std::chrono::steady_clock;
  render::SaverSession session(SetupFor(state));
  gfx::Bitmap before = session.Frame();
  const std::size_t rowBytes = static_cast<std::size_t>(before.Width()) * sizeof(gfx::Pixel);
  // The copy reads the rows the comparison has just read, as warm in the cache as
  // the frame the render wrote, and writes a buffer of the frame's size.
  std::vector<unsigned char> copyTarget(before.ByteSize(), 0);
  double renderSeconds = 0, memcpySeconds = 0;
  std::int64_t changedRows = 0;
  for (auto _ : state) {
    const auto renderStart = Clock::now();
    session.Tick();
    const gfx::Bitmap& frame = session.Frame();
    const auto renderEnd = Clock::now();
    const int changed = ChangedRows(frame, before);
    const auto copyStart = Clock::now();
    std::memcpy(copyTarget.data(), before.Data(), rowBytes * static_cast<std::size_t>(changed));
    benchmark::ClobberMemory();
    const auto copyEnd = Clock::now();
    const double render = std::chrono::duration<double>(renderEnd - renderStart).count();
    renderSeconds += render;
    memcpySeconds += std::chrono::duration<double>(copyEnd - copyStart).count();
    changedRows += changed;
    state.SetIterationTime(render);
  }
  if (!session.Running()) state.SkipWithError("the saver ended");
  const auto iterations = static_cast<double>(state.iterations());
  state.counters["changed_rows"] = static_cast<double>(changedRows) / iterations;
  state.counters["memcpy_us"] = memcpySeconds / iterations * 1e6;
  state.counters["render_over_memcpy(goal<=2)"] = memcpySeconds > 0 ? renderSeconds / memcpySeconds : 0;
}
BENCHMARK(TickAgainstMemcpy)->Apply(ScreenSizes)->UseManualTime()->Unit(benchmark::kMicrosecond);

// The bytes of the twelve pictures as drawn at a density.
std::int64_t PictureSetBytes(int dotsPerInch) {
  std::int64_t bytes = 0;
  for (int index = 0; index < kPictureCount; ++index) {
    if (const runtime::Picture picture = LoadSetPicture(index, dotsPerInch)) {
      bytes += static_cast<std::int64_t>(picture->ByteSize());
    }
  }
  return bytes;
}

// What the mosaic keeps on the heap once laid out and shown, and after a thousand
// ticks, against one frame buffer + 2 MB, and at a higher density also what its
// pictures take beyond the 100% ones (four times as many bytes at 200%). The
// headless machine's record of calls grows with every tick and is not the
// mosaic's, so it is emptied before counting.
void MosaicHeap(benchmark::State& state) {
  const render::SaverSetup setup = SetupFor(state);
  const std::int64_t largerPictures = PictureSetBytes(setup.dotsPerInch) - PictureSetBytes(96);
  for (auto _ : state) {
    headless::Reset();
    const std::int64_t baseline = heap::LiveBytes();
    heap::ResetPeak();
    render::SaverSession session(setup);
    session.Frame();
    std::vector<std::wstring>().swap(headless::TheMachine().calls);
    const std::int64_t shown = heap::LiveBytes() - baseline;
    session.Tick(1000);
    session.Frame();
    std::vector<std::wstring>().swap(headless::TheMachine().calls);
    const std::int64_t ticked = heap::LiveBytes() - baseline;
    const std::int64_t frameBytes = static_cast<std::int64_t>(setup.width) * setup.height * 4;
    state.counters["heap_bytes"] = static_cast<double>(shown);
    state.counters["heap_bytes_after_1000_ticks"] = static_cast<double>(ticked);
    state.counters["peak_bytes"] = static_cast<double>(heap::PeakBytes() - baseline);
    state.counters["goal_bytes(frame+2MB+larger_pictures)"] =
        static_cast<double>(frameBytes + kTwoMegabytes + largerPictures);
    state.counters["heap_over_frame_bytes"] = static_cast<double>(ticked - frameBytes);
  }
}
BENCHMARK(MosaicHeap)->Apply(ScreenSizes)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
