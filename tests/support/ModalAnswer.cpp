#include "ModalAnswer.h"

#include <QAbstractButton>
#include <QApplication>

namespace orva::test {

ModalAnswer::ModalAnswer(std::function<void()> onShown)
    : onShown_(std::move(onShown))
{
    QObject::connect(&watcher_, &QTimer::timeout, &watcher_, [this] { answer(); });
    watcher_.start(20);
}

void ModalAnswer::answer()
{
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box == nullptr || !box->isVisible())
        return;
    seen_ = {box->windowTitle(), box->text(), box->informativeText(), box->icon(), seen_.count + 1};
    if (onShown_)
        onShown_();
    box->button(QMessageBox::Ok)->click();
}

} // namespace orva::test
