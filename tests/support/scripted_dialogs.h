#pragma once

// Answers the window's questions itself, in the order a test expects them:
// the program's dialogs seam, without a dialog on the screen and without
// waiting for one. Anything else the window asks fails the test at once and
// gets the answer that goes no further (No, an empty text, Cancel).

#include "window_kit/operator_dialogs.h"

#include <QHash>
#include <QMessageBox>
#include <QTest>

#include <deque>
#include <memory>
#include <optional>

namespace testsupport {

class ScriptedDialogs final : public windowkit::OperatorDialogs {
public:
    // Made the window's dialogs, from now until the next ones.
    template <typename Window>
    static ScriptedDialogs& answering(Window& window)
    {
        auto dialogs = std::make_unique<ScriptedDialogs>();
        ScriptedDialogs& script = *dialogs;
        window.setOperatorDialogs(std::move(dialogs));
        return script;
    }

    ScriptedDialogs() = default;
    // Expected dialogs that never came fail the test still running.
    ~ScriptedDialogs() override;

    void expectMessage(const QString& text);
    void expectQuestion(const QString& text, QMessageBox::StandardButton answer);
    void expectInput(const QString& prompt, const QString& answer);
    void expectInputCancel(const QString& prompt);
    // The chart's file question ("text files", "*.txt"), answered with a path.
    void expectFile(const QString& path);
    void expectFileCancel();
    // Messages with this text, whenever no expectation is pending.
    void answerAnyNumberOf(const QString& text);
    int answeredCount(const QString& text) const { return answered.value(text); }

    int pending() const { return static_cast<int>(expected.size()); }

    void tell(const QString& message) override;
    bool askYesNo(const QString& question) override;
    QString askText(const QString& prompt) override;
    std::optional<QString> askFileName(const QString& fileType, const QString& pattern) override;

private:
    enum class Kind { Message, Question, Input, File };
    struct Expectation {
        Kind kind;
        QString text;
        QString answer;
        bool yes = false;
        bool cancel = false;
    };
    // The next expectation when it is of `kind` with `text`; nothing (and
    // the test failed) otherwise.
    std::optional<Expectation> next(Kind kind, const QString& text);

    std::deque<Expectation> expected;
    QHash<QString, int> answered;
};

} // namespace testsupport

// After the action under test: every expected dialog came (any other has
// failed the test already).
#define VERIFY_DIALOGS(dialogs)                                                                                        \
    QVERIFY2((dialogs).pending() == 0, qPrintable(QString("%1 expected dialog(s) never came").arg((dialogs).pending())))
