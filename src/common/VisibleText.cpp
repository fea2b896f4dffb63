#include "VisibleText.h"

namespace orva {

QString visibleText(QStringView text)
{
    QString shown;
    shown.reserve(text.size());
    for (const QChar c : text) {
        switch (c.unicode()) {
        case u'\r':
            shown += QStringLiteral("\\r");
            break;
        case u'\n':
            shown += QStringLiteral("\\n");
            break;
        case u'\t':
            shown += QStringLiteral("\\t");
            break;
        case 0:
            shown += QStringLiteral("\\0");
            break;
        default:
            if (c.unicode() < 32 || (c.unicode() >= 127 && c.unicode() < 160))
                shown += QStringLiteral("\\x%1").arg(c.unicode(), 2, 16, QChar(u'0'));
            else
                shown += c;
        }
    }
    return shown;
}

} // namespace orva
