#pragma once

#include <QString>

namespace quorvane {

class PictureBox;

// The progress bar of the progress window: a white surface, a navy bar from the left and
// the percentage centred on it, drawn inverted where the bar covers it.
namespace progressBar {

// The percentage shown for a fraction: rounded half up; while the work is not complete,
// 100 shows as 99 and 0 as 1, so a bar never claims to be done or not started too early.
// A fraction outside 0..1 (or not a number) counts as the nearest end.
int percent(float fraction, bool completed);

// The label drawn on the bar, for example "42%".
QString label(float fraction, bool completed);

// Width of the bar in pixels for a surface `width` pixels wide: the whole part of
// fraction times width, within 0..width.
int filledWidth(float fraction, int width);

// Draws the whole bar onto `surface` (pixel scale).
void draw(PictureBox& surface, float fraction, bool completed);

}  // namespace progressBar
}  // namespace quorvane
