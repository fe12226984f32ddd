#pragma once

#include "hardware/HNode.h"

// A parameter set of the design. The first set built gives the project tree
// the "ParameterList" entry (a drop list over every set); each set gives its
// own entry (a text link bound to it).
class HParameterSet : public HNode
{
    Q_OBJECT

public:
    HParameterSet();
    ~HParameterSet() override;

    bool isListChanged() const { return m_bListChanged; }

    void parseChildAttributes(const QXmlAttributes &attributes, bool reload) override;
    bool initNode() override;
    void copyFrom(HNode *pOther) override;
    void buildModel(QStandardItemModel *pModel) override;
    void clearParameterList(QString &name) override;
    bool prepareControl(const QString &name, MModel *pModel) override;
    HNode *resolveNode(HNode *pMain, HNode *pActive) override;
    QString parameterFilePath(const QString &name) const override;
    QString dataFolder() const override;
    HNode *findCounterpart(HNode *pTree, bool skipSeen) const override;
    void connectNodeSignals(QObject *pReceiver) override;
    QString category() const override;
    QStandardItem *addModelItems(QStandardItemModel *pModel, const QString &text) override;

private:
    void buildParameterList(QStandardItemModel *pModel);
    void buildParameterSet(QStandardItemModel *pModel);

    bool m_bListChanged = false;
};
