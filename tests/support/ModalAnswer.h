#pragma once

#include <QMessageBox>
#include <QString>
#include <QTimer>
#include <functional>

namespace orva::test {

// What a message box showed before the test answered it with OK.
struct SeenMessage {
    QString title;
    QString text;
    QString informativeText;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    int count = 0;
};

// Answers every message box that opens while it lives with OK, noting what it showed; it
// looks for one every 20 ms. onShown runs while a box is shown, before it is answered.
class ModalAnswer {
public:
    explicit ModalAnswer(std::function<void()> onShown = {});

    const SeenMessage& seen() const { return seen_; }

private:
    void answer();

    SeenMessage seen_;
    std::function<void()> onShown_;
    QTimer watcher_;
};

} // namespace orva::test
