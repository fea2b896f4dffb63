#include "ControlTable.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <algorithm>

namespace orva {
namespace {

constexpr int kDesignFontPixels = 11;

QWidget* createControl(QWidget& window, const ControlSpec& spec)
{
    QWidget* control = nullptr;
    switch (spec.kind) {
    case ControlKind::Label:
        control = new QLabel(spec.text, &window);
        break;
    case ControlKind::Button:
        control = new QPushButton(spec.text, &window);
        break;
    case ControlKind::TextBox: {
        auto* box = new QLineEdit(spec.text, &window);
        if (spec.maxLength > 0)
            box->setMaxLength(spec.maxLength);
        control = box;
        break;
    }
    }
    control->setObjectName(spec.name);
    control->setGeometry(spec.rect.toPixels());
    return control;
}

} // namespace

void buildControls(QWidget& window, const std::vector<ControlSpec>& table)
{
    // The controls are sized for a narrow 8-point sans-serif font at 96 dpi.
    QFont font = window.font();
    font.setPixelSize(kDesignFontPixels);
    font.setStretch(QFont::SemiCondensed);
    window.setFont(font);
    std::vector<std::pair<int, QWidget*>> focusable;
    for (const ControlSpec& spec : table) {
        QWidget* control = createControl(window, spec);
        if (spec.kind != ControlKind::Label)
            focusable.emplace_back(spec.tabIndex, control);
    }
    std::ranges::sort(focusable, {}, &std::pair<int, QWidget*>::first);
    for (std::size_t i = 1; i < focusable.size(); ++i)
        QWidget::setTabOrder(focusable[i - 1].second, focusable[i].second);
}

} // namespace orva
