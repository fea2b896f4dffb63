#include "ModalAnswer.h"

#include <QAbstractButton>
#include <QApplication>
#include <QTimer>

namespace orva::test {

class ModalAnswer::Watcher : public QTimer {
public:
    Watcher(SeenMessage& seen, std::function<void()> onShown)
        : seen_(seen)
        , onShown_(std::move(onShown))
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
        seen_ = {box->windowTitle(), box->text(), box->informativeText(), box->icon(),
                 seen_.count + 1};
        if (onShown_)
            onShown_();
        box->button(QMessageBox::Ok)->click();
    }

    SeenMessage& seen_;
    std::function<void()> onShown_;
};

ModalAnswer::ModalAnswer(std::function<void()> onShown)
    : watcher_(std::make_unique<Watcher>(seen_, std::move(onShown)))
{
}

ModalAnswer::~ModalAnswer() = default;

} // namespace orva::test
