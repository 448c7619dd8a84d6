#pragma once

// Waits the given number of seconds while the window event loop keeps running,
// so clicks, other handlers and serial notifications are handled meanwhile.
// It sleeps in the event loop (no busy polling) and measures on a monotonic
// clock, so a wait across midnight or a clock change still lasts its duration.
void WaitSeconds(double seconds);
