#pragma once

#include "hardware/HAudioIO.h"

#include <QStringList>

// The link channels from a processor to its amplifiers: a channel-organised
// module whose channel labels panels show and a re-import can rename.
class HKRXLink : public HAudioIO
{
    Q_OBJECT

public:
    HKRXLink();
    ~HKRXLink() override;

    const QStringList &channelLabels() const { return m_channelLabels; }

    void parseAttributes(const QXmlAttributes &attributes) override;
    void copyFrom(HNode *pOther) override;
    bool collect(const QString &key, QList<HNode *> *pList) override;
    void dumpNode() override;
    QString channelLabel(int i) const override;
    QString parameterFilePath(const QString &name) const override;
    void setParent(HNode *pParent) override;
    int channelCount() const override;
    int channelIndexOfLabel(const QString &label) const override;

private:
    QStringList m_channelLabels;
};
