// vtxv_internal.h: what the view's two files (drawing in vtxv.cpp, scrolling and the caret in
// vtxv_scroll.cpp) share beyond the engine's internal interface. Nothing else includes it.
#pragma once

#include <cstdint>

#include "tx_internal.h"

namespace vkotx {

// Baseline of the line (par, line): counted from the origin line at the view's top; a line
// index past its paragraph's lines counts on into the lines below.
std::int32_t tx_baseline(const tx_record *rec, std::uint16_t par, std::uint16_t line);

} // namespace vkotx
