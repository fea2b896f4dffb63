#include "CommandLine.h"

#include "system/StandardError.h"

#include <algorithm>
#include <cstdio>

namespace orva {
namespace {

void printOut(const QString& text)
{
    std::fputs(text.toLocal8Bit().constData(), stdout);
    std::fflush(stdout);
}

// Qt's options as QGuiApplication, QApplication and the X11 platform read them, without their
// dashes: those followed by a value, those that stand alone, and those that carry their value
// after "=".
const QStringList kQtOptionsWithValue{"platform",
                                      "platformpluginpath",
                                      "platformtheme",
                                      "plugin",
                                      "qwindowgeometry",
                                      "geometry",
                                      "qwindowicon",
                                      "icon",
                                      "qwindowtitle",
                                      "title",
                                      "session",
                                      "display",
                                      "name",
                                      "visual",
                                      "style",
                                      "stylesheet"};
const QStringList kQtFlags{"reverse", "widgetcount", "testability", "nograb", "dograb", "sync"};
const QStringList kQtOptionsWithEquals{
    "style=", "stylesheet=", "qmljsdebugger=", "dialogs=", "fontengine="};

} // namespace

QStringList withoutQtOptions(const QStringList& arguments)
{
    QStringList kept = arguments.mid(0, 1);
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (argument == u"--") { // what follows is no option
            kept << arguments.mid(i);
            break;
        }
        const QString name = argument.startsWith(u"--")  ? argument.mid(2)
                             : argument.startsWith(u'-') ? argument.mid(1)
                                                         : QString();
        if (kQtOptionsWithValue.contains(name))
            ++i;
        else if (!kQtFlags.contains(name) &&
                 std::ranges::none_of(kQtOptionsWithEquals, [&name](const QString& option) {
                     return name.startsWith(option);
                 }))
            kept << argument;
    }
    return kept;
}

CommandLine::CommandLine(QString program, const QString& description, int argc, char** argv)
    : program_(std::move(program))
    , help_({QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("Show this help."))
    , version_(QStringLiteral("version"), QStringLiteral("Show the version."))
{
    for (int i = 0; i < argc; ++i)
        arguments_ << QString::fromLocal8Bit(argv[i]);
    parser_.setApplicationDescription(description);
    parser_.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser_.addOption(help_);
    parser_.addOption(version_);
}

std::optional<int> CommandLine::parse(const QString& positional)
{
    if (!positional.isEmpty())
        parser_.addPositionalArgument(positional, QString(),
                                      QStringLiteral("[%1...]").arg(positional));
    if (!parser_.parse(arguments_))
        return refuse(parser_.errorText());
    if (parser_.isSet(help_)) {
        printOut(helpText());
        return 0;
    }
    if (parser_.isSet(version_)) {
        printOut(QStringLiteral("%1 %2\n").arg(program_, QStringLiteral(ORVA_VERSION)));
        return 0;
    }
    if (positional.isEmpty() && !parser_.positionalArguments().isEmpty())
        return refuse(QStringLiteral("unexpected argument \"%1\"")
                          .arg(parser_.positionalArguments().constFirst()));
    return std::nullopt;
}

int CommandLine::refuse(const QString& message) const
{
    writeStandardError(
        QStringLiteral("%1: %2\n\n%3").arg(program_, message, helpText()).toLocal8Bit());
    return kUsageStatus;
}

std::chrono::milliseconds CommandLine::milliseconds(const QCommandLineOption& option) const
{
    const QString text = parser_.value(option);
    bool ok = false;
    const int value = text.toInt(&ok);
    if (!ok || value < 0)
        throw UsageError(QStringLiteral("--%1: \"%2\" is not a number of milliseconds")
                             .arg(option.names().constLast(), text)
                             .toStdString());
    return std::chrono::milliseconds(value);
}

QString CommandLine::oneOf(const QCommandLineOption& option, const QStringList& choices) const
{
    const QString text = parser_.value(option);
    if (!choices.contains(text))
        throw UsageError(QStringLiteral("--%1: \"%2\" is not one of %3")
                             .arg(option.names().constLast(), text, choices.join(u", "))
                             .toStdString());
    return text;
}

// The parser names the program only when an application object exists; here none does yet.
QString CommandLine::helpText() const
{
    QString text = parser_.helpText();
    text.replace(QStringLiteral("<executable_name>"), program_);
    return text;
}

} // namespace orva
