#pragma once

#include "ChildProcess.h"
#include "TestHome.h"

#include <QByteArray>
#include <QStringList>
#include <memory>

namespace orva::test {

// The bundled modem simulator on COM1 of the test home, answering 20 ms after a message
// unless the options say otherwise: what it received, and the SMS it accepted.
class ModemSimulator {
public:
    explicit ModemSimulator(const TestHome& home, const QStringList& options = {});

    // Every byte it received, across pluggings.
    QByteArray transcript() const;
    // The SMS it accepted since it was last plugged in, one "number<TAB>text" a line.
    QStringList accepted();
    // Whether it has accepted the text for the number.
    bool accepted(const QString& number, const QString& text);
    // From now on the modem answers in another mode or with another trouble, such as "silent"
    // or "pin"; "normal" and "none" bring it back.
    void actOut(const QString& mode, const QString& trouble = QStringLiteral("none"));
    // The modem goes away, its link with it, and comes back with the same options.
    void unplug() { process_.reset(); }
    void plugIn();

private:
    QStringList arguments_;
    QString transcriptPath_;
    QString controlPath_;
    std::unique_ptr<Process> process_;
};

} // namespace orva::test
