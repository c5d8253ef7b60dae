// SPDX-FileCopyrightText: 2026 Quillon Solutions
// SPDX-License-Identifier: Apache-2.0

// Writes one of frostlane-pictures' pictures to a file. The native tool writes
// PNG (libpng); the Windows tool, which decodes the art with the Windows Imaging
// Component, writes binary PPM, so it needs no encoder and its pixels can be
// compared with the native tool's exactly.
#pragma once

#include <string>

#include "startup/runtime/gfx/Bitmap.h"

// Writes `picture` to `stem` plus the format's extension; false, with the reason
// in `error`, when it cannot. The name written is returned in `written`.
bool WritePicture(const gfx::Bitmap& picture, const std::string& stem, std::string& written, std::string& error);
