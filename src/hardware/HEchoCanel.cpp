#include "hardware/HEchoCanel.h"

HEchoCanel::HEchoCanel() = default;

HEchoCanel::~HEchoCanel() = default;

void HEchoCanel::parseAttributes(const QXmlAttributes &attributes)
{
    HNode::parseAttributes(attributes);
}

void HEchoCanel::parseChildAttributes(const QXmlAttributes &, bool)
{
}

bool HEchoCanel::initNode()
{
    HNode::initNode();
    m_sTypeNum = QStringLiteral("0");
    m_sTitle = QStringLiteral("EchoCancel");
    return true;
}

QString HEchoCanel::category() const
{
    return tr("Echo Cancellation");
}

QStandardItem *HEchoCanel::addModelItems(QStandardItemModel *pModel, const QString &text)
{
    return uniqueModelItem(pModel, text);
}
