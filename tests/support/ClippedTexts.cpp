#include "ClippedTexts.h"

#include <QAbstractButton>
#include <QIcon>
#include <QCheckBox>
#include <QLabel>
#include <QRadioButton>

namespace {

QString clipped(const QString &text, int has, int needs)
{
    return QStringLiteral("%1: %2 < %3").arg(text).arg(has).arg(needs);
}

int widestLine(const QFontMetrics &metrics, const QString &text)
{
    int widest = 0;
    for (const QString &line : text.split(QLatin1Char('\n')))
        widest = qMax(widest, metrics.horizontalAdvance(line));
    return widest;
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
        if (pButton->text().isEmpty() || !pButton->isVisibleTo(pRoot))
            continue;
        const bool indicator = qobject_cast<const QRadioButton *>(pButton) || qobject_cast<const QCheckBox *>(pButton);
        // A box's size hint is its indicator, the spacing and the text; a push
        // button's hint adds generous padding, so its text, icon and a small
        // frame are what it needs.
        const int icon = pButton->icon().isNull() ? 0 : pButton->iconSize().width() + 4;
        const int needs = indicator ? pButton->sizeHint().width()
                                    : widestLine(pButton->fontMetrics(), pButton->text()) + icon + 8;
        if (pButton->width() < needs)
            found << clipped(pButton->text(), pButton->width(), needs);
    }
    return found;
}
