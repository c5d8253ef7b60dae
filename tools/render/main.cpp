// SPDX-FileCopyrightText: 2026 Quillon Solutions
// SPDX-License-Identifier: Apache-2.0

// frostlane-render: the saver window rendered offscreen to PNG frames or an
// animated GIF (see RenderOptions.h for the command line).
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "ColourReducer.h"
#include "GifAnimation.h"
#include "PngFile.h"
#include "RenderOptions.h"
#include "SaverSession.h"
#include "WholeFile.h"

namespace {

constexpr gfx::Pixel kWhite = 0xFFFFFF;

std::string FrameFileName(const std::string& prefix, int index) {
  char number[16];
  std::snprintf(number, sizeof number, "%04d", index);
  return prefix + number + ".png";
}

int Fail(const std::string& what, const std::string& why) {
  std::fprintf(stderr, "frostlane-render: %s: %s\n", what.c_str(), why.c_str());
  return 1;
}

// The GIF's palette and its frames, made when the first frame is known.
struct GifOutput {
  std::unique_ptr<render::ColourReducer> colours;
  std::unique_ptr<render::GifAnimation> animation;
};

int Render(const render::RenderOptions& options) {
  render::SaverSession session(options.setup);
  if (!session.Running()) {
    std::fprintf(stderr, "frostlane-render: the saver ended while starting\n");
    return 1;
  }
  session.Tick(options.skip);
  GifOutput gif;
  std::string error;
  const int count = options.FrameCount();
  for (int index = 0; index < count; ++index) {
    if (index > 0) session.Tick(options.every);
    if (!session.Running()) {
      std::fprintf(stderr, "frostlane-render: the saver ended after frame %d\n", index);
      return 1;
    }
    const gfx::Bitmap& frame = session.Frame();
    if (!options.pngPrefix.empty()) {
      const std::string path = FrameFileName(options.pngPrefix, index);
      const std::vector<std::uint8_t> png = render::EncodePng(frame, error);
      if (png.empty()) return Fail("cannot encode " + path, error);
      if (!render::WriteWholeFile(path, png, error)) return Fail("cannot write " + path, error);
    }
    if (!options.gifPath.empty()) {
      // Every picture is on screen from the first frame on, so its colours serve
      // the whole animation; the white of the gaps stays exact.
      if (!gif.colours) {
        gif.colours = render::ColourReducer::FromSample(frame, options.colours, {kWhite}, error);
        if (!gif.colours) return Fail("cannot reduce the colours for " + options.gifPath, error);
        gif.animation = std::make_unique<render::GifAnimation>(frame.Width(), frame.Height(), gif.colours->Colours());
      }
      const std::vector<std::uint8_t> indices = gif.colours->Indices(frame, error);
      if (indices.empty()) return Fail("cannot reduce the colours for " + options.gifPath, error);
      if (!gif.animation->AddFrame(indices, options.DelayCentiseconds())) {
        return Fail("cannot encode " + options.gifPath, gif.animation->Error());
      }
    }
  }
  if (gif.animation) {
    const std::vector<std::uint8_t> bytes = gif.animation->Finish();
    if (bytes.empty()) return Fail("cannot encode " + options.gifPath, gif.animation->Error());
    if (!render::WriteWholeFile(options.gifPath, bytes, error)) return Fail("cannot write " + options.gifPath, error);
  }
  std::printf("%d frames of %dx%d at %d dpi, ticks %d to %d\n", count, options.setup.width, options.setup.height,
              options.setup.dotsPerInch, options.skip, options.skip + (count - 1) * options.every);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const render::RenderOptions options = render::ParseRenderOptions(std::vector<std::string>(argv + 1, argv + argc));
  if (options.help) {
    std::fputs(render::kRenderUsage, stdout);
    return 0;
  }
  if (!options.error.empty()) {
    std::fprintf(stderr, "frostlane-render: %s\n%s", options.error.c_str(), render::kRenderUsage);
    return 2;
  }
  return Render(options);
}
