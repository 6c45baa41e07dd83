#pragma once

class QWidget;

namespace bench {

// Makes a start-up probe end at the first paint of `window`: once the paint
// pass that drew it is over, prints one line
//     first_paint_ms=<since the process started> peak_kb=<VmHWM>
// and leaves the event loop. The start is the launch time the driver passes in
// PELLORY_BENCH_LAUNCH_NS (CLOCK_MONOTONIC), or else the process start time
// from /proc/self/stat, which is only good to a clock tick.
void reportAtFirstPaint(QWidget &window);

} // namespace bench
