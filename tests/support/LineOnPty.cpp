#include "LineOnPty.h"

#include <QDeadlineTimer>
#include <QtTest>

namespace orva::test {

std::unique_ptr<SerialLine> openLine(int port, const QString& name, const QString& settings,
                                     qsizetype capacity)
{
    auto line = std::make_unique<SerialLine>(name, capacity);
    line->setLineSettings(settings);
    line->setPortNumber(port);
    line->setReadLength(0);
    line->open();
    return line;
}

LineOnPty::LineOnPty(const TestHome& home, int port, const QString& name, qsizetype capacity)
    : link_(home.linkPath(port).toStdString())
    , farEnd_(std::make_unique<tools::PseudoTerminal>(link_))
    , line_(openLine(port, name, QStringLiteral("9600,n,8,1"), capacity))
{
}

void LineOnPty::receive(const QByteArray& bytes)
{
    const int before = line_->reopenAndCountWaiting();
    farEnd_->write(bytes.toStdString());
    // Looked at every few milliseconds: tests that send hundreds of bursts wait here each time.
    const int expected = before + int(bytes.size());
    if (!QTest::qWaitFor([&] { return line_->reopenAndCountWaiting() == expected; }, 5000))
        QCOMPARE(line_->reopenAndCountWaiting(), expected);
}

std::string LineOnPty::farEndReads(std::size_t size) const
{
    std::string got;
    const QDeadlineTimer deadline(5000);
    while (got.size() < size && !deadline.hasExpired())
        got += farEnd_->read(std::chrono::milliseconds(100));
    return got;
}

void LineOnPty::plugIn()
{
    farEnd_ = std::make_unique<tools::PseudoTerminal>(link_);
}

} // namespace orva::test
