#pragma once

// Answers the window's questions itself, in the order a test expects them,
// and notes any other: the program's dialogs seam, without a dialog on the
// screen and without waiting for one.

#include "window_kit/operator_dialogs.h"

#include <QHash>
#include <QMessageBox>
#include <QStringList>

#include <deque>
#include <optional>

namespace testsupport {

class ScriptedDialogs final : public OperatorDialogs {
public:
    // The same expectations as ModalDriver's, answered at once.
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
    const QStringList& failures() const { return problems; }
    const QStringList& messagesSeen() const { return messages; }

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
    // The next expectation when it is of `kind` with `text`; nothing (and a
    // failure noted) otherwise.
    std::optional<Expectation> next(Kind kind, const QString& text);

    std::deque<Expectation> expected;
    QStringList problems;
    QStringList messages;
    QHash<QString, int> answered;
};

} // namespace testsupport
