#pragma once

#include "TestHome.h"
#include "pty/PseudoTerminal.h"
#include "serial/SerialLine.h"

#include <memory>
#include <string>

namespace orva::test {

// A line configured and opened on COM<port> of the test home, as start-up opens its lines.
std::unique_ptr<SerialLine> openLine(int port, const QString& name = QStringLiteral("port T"),
                                     const QString& settings = QStringLiteral("9600,n,8,1"),
                                     qsizetype capacity = ReceiveBuffer::kDefaultCapacity);

// A device on a pseudo-terminal linked as COM<port>, and a line open on it: the far end is the
// device's side, the line is ORVA's.
class LineOnPty {
public:
    LineOnPty(const TestHome& home, int port, const QString& name = QStringLiteral("port T"),
              qsizetype capacity = ReceiveBuffer::kDefaultCapacity);

    SerialLine& line() { return *line_; }
    const tools::PseudoTerminal& farEnd() const { return *farEnd_; }
    // Writes at the far end and waits until the line holds all of it.
    void receive(const QByteArray& bytes);
    // What the far end reads, until it has the given size or 5 s have passed.
    std::string farEndReads(std::size_t size) const;
    // The device goes away, its link with it, and comes back at the same link.
    void unplug() { farEnd_.reset(); }
    void plugIn();

private:
    std::string link_;
    std::unique_ptr<tools::PseudoTerminal> farEnd_;
    std::unique_ptr<SerialLine> line_;
};

} // namespace orva::test
