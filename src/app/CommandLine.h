#pragma once

#include <QCommandLineParser>
#include <QString>
#include <QStringList>
#include <chrono>
#include <optional>
#include <stdexcept>

namespace orva {

// The arguments without the options that every Qt program takes (qt6options(7)): -platform,
// -style, -session and the rest, with a single or a double dash, and their values.
[[nodiscard]] QStringList withoutQtOptions(const QStringList& arguments);

// A value on the command line that is not what its option takes.
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The manners every Unix program has: --help and --version print and end the program with 0;
// an unknown option, a stray argument or a bad value prints a short message and the usage on
// standard error and ends it with 2. Parsing needs no application object, so that these end
// the program before any window or port is opened.
class CommandLine {
public:
    static constexpr int kUsageStatus = 2;

    CommandLine(QString program, const QString& description, int argc, char** argv);

    QCommandLineParser& parser() { return parser_; }
    // Leaves Qt's own options to the application object, which takes them before the program.
    void acceptQtOptions() { arguments_ = withoutQtOptions(arguments_); }

    // Parses the arguments; returns the exit status when the program is to end at once.
    // positional names what the program takes besides its options, or is empty.
    [[nodiscard]] std::optional<int> parse(const QString& positional = {});
    // Says a usage error and returns the status to end with.
    [[nodiscard]] int refuse(const QString& message) const;

    // The value of an option as whole milliseconds. Throws UsageError.
    std::chrono::milliseconds milliseconds(const QCommandLineOption& option) const;
    // The value of an option that must be one of choices. Throws UsageError.
    QString oneOf(const QCommandLineOption& option, const QStringList& choices) const;

private:
    QString helpText() const;

    QString program_;
    QStringList arguments_;
    QCommandLineParser parser_;
    QCommandLineOption help_;
    QCommandLineOption version_;
};

} // namespace orva
