#pragma once

// What the program sets up once, before its first window: its name and
// version, its style, its icon and desktop entry, and that closing the last
// window does not end it (the hand-over from the settings window to the main
// window closes one before the other shows). The program and its benchmarks
// start the same way.

void prepareProgram();
