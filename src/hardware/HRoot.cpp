#include "hardware/HRoot.h"

#include "utility/LogCategories.h"

#include <QDebug>
#include <QStandardItemModel>

HRoot::HRoot() = default;

HRoot::~HRoot() = default;

QStringList HRoot::sectionNames()
{
    return {tr("Groups"), tr("ParameterSets"), tr("RCGroups"), tr("ParameterSetLists")};
}

void HRoot::buildModel(QStandardItemModel *pModel)
{
    if (!pModel) {
        qCDebug(lcHardware) << "pModel not defined. Skipping addModelItems.";
        return;
    }
    const QStringList sections = sectionNames();
    for (const QString &section : sections)
        insertModelRow(this, pModel, pModel->invisibleRootItem(), section);

    HComposite::buildModel(pModel);

    // The sections were inserted first so that nodes find them during the
    // build; now they move behind the processors, in their order.
    for (const QString &section : sections) {
        QList<QStandardItem *> row = pModel->takeRow(0);
        if (row.isEmpty())
            continue;
        if (row.first() && row.first()->text() == section)
            pModel->appendRow(row);
        else
            pModel->insertRow(0, row); // not the expected section: put it back
    }
}

QString HRoot::category() const
{
    return QStringLiteral("Root");
}
