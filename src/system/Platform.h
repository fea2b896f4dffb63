#pragma once

#include <QFile>
#include <QString>

// Where ORVA's ways differ between Windows and the other systems: its folder, the names of its
// ports, how it opens files and devices, and the computer's name.
namespace orva::platform {

// The folder holding settings.ini and the daily logs; ORVA never creates it.
QString dataFolder();

// The name of serial port number n (1 to 255): a link in the data folder when one of that name
// is there, even one that leads nowhere, so that ORVA never falls back to another device.
QString serialDevice(int portNumber);

// The device a port name leads to at this moment: a link is followed to its final target.
// Throws Failure, naming the link and its target, when the link leads nowhere.
[[nodiscard]] QString deviceBehind(const QString& portName);

// Opens file in mode (read, or append creating it) only when it is a regular file once links
// are followed: a FIFO, a device or a folder is refused without being opened, so nothing can
// block or stir. Returns an empty text, or why not, such as "it is a FIFO, not a regular file"
// or the system's own error. (On Windows, where neither file can be a pipe, it looks first.)
[[nodiscard]] QString openRegularFile(QFile& file, QIODevice::OpenMode mode);

// Whether this user is denied reading or writing the device by its permissions.
[[nodiscard]] bool accessDenied(const QString& device);

// Whether serial devices can frame characters with 1.5 stop bits: Windows' can, while a
// terminal's settings elsewhere know only one or two (and Qt quietly sets one).
[[nodiscard]] bool hasOneAndHalfStopBits();

// Makes writes to standard error give up rather than wait when it is a socket, as the service
// manager's journal stream is: a stalled journal must never hold the program.
void neverWaitOnStandardError();

// This computer's name as the operator knows it.
QString computerName();

} // namespace orva::platform
