#pragma once

#include "hardware/HNode.h"

#include <QStringList>

// A control group of the design: a common level, level and mute, mute, or a
// selector whose entries come from the group's assignments. Groups hang
// under the main processor and read their template from "Velmora".
class HGroup : public HNode
{
    Q_OBJECT

public:
    // Most entries one selector range adds; a larger range is cut there.
    static constexpr int MaxRangeEntries = 1000;

    HGroup();
    ~HGroup() override;

    const QString &groupType() const { return m_sGroupType; }
    qint32 targetId() const { return m_nTargetId; }
    const QStringList &entries() const { return m_entries; }

    void parseAttributes(const QXmlAttributes &attributes) override;
    void parseChildAttributes(const QXmlAttributes &attributes, bool reload) override;
    bool initNode() override;
    void copyFrom(HNode *pOther) override;
    HNode *resolveNode(HNode *pMain, HNode *pActive) override;
    QString dataFolder() const override;
    HNode *findCounterpart(HNode *pTree, bool skipSeen) const override;
    void connectNodeSignals(QObject *pReceiver) override;
    QString category() const override;
    QStandardItem *addModelItems(QStandardItemModel *pModel, const QString &text) override;

private:
    void appendRange(const QXmlAttributes &attributes);

    QString m_sGroupType;
    qint32 m_nTargetId = 0;
    QStringList m_entries;
};
