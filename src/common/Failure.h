#pragma once

#include <QString>
#include <stdexcept>

namespace orva {

// ORVA's own failures travel as this exception, its message saying what failed and why.
class Failure : public std::runtime_error {
public:
    explicit Failure(const QString& message)
        : std::runtime_error(message.toStdString())
    {
    }

    QString message() const { return QString::fromStdString(what()); }
};

} // namespace orva
