#include "ControlTable.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <algorithm>

namespace orva {
namespace {

constexpr int kDesignFontPixels = 10;

QWidget* createControl(QWidget& window, const DesignedControl& design)
{
    QWidget* control = nullptr;
    switch (design.kind) {
    case ControlKind::Label:
        control = new QLabel(design.text, &window);
        break;
    case ControlKind::Button:
        control = new QPushButton(design.text, &window);
        break;
    case ControlKind::TextBox: {
        auto* box = new QLineEdit(design.text, &window);
        if (design.maxLength > 0)
            box->setMaxLength(design.maxLength);
        control = box;
        break;
    }
    }
    control->setObjectName(design.name);
    control->setGeometry(design.rect.toPixels());
    return control;
}

} // namespace

void showText(QLineEdit& box, const QString& text)
{
    box.setText(text);
    box.home(false);
}

void buildWindow(QWidget& window, const DesignedWindow& design,
                 const std::vector<DesignedControl>& table)
{
    window.setObjectName(design.name);
    window.setWindowTitle(design.caption);
    window.setFixedSize(pixelSizeFromTwips(design.width, design.height));
    // The controls are sized for a narrow 8-point sans-serif font at 96 dpi.
    QFont font = window.font();
    font.setPixelSize(kDesignFontPixels);
    font.setStretch(QFont::SemiCondensed);
    window.setFont(font);
    std::vector<std::pair<int, QWidget*>> focusable;
    for (const DesignedControl& design : table) {
        QWidget* control = createControl(window, design);
        if (design.kind != ControlKind::Label)
            focusable.emplace_back(design.tabIndex, control);
    }
    std::ranges::sort(focusable, {}, &std::pair<int, QWidget*>::first);
    for (std::size_t i = 1; i < focusable.size(); ++i)
        QWidget::setTabOrder(focusable[i - 1].second, focusable[i].second);
}

} // namespace orva
