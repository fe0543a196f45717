// Writes a 32-bit image as a PNG file (for looking at a frame, and for
// snapshots in tests): 8-bit RGBA, stored without compression.
#pragma once

#include "gui/guiplatform.h"

class CFrame;

bool writePng(const platform::PixelImage& image, const char* path);
// The frame's offscreen image as it stands (run its idle pass first).
bool writeFramePng(CFrame& frame, const char* path);
