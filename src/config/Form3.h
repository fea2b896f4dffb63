#pragma once

#include "SettingsStore.h"

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
    QLineEdit* box(int slot, Field field) const;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void showStore();

    SettingsStore& store_;
};

} // namespace orva
