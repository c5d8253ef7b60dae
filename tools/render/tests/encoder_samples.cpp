// SPDX-FileCopyrightText: 2026 Quillon Solutions
// SPDX-License-Identifier: Apache-2.0

// Writes synthetic images through the PNG and GIF writers into a folder, each
// beside the pixels it must decode to as binary PPM files (which PIL reads
// without any code of ours), for check_encoders.py to compare.
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "ColourReducer.h"
#include "GifAnimation.h"
#include "PngFile.h"
#include "WholeFile.h"

namespace {

// A fixed pseudo-random sequence, so every run writes the same samples.
class Noise {
 public:
  std::uint32_t Next() {
    state_ = state_ * 1664525u + 1013904223u;
    return state_ >> 8;
  }

 private:
  std::uint32_t state_ = 12345;
};

bool WritePpm(const std::string& path, const gfx::Bitmap& bitmap) {
  std::ofstream out(path, std::ios::binary);
  out << "P6\n" << bitmap.Width() << ' ' << bitmap.Height() << "\n255\n";
  for (int y = 0; y < bitmap.Height(); ++y) {
    for (int x = 0; x < bitmap.Width(); ++x) {
      const gfx::Pixel p = bitmap.At(x, y);
      const char rgb[3] = {static_cast<char>(p >> 16), static_cast<char>(p >> 8), static_cast<char>(p)};
      out.write(rgb, 3);
    }
  }
  return static_cast<bool>(out);
}

bool Report(bool ok, const std::string& what, const std::string& error) {
  if (!ok) std::fprintf(stderr, "encoder_samples: %s: %s\n", what.c_str(), error.c_str());
  return ok;
}

// Smooth gradients above (the filters' favourite), noise below (none helps).
gfx::Bitmap GradientAndNoise(int width, int height) {
  gfx::Bitmap bitmap(width, height);
  Noise noise;
  for (int y = 0; y < height; ++y) {
    gfx::Pixel* row = bitmap.Scanline(y);
    for (int x = 0; x < width; ++x) {
      row[x] = y < height / 2 ? static_cast<gfx::Pixel>(((x * 255 / width) << 16) | ((y * 7 % 256) << 8) | ((x + y) % 256))
                              : (noise.Next() & 0xFFFFFFu);
    }
  }
  return bitmap;
}

bool WritePngSamples(const std::string& folder) {
  bool ok = true;
  const std::vector<std::pair<std::string, gfx::Bitmap>> samples = {
      {"png_gradient", GradientAndNoise(257, 131)},
      {"png_single_pixel", gfx::Bitmap(1, 1, 0x123456)},
      {"png_wide", GradientAndNoise(3001, 3)},
  };
  for (const auto& sample : samples) {
    const std::string path = folder + "/" + sample.first + ".png";
    std::string error;
    const std::vector<std::uint8_t> png = render::EncodePng(sample.second, error);
    ok = Report(!png.empty() && render::WriteWholeFile(path, png, error), path, error) && ok;
    ok = WritePpm(folder + "/" + sample.first + ".ppm", sample.second) && ok;
  }
  return ok;
}

// Frames of palette indices must come back as exactly their colours: a noisy
// first frame (enough codes to fill the LZW table several times), a changed
// rectangle, a still frame, then a frame that changes everywhere.
bool WriteExactGif(const std::string& folder) {
  constexpr int kWidth = 97, kHeight = 61;
  Noise noise;
  render::Palette palette;
  for (int i = 0; i < 200; ++i) palette.push_back(noise.Next() & 0xFFFFFFu);
  auto noisyFrame = [&] {
    std::vector<std::uint8_t> indices(kWidth * kHeight);
    for (std::uint8_t& index : indices) index = static_cast<std::uint8_t>(noise.Next() % palette.size());
    return indices;
  };
  std::vector<std::vector<std::uint8_t>> frames{noisyFrame()};
  frames.push_back(frames.back());
  for (int y = 10; y < 20; ++y) {
    for (int x = 30; x < 45; ++x) frames.back()[y * kWidth + x] = static_cast<std::uint8_t>((x * y) % palette.size());
  }
  frames.push_back(frames.back());
  frames.push_back(noisyFrame());

  render::GifAnimation gif(kWidth, kHeight, palette);
  bool ok = true;
  for (std::size_t i = 0; i < frames.size(); ++i) {
    ok = gif.AddFrame(frames[i], 3 + static_cast<int>(i)) && ok;
    gfx::Bitmap expected(kWidth, kHeight);
    for (int y = 0; y < kHeight; ++y) {
      for (int x = 0; x < kWidth; ++x) expected.Scanline(y)[x] = palette[frames[i][y * kWidth + x]];
    }
    ok = WritePpm(folder + "/gif_exact_" + std::to_string(i) + ".ppm", expected) && ok;
  }
  const std::string path = folder + "/gif_exact.gif";
  const std::vector<std::uint8_t> file = gif.Finish();
  if (file.empty()) return Report(false, path, gif.Error());
  std::string error;
  return Report(render::WriteWholeFile(path, file, error), path, error) && ok;
}

// Thousands of colours through a reduced palette, with a white block that
// must stay exactly white.
bool WriteReducedGif(const std::string& folder) {
  gfx::Bitmap frame(128, 96);
  for (int y = 0; y < frame.Height(); ++y) {
    for (int x = 0; x < frame.Width(); ++x) {
      const bool white = x >= 100 && y >= 70;
      frame.Scanline(y)[x] = white ? 0xFFFFFFu : static_cast<gfx::Pixel>(((x * 2) << 16) | ((y * 2) << 8) | ((x + y) & 0xFF));
    }
  }
  const std::string path = folder + "/gif_reduced.gif";
  std::string error;
  const auto colours = render::ColourReducer::FromSample(frame, 255, {0xFFFFFFu}, error);
  if (!colours) return Report(false, path, error);
  const std::vector<std::uint8_t> indices = colours->Indices(frame, error);
  if (indices.empty()) return Report(false, path, error);
  render::GifAnimation gif(frame.Width(), frame.Height(), colours->Colours());
  gif.AddFrame(indices, 10);
  const std::vector<std::uint8_t> file = gif.Finish();
  if (file.empty()) return Report(false, path, gif.Error());
  return Report(render::WriteWholeFile(path, file, error), path, error) && WritePpm(folder + "/gif_reduced_0.ppm", frame);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: encoder_samples FOLDER\n");
    return 2;
  }
  const std::string folder = argv[1];
  const bool ok = WritePngSamples(folder) && WriteExactGif(folder) && WriteReducedGif(folder);
  return ok ? 0 : 1;
}
