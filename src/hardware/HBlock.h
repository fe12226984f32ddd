#pragma once

#include "hardware/HNode.h"

#include <QList>
#include <QStringList>

// One signal-processing block of a processor: gains, selectors, logic and
// virtual GPI/GPO blocks, tone controls, mic mixers and the room-combining
// blocks. Unsupported kinds refuse themselves in initNode.
class HBlock : public HNode
{
    Q_OBJECT

public:
    HBlock();
    ~HBlock() override;

    const QStringList &labels() const { return m_labels; }
    int inputCount() const { return m_nInputCount; }
    int bgmCount() const { return m_nBgmCount; }
    const QString &roomName() const { return m_sRoomName; }

    // Room numbers paired with this block's room in its room-combine text.
    void parseLabelList(QList<int> &rooms) const;

    void parseAttributes(const QXmlAttributes &attributes) override;
    bool initNode() override;
    void copyFrom(HNode *pOther) override;
    void setupRoomCombiner(HRCGroupInfo *pRegistry) override;
    QString category() const override;
    bool labelList(QStringList &labels) const override;

private:
    void reshapeLabels();
    bool isSupportedTitle() const;

    QStringList m_labels;
    qint32 m_nInputCount = 0;
    qint32 m_nBgmCount = 0;
    QString m_sRoomName;
};
