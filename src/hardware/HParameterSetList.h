#pragma once

#include "hardware/HNode.h"

#include <QList>
#include <QStringList>

// A list of parameter sets of the design: a drop list over its member sets.
class HParameterSetList : public HNode
{
    Q_OBJECT

public:
    HParameterSetList();
    ~HParameterSetList() override;

    const QStringList &setNames() const { return m_setNames; }
    const QList<int> &setIds() const { return m_setIds; }
    bool isListChanged() const { return m_bListChanged; }

    // One "targetID" of the list's assignment: the id and the labels of the
    // sets whose id text it is.
    void addParameterSet(const QString &targetId);

    void parseChildAttributes(const QXmlAttributes &attributes, bool reload) override;
    bool initNode() override;
    void copyFrom(HNode *pOther) override;
    void buildModel(QStandardItemModel *pModel) override;
    void clearParameterList(QString &name) override;
    HNode *resolveNode(HNode *pMain, HNode *pActive) override;
    QString dataFolder() const override;
    HNode *findCounterpart(HNode *pTree, bool skipSeen) const override;
    void connectNodeSignals(QObject *pReceiver) override;
    QString category() const override;
    bool parameterSetLists(QStringList &names, QList<int> &ids) const override;
    QStandardItem *addModelItems(QStandardItemModel *pModel, const QString &text) override;

private:
    QStringList m_setNames;
    QList<int> m_setIds;
    bool m_bListChanged = false;
};
