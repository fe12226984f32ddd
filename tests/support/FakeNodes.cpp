#include "support/FakeNodes.h"

#include "utility/TreeItem.h"

#include <QStandardItemModel>

FakeNode::FakeNode(const QString &category, const QString &label)
    : m_sCategory(category)
{
    m_sLabel = label;
}

void FakeNode::setProperty(const QString &name, const QString &value)
{
    if (name == QLatin1String("channelCount"))
        m_nChannelCount = value.toInt();
    else if (name == QLatin1String("actionCount"))
        m_nActionCount = value.toInt();
    else if (name == QLatin1String("teleconInputs"))
        m_nTeleconInputs = value.toInt();
    else if (name == QLatin1String("micInputs"))
        m_nMicInputs = value.toInt();
    else if (name == QLatin1String("inputLabel"))
        m_inputLabels.append(value);
    else if (name == QLatin1String("channel"))
        m_nChannel = value.toInt();
    else if (name == QLatin1String("zeroIsNone"))
        m_bZeroIsNone = value == QLatin1String("true");
    else if (name == QLatin1String("hasCounts"))
        m_bHasCounts = value != QLatin1String("0");
    else if (name == QLatin1String("hasRanges"))
        m_bHasRanges = value != QLatin1String("0");
    else if (name == QLatin1String("refuseControl"))
        m_bRefuseControl = value != QLatin1String("0");
}

FakeCard::FakeCard(int direction, const QString &cardType)
    : HAudioIO(cardType, direction)
{
}

void FakeCard::setProperty(const QString &name, const QString &value)
{
    if (name == QLatin1String("channel"))
        m_nChannel = value.toInt();
    else
        HAudioIO::setProperty(name, value);
}

bool FakeNode::prepareControl(const QString &name, MModel *)
{
    m_preparedNames.append(name);
    return !m_bRefuseControl;
}

QString FakeNode::parameterFilePath(const QString &name) const
{
    return m_sTemplatePath.isEmpty() ? HNode::parameterFilePath(name) : m_sTemplatePath;
}

FakeListNode::FakeListNode(const QString &label)
    : FakeNode(QStringLiteral("Blocks"), label)
{
}

void FakeListNode::setSets(const QStringList &names, const QList<int> &ids)
{
    m_setNames = names;
    m_setIds = ids;
    m_bHasSets = true;
}

void FakeListNode::setLabels(const QStringList &labels)
{
    m_labels = labels;
    m_bHasLabels = true;
}

bool FakeListNode::parameterSetLists(QStringList &names, QList<int> &ids) const
{
    if (!m_bHasSets)
        return false;
    names = m_setNames;
    ids = m_setIds;
    return true;
}

bool FakeListNode::labelList(QStringList &labels) const
{
    if (!m_bHasLabels)
        return false;
    labels = m_labels;
    return true;
}

FakeProcessor::FakeProcessor(const QString &label, const QString &folder)
    : m_sFolder(folder)
    , m_groups({QStringLiteral("Analog I/O"), QStringLiteral("Blocks")})
{
    m_sLabel = label;
    m_sTitle = label;
    setFlags(FlagProcessor);
}

void FakeProcessor::buildModel(QStandardItemModel *pModel)
{
    if (!pModel)
        return;
    setFlags(FlagPersistent);
    auto *pRow = new QStandardItem(m_sLabel);
    pRow->setFlags(Qt::ItemFlags::fromInt(TreeItem::RowFlags));
    pModel->appendRow(pRow);
    for (const QString &group : std::as_const(m_groups))
        insertModelRow(this, pModel, pRow, group);
    HComposite::buildModel(pModel);
}

void RemovalRecorder::watch(HNode *pNode)
{
    if (!pNode)
        return;
    if (auto *pComposite = qobject_cast<HComposite *>(pNode)) {
        for (HNode *pChild : pComposite->children())
            watch(pChild);
    }
    pNode->connectNodeSignals(this);
}

void RemovalRecorder::onRemovingNode(HNode *pNode)
{
    removed.append(pNode);
}
