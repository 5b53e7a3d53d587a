#include "app/startup_trace.h"

#include <QCoreApplication>
#include <QEvent>
#include <QLoggingCategory>
#include <QWidget>

#include <chrono>

namespace {

Q_LOGGING_CATEGORY(startupLog, "gaugestar.startup", QtWarningMsg)

bool traceStartup() { return startupLog().isInfoEnabled(); }

// Traces the end of a window's first paint: the event posted during the
// paint is handled once the paint and the flush to the screen that closes it
// are done.
class FirstPaintTrace : public QObject {
    Q_OBJECT
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
            QCoreApplication::postEvent(this, new QEvent(QEvent::User));
        }
        return false;
    }
    void customEvent(QEvent* /*event*/) override { traceMoment(moment); }

private:
    const char* moment;
};

} // namespace

#include "startup_trace.moc"

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
