#pragma once

#include "hardware/HComposite.h"

// Top of the hardware tree: processors below it, and the four sections of the
// project tree (groups, parameter sets, room-combining groups, parameter-set
// lists) after them.
class HRoot : public HComposite
{
    Q_OBJECT

public:
    HRoot();
    ~HRoot() override;

    void buildModel(QStandardItemModel *pModel) override;
    QString category() const override;

    // The section names, translated, in their order in the project tree.
    static QStringList sectionNames();
};
