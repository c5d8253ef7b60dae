// SPDX-FileCopyrightText: 2026 Quillon Solutions
// SPDX-License-Identifier: Apache-2.0

#include "RenderOptions.h"

#include <cstdlib>
#include <functional>
#include <map>

namespace render {

const char* const kRenderUsage =
    "usage: frostlane-render [--size WxH] [--dpi D] [--seed S] [--ticks N | --frames N]\n"
    "                        [--every K] [--skip T] [--delay CS] [--colours C]\n"
    "                        [--gif FILE] [--png-prefix PREFIX]\n"
    "Runs the saver window headless on one WxH monitor (default 1280x720) of D dots per\n"
    "inch (default 96, which is 100%; 144 is 150%, 96 to 480), seeded with S seconds\n"
    "since midnight, and writes a frame every K ticks of 10 ms after the first\n"
    "T ticks: as PREFIX0000.png, PREFIX0001.png ... and/or as an animated GIF whose\n"
    "frames last CS centiseconds (default K) and share C colours (default 255; fewer\n"
    "make a smaller file).\n";

namespace {

bool ParseCount(const std::string& text, int minimum, int& value) {
  char* end = nullptr;
  const long parsed = std::strtol(text.c_str(), &end, 10);
  if (text.empty() || *end != '\0' || parsed < minimum || parsed > 100000000) return false;
  value = static_cast<int>(parsed);
  return true;
}

bool ParseSeed(const std::string& text, double& value) {
  char* end = nullptr;
  const double parsed = std::strtod(text.c_str(), &end);
  // Seconds since midnight, as the saver reads them from the clock.
  if (text.empty() || *end != '\0' || !(parsed >= 0 && parsed < 86400)) return false;
  value = parsed;
  return true;
}

}  // namespace

RenderOptions ParseRenderOptions(const std::vector<std::string>& arguments) {
  RenderOptions options;
  using Reader = std::function<bool(const std::string&)>;
  const std::map<std::string, Reader> readers = {
      {"--size", [&](const std::string& v) { return ParseSize(v, options.setup.width, options.setup.height); }},
      {"--seed", [&](const std::string& v) { return ParseSeed(v, options.setup.seed); }},
      // 100% to 500%, the scales Windows offers.
      {"--dpi",
       [&](const std::string& v) { return ParseCount(v, 96, options.setup.dotsPerInch) && options.setup.dotsPerInch <= 480; }},
      {"--ticks", [&](const std::string& v) { return ParseCount(v, 0, options.ticks); }},
      {"--frames", [&](const std::string& v) { return ParseCount(v, 1, options.frames); }},
      {"--every", [&](const std::string& v) { return ParseCount(v, 1, options.every); }},
      {"--skip", [&](const std::string& v) { return ParseCount(v, 0, options.skip); }},
      {"--delay", [&](const std::string& v) { return ParseCount(v, 1, options.delay); }},
      {"--colours", [&](const std::string& v) { return ParseCount(v, 2, options.colours) && options.colours <= 255; }},
      {"--gif", [&](const std::string& v) { options.gifPath = v; return !v.empty(); }},
      {"--png-prefix", [&](const std::string& v) { options.pngPrefix = v; return !v.empty(); }},
  };
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& name = arguments[i];
    if (name == "--help" || name == "-h") {
      options.help = true;
      return options;
    }
    const auto reader = readers.find(name);
    if (reader == readers.end()) {
      options.error = "unknown option " + name;
      return options;
    }
    if (i + 1 >= arguments.size()) {
      options.error = name + " needs a value";
      return options;
    }
    const std::string& value = arguments[++i];
    if (!reader->second(value)) {
      options.error = "bad value for " + name + ": " + value;
      return options;
    }
  }
  if (options.gifPath.empty() && options.pngPrefix.empty()) options.error = "nothing to write: give --gif or --png-prefix";
  if (!options.gifPath.empty() && (options.setup.width > 0xFFFF || options.setup.height > 0xFFFF)) {
    options.error = "a GIF is at most 65535 pixels wide and high";
  }
  return options;
}

}  // namespace render
