#pragma once

// Conversion factors between twips (1440 per inch, the unit of positions that cross a
// control boundary) and screen pixels.
namespace quorvane {

// The screen's twips per pixel: 1440 / logical DPI, rounded half to even, read from the
// primary screen on first use and kept for the rest of the run (15 at 96 DPI). Without a
// screen (no GUI application yet) the classic value 15 is used and not cached.
int TwipsPerPixelX();
int TwipsPerPixelY();

// Nearest integer, halves to the even neighbour (the rounding of the program's integer
// conversions: 2.5 -> 2, 3.5 -> 4, -2.5 -> -2). Values beyond the int range saturate.
int roundHalfEven(double value);

}  // namespace quorvane
