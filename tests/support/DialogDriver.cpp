#include "support/DialogDriver.h"

#include <QAbstractItemView>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

namespace DialogDriver {

bool press(QWidget *pDialog, QDialogButtonBox::StandardButton which)
{
    auto *pBox = pDialog ? pDialog->findChild<QDialogButtonBox *>(QStringLiteral("buttonBox")) : nullptr;
    QPushButton *pButton = pBox ? pBox->button(which) : nullptr;
    if (!pButton || !pButton->isEnabled())
        return false;
    QTest::mouseClick(pButton, Qt::LeftButton);
    return true;
}

bool click(QWidget *pDialog, const QString &buttonName)
{
    auto *pButton = pDialog ? pDialog->findChild<QPushButton *>(buttonName) : nullptr;
    if (!pButton || !pButton->isEnabled())
        return false;
    QTest::mouseClick(pButton, Qt::LeftButton);
    return true;
}

bool isEnabled(QWidget *pDialog, const QString &buttonName)
{
    const auto *pButton = pDialog ? pDialog->findChild<QPushButton *>(buttonName) : nullptr;
    return pButton && pButton->isEnabled();
}

namespace {

QPoint centreOf(QAbstractItemView *pView, const QModelIndex &index)
{
    pView->scrollTo(index);
    return pView->visualRect(index).center();
}

} // namespace

bool clickIndex(QAbstractItemView *pView, const QModelIndex &index)
{
    if (!pView || !index.isValid())
        return false;
    QTest::mouseClick(pView->viewport(), Qt::LeftButton, Qt::NoModifier, centreOf(pView, index));
    return true;
}

bool doubleClickIndex(QAbstractItemView *pView, const QModelIndex &index)
{
    if (!pView || !index.isValid())
        return false;
    const QPoint point = centreOf(pView, index);
    // The view takes a double click only on the item its first press hit.
    QTest::mouseClick(pView->viewport(), Qt::LeftButton, Qt::NoModifier, point);
    QTest::mouseDClick(pView->viewport(), Qt::LeftButton, Qt::NoModifier, point);
    return true;
}

QStringList rows(const QListWidget *pList)
{
    QStringList texts;
    for (int row = 0; pList && row < pList->count(); ++row)
        texts.append(pList->item(row)->text());
    return texts;
}

} // namespace DialogDriver
