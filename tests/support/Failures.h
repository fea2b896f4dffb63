#pragma once

#include "common/Failure.h"

#include <QtTest>
#include <functional>

namespace orva::test {

// Checks that a step throws a Failure whose message holds the cause.
inline void expectFailure(const std::function<void()>& step, const QString& cause)
{
    try {
        step();
        QFAIL("no failure");
    } catch (const Failure& failure) {
        QVERIFY2(failure.message().contains(cause), qPrintable(failure.message()));
    }
}

} // namespace orva::test
