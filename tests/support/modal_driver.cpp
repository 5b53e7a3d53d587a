#include "support/modal_driver.h"

#include <QApplication>
#include <QInputDialog>
#include <QLineEdit>
#include <QTest>
#include <QTimer>

namespace testsupport {

namespace {

void fail(const QString& problem)
{
    QTest::qFail(qPrintable(problem), __FILE__, __LINE__);
}

void closeDialog(QWidget* dialog)
{
    if (auto* d = qobject_cast<QDialog*>(dialog))
        d->reject();
    else
        dialog->close();
}

// The message box of that text under the program's caption, without an
// icon; null (and the test failed) when the dialog is anything else.
QMessageBox* checkedBox(QWidget* dialog, const QString& text)
{
    auto* box = qobject_cast<QMessageBox*>(dialog);
    if (!box) {
        fail("expected \"" + text + "\", got a " + dialog->metaObject()->className());
        return nullptr;
    }
    if (box->text() != text)
        fail("message text \"" + box->text() + "\", expected \"" + text + "\"");
    if (box->windowTitle() != "Gaugestar")
        fail("message caption \"" + box->windowTitle() + "\"");
    if (box->icon() != QMessageBox::NoIcon)
        fail("message \"" + text + "\" has an icon");
    return box;
}

} // namespace

ModalDriver::ModalDriver() : timer(new QTimer(this))
{
    clock.start();
    timer->setInterval(10);
    connect(timer, &QTimer::timeout, this, &ModalDriver::poll);
    timer->start();
}

ModalDriver::~ModalDriver() = default;

void ModalDriver::expect(const QString& description, Action action)
{
    expected.push_back({description, std::move(action)});
}

void ModalDriver::expectMessage(const QString& text)
{
    expect("message \"" + text + "\"", [text](QWidget* dialog) {
        QMessageBox* box = checkedBox(dialog, text);
        if (!box)
            return closeDialog(dialog);
        if (box->standardButtons() != QMessageBox::Ok) {
            fail("message \"" + text + "\" has buttons other than OK");
            return closeDialog(dialog);
        }
        QTest::mouseClick(box->button(QMessageBox::Ok), Qt::LeftButton);
    });
}

void ModalDriver::expectQuestion(const QString& text, QMessageBox::StandardButton answer)
{
    expect("question \"" + text + "\"", [text, answer](QWidget* dialog) {
        QMessageBox* box = checkedBox(dialog, text);
        if (!box)
            return closeDialog(dialog);
        if (box->standardButtons() != (QMessageBox::Yes | QMessageBox::No)) {
            fail("question buttons are not Yes and No");
            return closeDialog(dialog);
        }
        if (box->defaultButton() != box->button(QMessageBox::Yes))
            fail("Yes is not the question's default");
        QTest::mouseClick(box->button(answer), Qt::LeftButton);
    });
}

void ModalDriver::expectInput(const QString& prompt, const QString& answer)
{
    expect("input \"" + prompt + "\"", [prompt, answer](QWidget* dialog) {
        auto* input = qobject_cast<QInputDialog*>(dialog);
        if (!input) {
            fail("expected input box \"" + prompt + "\", got a " + dialog->metaObject()->className());
            return closeDialog(dialog);
        }
        if (input->labelText() != prompt)
            fail("input prompt \"" + input->labelText() + "\", expected \"" + prompt + "\"");
        if (input->windowTitle() != "Gaugestar")
            fail("input caption \"" + input->windowTitle() + "\"");
        if (!input->textValue().isEmpty())
            fail("input field not empty: \"" + input->textValue() + "\"");
        auto* edit = input->findChild<QLineEdit*>();
        edit->setFocus();
        QTest::keyClicks(edit, answer);
        QTest::keyClick(edit, Qt::Key_Return);
    });
}

void ModalDriver::poll()
{
    QWidget* modal = QApplication::activeModalWidget();
    // A dialog that was closed may be shown again (the main window keeps
    // its file dialog): forget it once it is hidden.
    handled.removeIf([](const Handled& seen) { return !seen.dialog || !seen.dialog->isVisible(); });
    closeLeftOpen();
    if (!modal || !modal->isVisible())
        return;
    for (const auto& seen : handled)
        if (seen.dialog == modal)
            return;
    // An operator answers a dialog once it is the active window, with the
    // focus in it; on a slow machine it is shown well before that. Typed
    // into a file dialog's name field without the focus, a name leaves the
    // previous run's selection standing, and the dialog hands that back.
    constexpr qint64 kActivationMs = 5000;
    if (settling != modal) {
        settling = modal;
        settlingSince = clock.elapsed();
    }
    if (QApplication::activeWindow() != modal && clock.elapsed() - settlingSince < kActivationMs)
        return;
    settling = nullptr;   // the main window shows its file dialog again
    handled << Handled{QPointer<QWidget>(modal), clock.elapsed()};

    if (expected.empty()) {
        QString what = modal->metaObject()->className();
        if (auto* box = qobject_cast<QMessageBox*>(modal))
            what += " \"" + box->text() + "\"";
        fail("unexpected dialog: " + what);
        return closeDialog(modal);
    }
    Expectation next = std::move(expected.front());
    expected.pop_front();
    next.action(modal);
}

void ModalDriver::closeLeftOpen()
{
    constexpr qint64 kGraceMs = 5000;
    for (const Handled& seen : handled) {
        if (!seen.dialog || clock.elapsed() - seen.at < kGraceMs)
            continue;
        fail(QString("a ") + seen.dialog->metaObject()->className() + " stayed open after its answer");
        closeDialog(seen.dialog);
    }
}

bool ModalDriver::waitUntilDone(int ms)
{
    return QTest::qWaitFor([this] { return expected.empty(); }, ms);
}

} // namespace testsupport
