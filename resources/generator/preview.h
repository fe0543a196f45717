// PNG pictures to look at: the panel with every control at its place (knobs at
// their middle, lamps lit, the display reading 1600) and the about picture
// with its version text, both made from the encoded BMP files.
#pragma once

#include <string>

namespace artwork {

bool writePreviews(const std::string& panelPng, const std::string& aboutPng);

}  // namespace artwork
