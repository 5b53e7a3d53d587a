#pragma once

// Answers the modal dialogs a test expects, in the order it expects them,
// and fails the test on any other: a dialog nobody expected is closed and
// reported instead of hanging the run.

#include <QHash>
#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QMessageBox>

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

    // A message box with this text, caption "Gaugestar", no icon; answered
    // with `answer` (which must be one of its buttons).
    void expectMessage(const QString& text, QMessageBox::StandardButton answer = QMessageBox::Ok);
    // The chart's question: Yes and No buttons, Yes the default.
    void expectQuestion(const QString& text, QMessageBox::StandardButton answer);
    // An input box with this prompt and an empty field: types `answer` and presses Enter.
    void expectInput(const QString& prompt, const QString& answer);
    void expectInputCancel(const QString& prompt);
    // A file dialog: types the path and accepts it.
    void expectFile(const QString& path);
    void expectFileCancel();

    // Answers with OK every message box with this text (caption
    // "Gaugestar", no icon, OK only) that appears while no expectation is
    // pending, however often it comes, e.g. across a run of random events.
    void answerAnyNumberOf(const QString& text);
    // How many message boxes with this text answerAnyNumberOf answered.
    int answeredCount(const QString& text) const { return answered.value(text); }

    int pending() const { return static_cast<int>(expected.size()); }
    const QStringList& failures() const { return problems; }
    // The texts of every message box seen, expected or not.
    const QStringList& messagesSeen() const { return messages; }

    // Runs the event loop until every expectation has been met or `ms` pass.
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
    void fail(const QString& problem);

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
    QStringList problems;
    QStringList messages;
    QHash<QString, int> answered;   // texts answered any number of times, and how often
};

} // namespace testsupport

// Use after the action under test: every expected dialog came, nothing else.
#define VERIFY_MODALS(driver)                                                                        \
    do {                                                                                             \
        QVERIFY2((driver).failures().isEmpty(), qPrintable((driver).failures().join("; ")));         \
        QVERIFY2((driver).pending() == 0, qPrintable(QString("%1 expected dialog(s) never came")     \
                                                          .arg((driver).pending())));                \
    } while (false)
