// frostlane-render: the saver window rendered offscreen to PNG frames or an
// animated GIF (see RenderOptions.h for the command line).
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "Gif.h"
#include "Palette.h"
#include "Png.h"
#include "RenderOptions.h"
#include "SaverSession.h"

namespace {

constexpr gfx::Pixel kWhite = 0xFFFFFF;

std::string FrameFileName(const std::string& prefix, int index) {
  char number[16];
  std::snprintf(number, sizeof number, "%04d", index);
  return prefix + number + ".png";
}

int Render(const render::RenderOptions& options) {
  render::SaverSession session(options.setup);
  if (!session.Running()) {
    std::fprintf(stderr, "frostlane-render: the saver ended while starting\n");
    return 1;
  }
  session.Tick(options.skip);
  std::unique_ptr<render::GifWriter> gif;
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
      if (!render::WritePng(path, frame)) {
        std::fprintf(stderr, "frostlane-render: cannot write %s\n", path.c_str());
        return 1;
      }
    }
    if (!options.gifPath.empty()) {
      // Every picture is on screen from the first frame on, so its colours serve
      // the whole animation; the white of the gaps stays exact.
      if (!gif) {
        gif = std::make_unique<render::GifWriter>(frame.Width(), frame.Height(),
                                                  render::BuildPalette({&frame}, options.colours, {kWhite}));
      }
      gif->AddFrame(frame, options.DelayCentiseconds());
    }
  }
  if (gif && !gif->WriteTo(options.gifPath)) {
    std::fprintf(stderr, "frostlane-render: cannot write %s\n", options.gifPath.c_str());
    return 1;
  }
  std::printf("%d frames of %dx%d, ticks %d to %d\n", count, options.setup.width, options.setup.height, options.skip,
              options.skip + (count - 1) * options.every);
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
