// SPDX-FileCopyrightText: 2026 Quillon Solutions
// SPDX-License-Identifier: Apache-2.0

// COM for the program's one thread.
#pragma once

namespace backend {

// Joins the thread to a single-threaded COM apartment for the rest of the
// process. Called once, first thing: the shell's starts (the web site handed to
// the browser, the run with raised rights) may call on COM components, and the
// pictures are decoded by one (gfx/PngWic.cpp).
void InitialiseCom();

}  // namespace backend
