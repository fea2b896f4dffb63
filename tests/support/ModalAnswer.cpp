#include "ModalAnswer.h"

#include <QAbstractButton>
#include <QApplication>
#include <QTimer>

namespace orva::test {

class ModalAnswer::Watcher : public QTimer {
public:
    explicit Watcher(SeenMessage& seen)
        : seen_(seen)
    {
        connect(this, &QTimer::timeout, this, &Watcher::answer);
        start(20);
    }

private:
    void answer()
    {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr || !box->isVisible())
            return;
        seen_ = {box->windowTitle(), box->text(), box->icon(), seen_.count + 1};
        box->button(QMessageBox::Ok)->click();
    }

    SeenMessage& seen_;
};

ModalAnswer::ModalAnswer()
    : watcher_(std::make_unique<Watcher>(seen_))
{
}

ModalAnswer::~ModalAnswer() = default;

} // namespace orva::test
