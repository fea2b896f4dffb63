#pragma once

#include "SettingsStore.h"
#include "common/ControlTable.h"

#include <QWidget>

class QLineEdit;

namespace orva {

// The settings window: shows the settings in force, each beside its key in settings.ini.
// It is created hidden at start-up and lives as long as the program; its boxes show the store
// and cannot be typed into, since the file is the only configuration.
class Form3 : public QWidget {
    Q_OBJECT

public:
    explicit Form3(SettingsStore& store);

    // Sets a field of the store and the box that shows it.
    void setField(int slot, Field field, const QString& text);
    // Shows every field of the store, after it was filled from the file.
    void showStore();
    QLineEdit* box(int slot, Field field) const;

private:
    // The controls as designed; the window is built from them.
    static std::vector<DesignedControl> designedControls();

    SettingsStore& store_;
};

} // namespace orva
