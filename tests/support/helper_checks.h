#pragma once

// QVERIFY and QCOMPARE return from the function they stand in: in a helper
// that ends only the helper, and the test would go on past the failed
// check. A helper checks with these instead and returns false, and its
// caller checks that in turn: QVERIFY(helper(...)).

#include <QTest>

#define CHECK(statement)                                                                                               \
    do {                                                                                                               \
        if (!QTest::qVerify(static_cast<bool>(statement), #statement, "", __FILE__, __LINE__))                         \
            return false;                                                                                              \
    } while (false)

#define CHECK2(statement, description)                                                                                 \
    do {                                                                                                               \
        if (!QTest::qVerify(static_cast<bool>(statement), #statement, (description), __FILE__, __LINE__))              \
            return false;                                                                                              \
    } while (false)

#define CHECK_COMPARE(actual, expected)                                                                                \
    do {                                                                                                               \
        if (!QTest::qCompare((actual), (expected), #actual, #expected, __FILE__, __LINE__))                            \
            return false;                                                                                              \
    } while (false)
