// SPDX-FileCopyrightText: 2026 Quillon Solutions
// SPDX-License-Identifier: Apache-2.0

// The pacing of presents against the display's refresh: timer ticks as Windows and
// Wine deliver them, checked for the goals of the pacing rather than for the
// ticks it picks.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "startup/runtime/FramePacing.h"
#include "startup/runtime/Presents.h"

namespace {

using Micros = std::int64_t;

// Arrival times of a timer of `interval`, each tick early or late by up to
// `jitter` around its due time; from tick `stallAt` on, everything comes `stall`
// later (one tick held up, the timer going on from there). Deterministic.
std::vector<Micros> Ticks(int count, Micros interval, Micros jitter, int stallAt = -1, Micros stall = 0) {
  std::vector<Micros> ticks;
  std::uint64_t state = 0x9E3779B97F4A7C15u;
  for (int k = 0; k < count; ++k) {
    state = state * 6364136223846793005u + 1442695040888963407u;
    const Micros offset = jitter == 0 ? 0 : static_cast<Micros>((state >> 33) % static_cast<std::uint64_t>(2 * jitter + 1)) - jitter;
    ticks.push_back(k * interval + offset + (stallAt >= 0 && k >= stallAt ? stall : 0));
  }
  return ticks;
}

struct Row {
  const char* name;
  std::vector<Micros> ticks;
  std::uint32_t refreshes;  // in `seconds` seconds
  std::uint32_t seconds = 1;
  Micros phase = -1;  // the display refreshes this long after the first tick, told to the pacer; -1: not told
};

std::string Describe(const std::vector<Micros>& ticks, const std::vector<bool>& presented, std::size_t at) {
  std::string text;
  for (std::size_t k = at >= 3 ? at - 3 : 0; k < ticks.size() && k <= at + 3; ++k) {
    text += (k == at ? " [" : " ") + std::to_string(ticks[k]) + (presented[k] ? "P" : "-") + (k == at ? "]" : "");
  }
  return text;
}

TEST(FramePacing, PresentsEveryTickTheDisplayCanShowAndNeverRunsAheadOfIt) {
  const Row rows[] = {
      {"Windows' 15.6 ms ticks, +-2 ms, at 60 Hz", Ticks(640, 15600, 2000), 60},
      {"Windows' 15.6 ms ticks, +-2 ms, at 50 Hz", Ticks(640, 15600, 2000), 50},
      {"Windows' 15.6 ms ticks, +-2 ms, at 144 Hz", Ticks(640, 15600, 2000), 144},
      {"Windows' 15.6 ms ticks on time at 60 Hz", Ticks(640, 15600, 0), 60},
      {"Wine's 10 ms ticks at 60 Hz", Ticks(1000, 10000, 300), 60},
      {"a tick stalled 200 ms at 60 Hz", Ticks(640, 15600, 2000, 300, 200000), 60},
      {"a tick stalled 200 ms at 144 Hz", Ticks(640, 15600, 2000, 300, 200000), 144},
      {"Windows' 15.6 ms ticks, +-2 ms, at 59.94 Hz", Ticks(640, 15600, 2000), 60000, 1001},
      {"Wine's 10 ms ticks at 59.94 Hz", Ticks(1000, 10000, 300), 60000, 1001},
      {"15.6 ms ticks on time at 59.94 Hz, a refresh 9 ms after the first", Ticks(640, 15600, 0), 60000, 1001, 9000},
      {"Wine's 10 ms ticks at 59.94 Hz, a refresh 5 ms after the first", Ticks(1000, 10000, 300), 60000, 1001, 5000},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const double period = 1e6 * row.seconds / row.refreshes;
    // The pacer counts nanoseconds, so that its whole-tick period strays from the
    // display's by far less than a tick's jitter over the row.
    const std::int64_t pacerPeriod = runtime::RefreshPeriod(row.refreshes, row.seconds, 1000000000);
    runtime::FramePacer pacer;
    std::vector<bool> presented;
    std::vector<Micros> presents;
    std::set<std::int64_t> refreshesWithTick, refreshesWithPresent;
    const Micros firstRefresh = row.ticks.front() + std::max<Micros>(row.phase, 0);
    const std::optional<std::int64_t> told =
        row.phase < 0 ? std::nullopt : std::optional<std::int64_t>(firstRefresh * 1000);
    for (Micros t : row.ticks) {
      presented.push_back(pacer.PresentAt(t * 1000, pacerPeriod, pacerPeriod, told));
      if (presented.back()) presents.push_back(t);
      // The display shows at each refresh the last frame presented before it. A
      // pacer not told the display's phase begins its grid at the first tick, and
      // such rows count the refreshes from there: they check its rate alone.
      const std::int64_t since = (t - firstRefresh) * row.refreshes;
      const std::int64_t term = std::int64_t{1000000} * row.seconds;
      const std::int64_t refresh = since / term - (since % term < 0 ? 1 : 0);
      refreshesWithTick.insert(refresh);
      if (presented.back()) refreshesWithPresent.insert(refresh);
    }
    // Every refresh that presenting every tick would give a new frame gets one.
    EXPECT_EQ(refreshesWithPresent.size(), refreshesWithTick.size());

    // A tick a whole refresh or more after the last present always presents: with
    // ticks slower than the refresh, none is skipped. While the ticks come faster
    // than the refresh, the present after a skipped tick comes within two
    // refreshes of the last one.
    Micros last = row.ticks.front();
    bool skippedSince = false;
    bool ticksFaster = true;
    for (std::size_t k = 0; k < row.ticks.size(); ++k) {
      const auto sinceLast = static_cast<double>(row.ticks[k] - last);
      if (k > 0) ticksFaster = ticksFaster && static_cast<double>(row.ticks[k] - row.ticks[k - 1]) < period;
      if (!presented[k]) {
        ASSERT_LT(sinceLast, period) << "skipped a tick the display could show:" << Describe(row.ticks, presented, k);
        skippedSince = true;
        continue;
      }
      if (skippedSince && ticksFaster) {
        ASSERT_LT(sinceLast, 2 * period) << "presents two refreshes apart:" << Describe(row.ticks, presented, k);
      }
      last = row.ticks[k];
      skippedSince = false;
      ticksFaster = true;
    }

    // At most one present per refresh: n presents span more than n - 2 refreshes,
    // whichever run of them is taken.
    for (std::size_t i = 0; i < presents.size(); ++i) {
      for (std::size_t j = i + 1; j < presents.size(); ++j) {
        ASSERT_GT(static_cast<double>(presents[j] - presents[i]), static_cast<double>(j - i - 1) * period)
            << (j - i + 1) << " presents from " << presents[i] << " to " << presents[j];
      }
    }

    // And no fewer than the display could show: close to one per refresh when the
    // ticks are faster, every tick when they are slower.
    const double span = static_cast<double>(row.ticks.back() - row.ticks.front());
    const double shown = std::min(static_cast<double>(row.ticks.size()), span / static_cast<double>(period));
    EXPECT_GE(static_cast<double>(presents.size()), 0.95 * shown)
        << presents.size() << " presents of " << row.ticks.size() << " ticks over " << span / 1000 << " ms";
  }
}

TEST(FramePacing, ANewRefreshRateOrNoneTakesEffectAtTheNextTick) {
  struct Step {
    Micros now;
    Micros period;
    bool presents;
    Micros refreshedAt = -1;  // when the display refreshed, as the pacer is told; -1: not told
  };
  const Step steps[] = {
      {0, 16667, true},      {10000, 16667, false},  {20000, 16667, true},
      // The display changed to 144 Hz: 30 ms lies in the 60 Hz period that began
      // at 16.7 ms, but the new rate starts a new grid.
      {30000, 6944, true},   {35000, 6944, false},   {37000, 6944, true},
      // No rate known: every tick presents.
      {38000, 0, true},      {38500, 0, true},
      // A clock set back starts over.
      {40000, 16667, true},  {1000, 16667, true},    {2000, 16667, false},
      // Ticks exactly one refresh apart each present; a second tick at the same time does not.
      {17667, 16667, true},  {17667, 16667, false},  {34334, 16667, true},
      // Told the display refreshed at 40000, the grid follows the display: 10.5 ms
      // after the last present is a new refresh, 5 ms before it is not.
      {39000, 16667, false, 40000},  {40500, 16667, true, 40000},
      // A new reading moves the display's phase: the grid moves with it.
      {50000, 16667, true, 60000},   {55000, 16667, false, 60000}, {60100, 16667, true, 60000},
  };
  runtime::FramePacer pacer;
  for (const Step& step : steps) {
    const auto told = step.refreshedAt < 0 ? std::nullopt : std::optional<std::int64_t>(step.refreshedAt);
    EXPECT_EQ(pacer.PresentAt(step.now, step.period, step.period, told), step.presents)
        << "at " << step.now << " every " << step.period;
  }
}

TEST(FramePacing, ARefreshRateGivenAsAFractionBecomesWholeTicksOfTheClock) {
  struct Rate {
    std::uint32_t refreshes, seconds;
    std::int64_t ticksPerSecond, period;
  };
  const Rate rates[] = {
      {60, 1, 10000000, 166666},              // 60 Hz on a 10 MHz counter
      {60000, 1001, 10000000, 166833},        // 59.94 Hz: not the 59 Hz of whole hertz
      {148500000, 2475000, 1000000000, 16666666},  // 60 Hz in large terms, counted in nanoseconds
      {1, 1, 3579545, 3579545},               // the slowest rate there is
      {1, 2, 10000000, 0},                    // slower than one refresh a second: not known
      {60, 0, 10000000, 0},                   // no seconds
      {60, 1, 0, 0},                          // no clock
  };
  for (const Rate& r : rates) {
    EXPECT_EQ(runtime::RefreshPeriod(r.refreshes, r.seconds, r.ticksPerSecond), r.period)
        << r.refreshes << " in " << r.seconds << " at " << r.ticksPerSecond;
  }
}

TEST(FramePacing, ALimitedFrameRateShowsEachFrameForWholeRefreshes) {
  // {display's period, frames a second at most, period paced to}, on a 10 MHz counter.
  const std::int64_t rows[][3] = {
      {166666, 30, 333332}, {166833, 30, 333666}, {69444, 30, 347220},  // 60, 59.94, 144 Hz: every 2nd, 2nd, 5th
      {200000, 30, 400000}, {333333, 30, 333333}, {1000000, 30, 1000000}, {0, 30, 333333},  // 50, 30, 10 Hz, unknown
      {330000, 30, 330000},  // 30.3 Hz: within 1% of the limit
      {166666, 1 << 30, 166666}, {0, 1 << 30, 0}, {166666, 0, 166666},  // no limit: the display's own, or every tick
  };
  for (const auto& row : rows) {
    EXPECT_EQ(runtime::PresentPeriod(row[0], static_cast<int>(row[1]), 10000000), row[2]) << row[0] << " " << row[1];
  }
}

TEST(FramePacing, AFrameLimitKeepsEveryFrameUpForTheSameRefreshesThoughTheDisplaysPhaseIsToldEverySecond) {
  // The display really refreshes at 60.02 Hz; the pacer counts 60 Hz from the
  // rate Windows gives, and is told the display's last refresh once a second.
  constexpr std::int64_t kSecond = 1000000000;  // nanoseconds
  const double realPeriod = kSecond / 60.02;
  const std::int64_t toldPeriod = runtime::RefreshPeriod(60, 1, kSecond);
  struct Trace {
    std::int64_t refreshesPerFrame;
    std::int64_t tick;  // the timer's interval
  };
  const Trace traces[] = {{2, 10000000}, {3, 10000000}, {5, 10000000}, {2, 15625000}, {3, 15625000}};
  for (const Trace& row : traces) {
    runtime::FramePacer pacer;
    std::vector<std::int64_t> presents;
    std::optional<std::int64_t> told;
    for (std::int64_t now = 3300000, nextLook = 0; now < 10 * kSecond; now += row.tick) {
      if (now >= nextLook) {
        told = static_cast<std::int64_t>(std::floor(static_cast<double>(now) / realPeriod) * realPeriod);
        nextLook += kSecond;
      }
      if (pacer.PresentAt(now, row.refreshesPerFrame * toldPeriod, toldPeriod, told)) presents.push_back(now);
    }
    // Each refresh shows the last frame presented before it: how many refreshes
    // in a row showed each frame, the first and the last frame left out.
    std::vector<int> shown;
    std::size_t frame = 0;
    for (std::int64_t k = 1; static_cast<double>(k) * realPeriod < 10.0 * kSecond; ++k) {
      const double refresh = static_cast<double>(k) * realPeriod;
      std::size_t showing = frame;
      while (showing < presents.size() && static_cast<double>(presents[showing]) < refresh) ++showing;
      if (showing != frame || shown.empty()) shown.push_back(0);
      frame = showing;
      ++shown.back();
    }
    ASSERT_GT(shown.size(), 3u);
    const std::vector<int> middle(shown.begin() + 2, shown.end() - 1);
    EXPECT_EQ(*std::min_element(middle.begin(), middle.end()), row.refreshesPerFrame)
        << row.refreshesPerFrame << " refreshes a frame, ticks every " << row.tick;
    EXPECT_EQ(*std::max_element(middle.begin(), middle.end()), row.refreshesPerFrame)
        << row.refreshesPerFrame << " refreshes a frame, ticks every " << row.tick;
  }
}

TEST(FramePacing, AQueueHoldsItsRowsWhileNoFrameIsAllowedAndGivesThemOutTogether) {
  runtime::PresentQueue queue;
  const runtime::DisplayTiming display{16667, std::nullopt, 1000000};
  queue.Limit(0);
  queue.Ask(10, 20);
  queue.Ask(5, 5);  // no rows: changes nothing
  queue.Ask(30, 40);
  EXPECT_TRUE(queue.TakeDue(0, display).Empty());  // held
  queue.Limit(backend::kEveryRefresh);
  const runtime::RowSpan rows = queue.TakeDue(1000, display);
  EXPECT_EQ(rows.first, 10);
  EXPECT_EQ(rows.end, 40);
  queue.Ask(0, 1);
  EXPECT_TRUE(queue.TakeDue(2000, display).Empty());  // the same refresh
  EXPECT_EQ(queue.TakeDue(18000, display).end, 1);    // the next one
}

}  // namespace
