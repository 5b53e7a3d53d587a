#include "support/modal_driver.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace testsupport {

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

void ModalDriver::fail(const QString& problem)
{
    problems << problem;
}

void ModalDriver::expectMessage(const QString& text, QMessageBox::StandardButton answer)
{
    expect("message \"" + text + "\"", [this, text, answer](QWidget* dialog) {
        auto* box = qobject_cast<QMessageBox*>(dialog);
        if (!box) {
            fail("expected message \"" + text + "\", got " + dialog->metaObject()->className());
            return;
        }
        if (box->text() != text)
            fail("message text \"" + box->text() + "\", expected \"" + text + "\"");
        if (box->windowTitle() != "Gaugestar")
            fail("message caption \"" + box->windowTitle() + "\"");
        if (box->icon() != QMessageBox::NoIcon)
            fail("message \"" + text + "\" has an icon");
        if (answer == QMessageBox::Ok && box->standardButtons() != QMessageBox::Ok)
            fail("message \"" + text + "\" has buttons other than OK");
        QAbstractButton* button = box->button(answer);
        if (!button) {
            fail("message \"" + text + "\" has no button to answer with");
            box->done(QMessageBox::Cancel);
            return;
        }
        QTest::mouseClick(button, Qt::LeftButton);
    });
}

void ModalDriver::expectQuestion(const QString& text, QMessageBox::StandardButton answer)
{
    expect("question \"" + text + "\"", [this, text, answer](QWidget* dialog) {
        auto* box = qobject_cast<QMessageBox*>(dialog);
        if (!box) {
            fail("expected question \"" + text + "\", got " + dialog->metaObject()->className());
            return;
        }
        if (box->text() != text)
            fail("question text \"" + box->text() + "\", expected \"" + text + "\"");
        if (box->icon() != QMessageBox::NoIcon)
            fail("question has an icon");
        if (box->standardButtons() != (QMessageBox::Yes | QMessageBox::No))
            fail("question buttons are not Yes and No");
        if (box->defaultButton() != box->button(QMessageBox::Yes))
            fail("Yes is not the question's default");
        QTest::mouseClick(box->button(answer), Qt::LeftButton);
    });
}

namespace {
QInputDialog* checkedInput(QWidget* dialog, const QString& prompt, const std::function<void(QString)>& fail)
{
    auto* input = qobject_cast<QInputDialog*>(dialog);
    if (!input) {
        fail("expected input box \"" + prompt + "\", got " + dialog->metaObject()->className());
        return nullptr;
    }
    if (input->labelText() != prompt)
        fail("input prompt \"" + input->labelText() + "\", expected \"" + prompt + "\"");
    if (input->windowTitle() != "Gaugestar")
        fail("input caption \"" + input->windowTitle() + "\"");
    if (!input->textValue().isEmpty())
        fail("input field not empty: \"" + input->textValue() + "\"");
    return input;
}
} // namespace

void ModalDriver::expectInput(const QString& prompt, const QString& answer)
{
    expect("input \"" + prompt + "\"", [this, prompt, answer](QWidget* dialog) {
        auto* input = checkedInput(dialog, prompt, [this](const QString& p) { fail(p); });
        if (!input) {
            dialog->close();
            return;
        }
        auto* edit = input->findChild<QLineEdit*>();
        edit->setFocus();
        QTest::keyClicks(edit, answer);
        QTest::keyClick(edit, Qt::Key_Return);
    });
}

void ModalDriver::expectInputCancel(const QString& prompt)
{
    expect("input \"" + prompt + "\" (cancel)", [this, prompt](QWidget* dialog) {
        auto* input = checkedInput(dialog, prompt, [this](const QString& p) { fail(p); });
        if (!input) {
            dialog->close();
            return;
        }
        auto* buttons = input->findChild<QDialogButtonBox*>();
        QTest::mouseClick(buttons->button(QDialogButtonBox::Cancel), Qt::LeftButton);
    });
}

void ModalDriver::expectFile(const QString& path)
{
    expect("file dialog for " + path, [this, path](QWidget* dialog) {
        auto* files = qobject_cast<QFileDialog*>(dialog);
        if (!files) {
            fail(QString("expected a file dialog, got ") + dialog->metaObject()->className());
            dialog->close();
            return;
        }
        // Typed into the name field and confirmed, as an operator does.
        auto* name = files->findChild<QLineEdit*>("fileNameEdit");
        if (!name) {
            fail("file dialog without a name field");
            files->reject();
            return;
        }
        name->setFocus(Qt::OtherFocusReason);
        name->setText(path);
        const QString answer = files->selectedFiles().value(0);
        if (answer != path) {
            fail("the file dialog would hand back \"" + answer + "\", not the typed \"" + path + "\"");
            files->reject();
            return;
        }
        QMetaObject::invokeMethod(files, "accept");
    });
}

void ModalDriver::expectFileCancel()
{
    expect("file dialog (cancel)", [this](QWidget* dialog) {
        auto* files = qobject_cast<QFileDialog*>(dialog);
        if (!files)
            fail(QString("expected a file dialog, got ") + dialog->metaObject()->className());
        if (auto* d = qobject_cast<QDialog*>(dialog))
            d->reject();
        else
            dialog->close();
    });
}

void ModalDriver::answerAnyNumberOf(const QString& text)
{
    answered.insert(text, answered.value(text));
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
    if (auto* box = qobject_cast<QMessageBox*>(modal))
        messages << box->text();

    if (expected.empty()) {
        auto* message = qobject_cast<QMessageBox*>(modal);
        if (message && answered.contains(message->text())) {
            if (message->windowTitle() != "Gaugestar")
                fail("message caption \"" + message->windowTitle() + "\"");
            if (message->icon() != QMessageBox::NoIcon)
                fail("message \"" + message->text() + "\" has an icon");
            if (message->standardButtons() != QMessageBox::Ok) {
                fail("message \"" + message->text() + "\" has buttons other than OK");
                message->done(QMessageBox::Cancel);
                return;
            }
            ++answered[message->text()];
            QTest::mouseClick(message->button(QMessageBox::Ok), Qt::LeftButton);
            return;
        }
        QString what = modal->metaObject()->className();
        if (auto* box = qobject_cast<QMessageBox*>(modal))
            what += " \"" + box->text() + "\"";
        fail("unexpected dialog: " + what);
        if (auto* d = qobject_cast<QDialog*>(modal))
            d->reject();
        else
            modal->close();
        return;
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
        if (auto* d = qobject_cast<QDialog*>(seen.dialog.data()))
            d->reject();
        else
            seen.dialog->close();
    }
}

bool ModalDriver::waitUntilDone(int ms)
{
    QElapsedTimer waited;
    waited.start();
    while (!expected.empty() && waited.elapsed() < ms)
        QTest::qWait(10);
    return expected.empty();
}

} // namespace testsupport
