#include "ClippedTexts.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QLabel>
#include <QRadioButton>

namespace {

QString clipped(const QString &text, int has, int needs)
{
    return QStringLiteral("%1: %2 < %3").arg(text).arg(has).arg(needs);
}

} // namespace

QStringList clippedTexts(const QWidget *pRoot)
{
    QStringList found;
    for (const QLabel *pLabel : pRoot->findChildren<QLabel *>()) {
        if (pLabel->wordWrap() || pLabel->text().isEmpty() || !pLabel->isVisibleTo(pRoot))
            continue;
        const int needs = pLabel->fontMetrics().horizontalAdvance(pLabel->text());
        if (pLabel->contentsRect().width() < needs)
            found << clipped(pLabel->text(), pLabel->contentsRect().width(), needs);
    }
    for (const QAbstractButton *pButton : pRoot->findChildren<QAbstractButton *>()) {
        if (!qobject_cast<const QRadioButton *>(pButton) && !qobject_cast<const QCheckBox *>(pButton))
            continue;
        if (pButton->text().isEmpty() || !pButton->isVisibleTo(pRoot))
            continue;
        // The size hint is the indicator, the spacing and the text.
        const int needs = pButton->sizeHint().width();
        if (pButton->width() < needs)
            found << clipped(pButton->text(), pButton->width(), needs);
    }
    return found;
}
