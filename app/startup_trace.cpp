#include "app/startup_trace.h"

#include <QEvent>
#include <QLoggingCategory>
#include <QTimer>
#include <QWidget>

#include <chrono>

namespace {

Q_LOGGING_CATEGORY(startupLog, "gaugestar.startup", QtWarningMsg)

bool traceStartup()
{
    return startupLog().isInfoEnabled();
}

// Traces the end of a window's first paint: the queued call runs once the
// paint and the flush to the screen that closes it are done.
class FirstPaintTrace : public QObject {
public:
    FirstPaintTrace(QWidget* window, const char* moment) : QObject(window), moment(moment)
    {
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) {
            watched->removeEventFilter(this);
            QTimer::singleShot(0, [done = moment] { traceMoment(done); });
        }
        return false;
    }

private:
    const char* moment;
};

} // namespace

void traceMoment(const char* moment)
{
    if (!traceStartup())
        return;
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    qCInfo(startupLog, "%s %lld", moment,
           static_cast<long long>(std::chrono::duration_cast<std::chrono::nanoseconds>(now).count()));
}

void traceFirstPaint(QWidget* window, const char* moment)
{
    if (traceStartup())
        new FirstPaintTrace(window, moment);
}
