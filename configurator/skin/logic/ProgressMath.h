#pragma once
// How much of a progress bar is filled.

#include <cstdint>

// Pixels filled along a bar `length` pixels long. A position outside the range is drawn as the
// nearest end; an empty range shows an empty bar.
int32_t ProgressFillLength(int32_t minimum, int32_t maximum, int32_t position, int32_t length);
