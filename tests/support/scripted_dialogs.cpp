#include "support/scripted_dialogs.h"

namespace testsupport {

namespace {

const char* kindName(int kind)
{
    static const char* const names[] = {"message", "question", "input box", "file dialog"};
    return names[kind];
}

void fail(const QString& problem) { QTest::qFail(qPrintable(problem), __FILE__, __LINE__); }

} // namespace

ScriptedDialogs::~ScriptedDialogs()
{
    if (!expected.empty() && !QTest::currentTestFailed())
        fail(QString("%1 expected dialog(s) never came").arg(pending()));
}

void ScriptedDialogs::expectMessage(const QString& text) { expected.push_back({Kind::Message, text, {}}); }

void ScriptedDialogs::expectQuestion(const QString& text, QMessageBox::StandardButton answer)
{
    expected.push_back({Kind::Question, text, {}, answer == QMessageBox::Yes});
}

void ScriptedDialogs::expectInput(const QString& prompt, const QString& answer)
{
    expected.push_back({Kind::Input, prompt, answer});
}

void ScriptedDialogs::expectInputCancel(const QString& prompt)
{
    expected.push_back({Kind::Input, prompt, {}, false, true});
}

void ScriptedDialogs::expectFile(const QString& path) { expected.push_back({Kind::File, {}, path}); }

void ScriptedDialogs::expectFileCancel() { expected.push_back({Kind::File, {}, {}, false, true}); }

void ScriptedDialogs::answerAnyNumberOf(const QString& text) { answered.insert(text, answered.value(text)); }

std::optional<ScriptedDialogs::Expectation> ScriptedDialogs::next(Kind kind, const QString& text)
{
    const QString what = QString::fromLatin1(kindName(static_cast<int>(kind))) + " \"" + text + "\"";
    if (expected.empty()) {
        fail("unexpected " + what);
        return std::nullopt;
    }
    Expectation coming = expected.front();
    expected.pop_front();
    if (coming.kind != kind || (kind != Kind::File && coming.text != text)) {
        fail("expected " + QString::fromLatin1(kindName(static_cast<int>(coming.kind))) + " \"" + coming.text +
             "\", got " + what);
        return std::nullopt;
    }
    return coming;
}

void ScriptedDialogs::tell(const QString& message)
{
    if (expected.empty() && answered.contains(message)) {
        ++answered[message];
        return;
    }
    next(Kind::Message, message);
}

bool ScriptedDialogs::askYesNo(const QString& question)
{
    const auto coming = next(Kind::Question, question);
    return coming && coming->yes;
}

QString ScriptedDialogs::askText(const QString& prompt)
{
    const auto coming = next(Kind::Input, prompt);
    return coming ? coming->answer : QString();
}

std::optional<QString> ScriptedDialogs::askFileName(const QString& fileType, const QString& pattern)
{
    if (fileType != "text files" || pattern != "*.txt")
        fail("file type \"" + fileType + "\" \"" + pattern + "\"");
    const auto coming = next(Kind::File, fileType);
    if (!coming || coming->cancel)
        return std::nullopt;
    return coming->answer;
}

} // namespace testsupport
