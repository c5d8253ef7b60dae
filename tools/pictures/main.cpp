// SPDX-FileCopyrightText: 2026 Quillon Solutions
// SPDX-License-Identifier: Apache-2.0

// frostlane-pictures: writes the twelve pictures as the program draws them on a
// screen of the given density, one PNG per picture, so that screenshots and the
// picture sheet can be compared with the program's own art.
//
//   frostlane-pictures --dpi N --out FOLDER
//
// writes FOLDER/picture-00.png to picture-11.png (the folder is made if need be)
// and prints each file's name and size. Built for Windows, it decodes the art as
// the program does there and writes .ppm files instead (see PictureOutput.h).
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "PictureOutput.h"
#include "saver/PictureSet.h"
#ifdef _WIN32
#include "startup/runtime/win32/Com.h"
#endif

namespace {

constexpr const char* kUsage =
    "usage: frostlane-pictures --dpi N --out FOLDER\n"
    "Writes the twelve pictures as the saver draws them at N dots per inch (24 to 960;\n"
    "96 is 100%) to FOLDER/picture-00.png ... picture-11.png (.ppm on Windows).\n";

int Usage(const std::string& error) {
  std::fprintf(stderr, "frostlane-pictures: %s\n%s", error.c_str(), kUsage);
  return 2;
}

bool ParseDotsPerInch(const std::string& text, int& dotsPerInch) {
  char* end = nullptr;
  const long value = std::strtol(text.c_str(), &end, 10);
  if (text.empty() || *end != '\0' || value < 24 || value > 960) return false;
  dotsPerInch = static_cast<int>(value);
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> arguments(argv + 1, argv + argc);
  int dotsPerInch = 0;
  std::string folder;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    if (arguments[i] == "--help" || arguments[i] == "-h") {
      std::fputs(kUsage, stdout);
      return 0;
    }
    if (i + 1 >= arguments.size()) return Usage(arguments[i] + " needs a value");
    const std::string& value = arguments[++i];
    if (arguments[i - 1] == "--dpi") {
      if (!ParseDotsPerInch(value, dotsPerInch)) return Usage("bad value for --dpi: " + value);
    } else if (arguments[i - 1] == "--out") {
      folder = value;
    } else {
      return Usage("unknown option " + arguments[i - 1]);
    }
  }
  if (dotsPerInch == 0 || folder.empty()) return Usage("give --dpi and --out");
#ifdef _WIN32
  // The imaging component decodes in the process's apartment, as in the program.
  backend::InitialiseCom();
#endif

  std::error_code made;
  std::filesystem::create_directories(folder, made);
  if (made) {
    std::fprintf(stderr, "frostlane-pictures: cannot make %s: %s\n", folder.c_str(), made.message().c_str());
    return 1;
  }
  for (int index = 0; index < kPictureCount; ++index) {
    const runtime::Picture picture = LoadSetPicture(index, dotsPerInch);
    char name[32];
    std::snprintf(name, sizeof name, "picture-%02d", index);
    if (!picture) {
      std::fprintf(stderr, "frostlane-pictures: picture %d does not decode\n", index);
      return 1;
    }
    std::string written;
    std::string error;
    if (!WritePicture(*picture, (std::filesystem::path(folder) / name).string(), written, error)) {
      std::fprintf(stderr, "frostlane-pictures: cannot write %s: %s\n", written.c_str(), error.c_str());
      return 1;
    }
    std::printf("%s %dx%d\n", std::filesystem::path(written).filename().string().c_str(), picture->Width(),
                picture->Height());
  }
  return 0;
}
