#pragma once

#include "ControlTable.h"
#include "config/SettingsStore.h"

#include <QWidget>

class QLineEdit;

namespace orva {

// The settings window: shows the settings in force, each beside its key in settings.ini, and
// the computer's name it is given. It is created hidden at start-up and lives as long as the
// program; its boxes show the store and cannot be typed into, since the file is the only
// configuration.
class SettingsWindow : public QWidget {
    Q_OBJECT

public:
    explicit SettingsWindow(const SettingsStore& store);

    // Shows every field of the store, after it was filled from the file.
    void showStore();
    // Shows the computer's name where slot C's line settings stand.
    void showComputerName(const QString& name);

private:
    QLineEdit* box(int slot, Field field) const;

    // The controls as designed; the window is built from them.
    static std::vector<DesignedControl> designedControls();

    const SettingsStore& store_;
};

} // namespace orva
