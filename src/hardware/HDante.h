#pragma once

#include "hardware/HAudioIO.h"

#include <QList>
#include <QStringList>

// A Dante network-audio card: one channel item per labelled channel, each
// with the parameter of that channel under it.
class HDante : public HAudioIO
{
    Q_OBJECT

public:
    HDante();
    HDante(const QString &cardType, int direction);
    ~HDante() override;

    const QStringList &channelLabels() const { return m_channelLabels; }
    const QList<int> &cardPins() const { return m_cardPins; }

    void parseAttributes(const QXmlAttributes &attributes) override;
    void copyFrom(HNode *pOther) override;
    bool collect(const QString &key, QList<HNode *> *pList) override;
    void dumpNode() override;
    void buildModel(QStandardItemModel *pModel) override;
    QString channelLabel(int i) const override;
    int channelNumber(int i) const override;
    QString parameterFilePath(const QString &name) const override;
    void setParent(HNode *pParent) override;
    int channelIndexOfLabel(const QString &label) const override;

private:
    QStringList m_channelLabels;
    QList<int> m_cardPins;
};
