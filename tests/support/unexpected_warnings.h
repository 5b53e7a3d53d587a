#pragma once

// A warning that no test expects fails the test function it came in: call
// this in init(). An expected one is declared with QTest::ignoreMessage.
// The offscreen platform's notes on what it cannot do (raise a window, grab
// the keyboard) are the test machine's, not the program's, and pass.

#include <QRegularExpression>
#include <QTest>

namespace testsupport {

inline void failOnUnexpectedWarnings()
{
    QTest::failOnWarning(QRegularExpression(QStringLiteral("^(?!This plugin does not support )")));
}

} // namespace testsupport
