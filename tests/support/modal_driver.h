#pragma once

// Answers the toolkit's real modal dialogs, for the few tests that are about
// those dialogs themselves (every other test answers through
// ScriptedDialogs). It answers them in the order a test expects them, each
// once it is the active window; any other fails the test at once and is
// closed, instead of hanging the run.

#include <QElapsedTimer>
#include <QMessageBox>
#include <QObject>
#include <QPointer>
#include <QString>

#include <deque>
#include <functional>

class QTimer;
class QWidget;

namespace testsupport {

class ModalDriver : public QObject {
    Q_OBJECT
public:
    using Action = std::function<void(QWidget* dialog)>;

    ModalDriver();
    ~ModalDriver() override;

    // A generic expectation: `action` must close the dialog.
    void expect(const QString& description, Action action);

    // A message box with this text, caption "Gaugestar", no icon and only
    // an OK button; answered with OK.
    void expectMessage(const QString& text);
    // The chart's question: Yes and No buttons, Yes the default.
    void expectQuestion(const QString& text, QMessageBox::StandardButton answer);
    // An input box with this prompt and an empty field: types `answer` and presses Enter.
    void expectInput(const QString& prompt, const QString& answer);

    // Runs the event loop until every expectation has been met or `ms`
    // pass; true when none is left.
    bool waitUntilDone(int ms = 5000);

private:
    struct Expectation {
        QString description;
        Action action;
    };
    void poll();
    // A dialog its action did not close fails the test and is closed, so
    // the test ends instead of waiting for its time limit.
    void closeLeftOpen();

    QTimer* timer;
    QElapsedTimer clock;
    std::deque<Expectation> expected;
    struct Handled {
        QPointer<QWidget> dialog;
        qint64 at = 0;   // when its action ran
    };
    QList<Handled> handled;
    // The dialog shown but not yet active, and since when.
    QPointer<QWidget> settling;
    qint64 settlingSince = 0;
};

} // namespace testsupport
