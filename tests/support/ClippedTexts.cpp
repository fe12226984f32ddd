#include "ClippedTexts.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QIcon>
#include <QLabel>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionComboBox>

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

// The width a combo box needs to show its widest item whole: the text in
// the box's frame beside its arrow, as the style lays them out.
int comboNeeds(const QComboBox *pCombo)
{
    int widest = 0;
    for (int i = 0; i < pCombo->count(); ++i)
        widest = qMax(widest, pCombo->fontMetrics().horizontalAdvance(pCombo->itemText(i)));
    QStyleOptionComboBox option;
    option.initFrom(pCombo);
    option.editable = pCombo->isEditable();
    option.frame = pCombo->hasFrame();
    const QSize contents(widest, pCombo->fontMetrics().height());
    return pCombo->style()->sizeFromContents(QStyle::CT_ComboBox, &option, contents, pCombo).width();
}

// The part of the widget that its window shows: its rectangle cut by each
// widget it lies in, up to the window.
QRect shownPart(const QWidget *pWidget)
{
    QRect shown = pWidget->rect();
    QPoint offset;
    for (const QWidget *pInner = pWidget; pInner && !pInner->isWindow(); pInner = pInner->parentWidget()) {
        offset += pInner->pos();
        const QWidget *pOuter = pInner->parentWidget();
        if (!pOuter)
            break;
        shown &= pOuter->rect().translated(-offset);
    }
    return shown;
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
    for (const QComboBox *pCombo : pRoot->findChildren<QComboBox *>()) {
        if (pCombo->count() == 0 || !pCombo->isVisibleTo(pRoot))
            continue;
        const int needs = comboNeeds(pCombo);
        if (pCombo->width() < needs)
            found << clipped(pCombo->objectName(), pCombo->width(), needs);
    }
    return found;
}

QStringList cutOffWidgets(const QWidget *pRoot)
{
    QStringList found;
    for (const QWidget *pWidget : pRoot->findChildren<QWidget *>()) {
        if (!pWidget->isVisibleTo(pRoot) || pWidget->isWindow())
            continue;
        // Only the parts a form places, which carry names; the inner parts of
        // composite widgets (a combo's list, a spin box's edit) follow them.
        if (pWidget->objectName().isEmpty() || pWidget->objectName().startsWith(QLatin1String("qt_")))
            continue;
        const QRect shown = shownPart(pWidget);
        if (shown != pWidget->rect())
            found << QStringLiteral("%1: %2x%3 shows %4x%5")
                         .arg(pWidget->objectName())
                         .arg(pWidget->width())
                         .arg(pWidget->height())
                         .arg(qMax(0, shown.width()))
                         .arg(qMax(0, shown.height()));
    }
    return found;
}
