// Packs a file in the toolkit's packed format (gui/packedbytes.h) for the
// scaled bitmap sets.
#pragma once

#include <cstdint>
#include <vector>

namespace artwork {

std::vector<uint8_t> pack(const std::vector<uint8_t>& bytes);

}  // namespace artwork
