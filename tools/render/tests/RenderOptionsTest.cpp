// SPDX-FileCopyrightText: 2026 Quillon Solutions
// SPDX-License-Identifier: Apache-2.0

#include "RenderOptions.h"

#include <gtest/gtest.h>

#include "saver/frmAdvent1.h"

namespace {

using render::ParseRenderOptions;

struct CountCase {
  std::vector<std::string> arguments;
  int frames;
  int delayCentiseconds;
};

TEST(RenderOptions, FrameCountAndDelayFollowTicksEveryAndOverrides) {
  const CountCase cases[] = {
      {{"--gif", "a.gif"}, 201, 1},
      {{"--gif", "a.gif", "--ticks", "200", "--every", "4"}, 51, 4},
      {{"--gif", "a.gif", "--ticks", "7", "--every", "3"}, 3, 3},
      {{"--gif", "a.gif", "--ticks", "0"}, 1, 1},
      {{"--png-prefix", "f_", "--frames", "5", "--every", "2", "--ticks", "999"}, 5, 2},
      {{"--gif", "a.gif", "--every", "4", "--delay", "7"}, 51, 7},
  };
  for (const CountCase& c : cases) {
    const render::RenderOptions options = ParseRenderOptions(c.arguments);
    SCOPED_TRACE(c.arguments.back());
    EXPECT_EQ("", options.error);
    EXPECT_EQ(c.frames, options.FrameCount());
    EXPECT_EQ(c.delayCentiseconds, options.DelayCentiseconds());
  }
}

TEST(RenderOptions, ReadsSizeSeedAndOutputs) {
  const render::RenderOptions options = ParseRenderOptions(
      {"--size", "640x360", "--dpi", "144", "--seed", "43200.5", "--skip", "12", "--colours", "64", "--gif", "o.gif",
       "--png-prefix", "p/f_"});
  EXPECT_EQ("", options.error);
  EXPECT_EQ(640, options.setup.width);
  EXPECT_EQ(360, options.setup.height);
  EXPECT_EQ(144, options.setup.dotsPerInch);
  EXPECT_EQ(96, ParseRenderOptions({"--gif", "a.gif"}).setup.dotsPerInch);
  EXPECT_DOUBLE_EQ(43200.5, options.setup.seed);
  EXPECT_EQ(12, options.skip);
  EXPECT_EQ(64, options.colours);
  EXPECT_EQ("o.gif", options.gifPath);
  EXPECT_EQ("p/f_", options.pngPrefix);
}

TEST(RenderOptions, RefusesWhatCannotBeRendered) {
  const std::vector<std::vector<std::string>> faults = {
      {"--size", "640", "--gif", "a.gif"},   {"--size", "640x0", "--gif", "a.gif"},
      {"--size", "64x36px", "--gif", "a.gif"}, {"--seed", "86400", "--gif", "a.gif"},
      {"--seed", "-1", "--gif", "a.gif"},    {"--every", "0", "--gif", "a.gif"},
      {"--ticks", "-3", "--gif", "a.gif"},   {"--frames", "0", "--gif", "a.gif"},
      {"--ticks", "12x", "--gif", "a.gif"},  {"--gif"},
      {"--colours", "1", "--gif", "a.gif"},  {"--colours", "256", "--gif", "a.gif"},
      {"--frobnicate", "1"},                 {"--ticks", "10"},
      {"--size", "70000x100", "--gif", "a.gif"},
      {"--dpi", "95", "--gif", "a.gif"},     {"--dpi", "481", "--gif", "a.gif"},
      {"--dpi", "144dpi", "--gif", "a.gif"},
  };
  for (const auto& arguments : faults) {
    SCOPED_TRACE(arguments.front() + " " + (arguments.size() > 1 ? arguments[1] : ""));
    EXPECT_NE("", ParseRenderOptions(arguments).error);
  }
  // PNG frames have no GIF limit on size.
  EXPECT_EQ("", ParseRenderOptions({"--size", "70000x100", "--png-prefix", "f_"}).error);
}

// The density reaches the program: its window is as many twips as the monitor's
// pixels at that density give.
TEST(SaverSession, RunsTheSaverAtTheGivenDensity) {
  for (const int dotsPerInch : {96, 192}) {
    render::SaverSession session({800, 600, 0, dotsPerInch});
    ASSERT_TRUE(session.Running());
    EXPECT_EQ(session.Frame().Width(), 800);
    EXPECT_EQ(session.GetProject().Advent1().ScaleWidth(), 800 * 1440.0f / static_cast<float>(dotsPerInch));
  }
}

TEST(RenderOptions, HelpWinsOverEverythingElse) {
  EXPECT_TRUE(ParseRenderOptions({"--help"}).help);
  EXPECT_TRUE(ParseRenderOptions({"--ticks", "3", "-h", "--bogus"}).help);
}

}  // namespace
