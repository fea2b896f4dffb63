#pragma once

#include <QtTest>

namespace orva::test {

// One row of a data-driven test: its name, then its values in the order of the columns.
template <typename... Values> void row(const char* name, const Values&... values)
{
    (QTest::newRow(name) << ... << values);
}

} // namespace orva::test
