#pragma once

// With GAUGESTAR_TRACE_STARTUP set, the start-up benchmark (bench/startup)
// learns from standard error when the windows first showed, on the
// monotonic clock. Without it nothing is watched or printed.

class QWidget;

// Prints the moment now, by name.
void traceMoment(const char* moment);

// Prints the moment once the window's first paint has reached the screen.
void traceFirstPaint(QWidget* window, const char* moment);
