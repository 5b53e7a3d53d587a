#pragma once

// The start-up benchmark (bench/startup) learns from the log when the
// windows first showed, on the monotonic clock. The moments are messages of
// the logging category "gaugestar.startup" at info level, off unless the
// toolkit's logging rules turn it on
// (QT_LOGGING_RULES="gaugestar.startup.info=true"); when off, nothing is
// watched or printed.

class QWidget;

// Logs the moment now, by name.
void traceMoment(const char* moment);

// Logs the moment once the window's first paint has reached the screen.
void traceFirstPaint(QWidget* window, const char* moment);
