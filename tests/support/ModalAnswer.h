#pragma once

#include <QMessageBox>
#include <QString>
#include <functional>
#include <memory>

namespace orva::test {

// What a message box showed before the test answered it with OK.
struct SeenMessage {
    QString title;
    QString text;
    QString informativeText;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    int count = 0;
};

// Answers every message box that opens while it lives with OK, noting what it showed.
class ModalAnswer {
public:
    // onShown runs while a box is shown, before it is answered.
    explicit ModalAnswer(std::function<void()> onShown = {});
    ~ModalAnswer();
    ModalAnswer(const ModalAnswer&) = delete;
    ModalAnswer& operator=(const ModalAnswer&) = delete;

    const SeenMessage& seen() const { return seen_; }

private:
    SeenMessage seen_;
    class Watcher;
    std::unique_ptr<Watcher> watcher_; // a timer that looks for the box
};

} // namespace orva::test
