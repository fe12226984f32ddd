#pragma once

#include "hardware/HNode.h"

// An echo canceller: a processing-block node with a fixed title and variant.
class HEchoCanel : public HNode
{
    Q_OBJECT

public:
    HEchoCanel();
    ~HEchoCanel() override;

    void parseAttributes(const QXmlAttributes &attributes) override;
    void parseChildAttributes(const QXmlAttributes &attributes, bool reload) override;
    bool initNode() override;
    QString category() const override;
    QStandardItem *addModelItems(QStandardItemModel *pModel, const QString &text) override;
};
