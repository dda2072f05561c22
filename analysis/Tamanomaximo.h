// How much text the programs read from one file, a grammar or a file of sentences. A million
// productions take 34 MB; anything beyond the bound is taken for input without end (a device,
// a stream that never stops) and refused, rather than read until memory runs out.
#pragma once

#include <cstddef>

inline constexpr std::size_t kTamanoMaximoTexto = std::size_t{1} << 30;  // 1 GiB
