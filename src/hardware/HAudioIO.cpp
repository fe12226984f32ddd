#include "hardware/HAudioIO.h"

#include "hardware/HDeviceModels.h"

HAudioIO::HAudioIO() = default;

HAudioIO::HAudioIO(const QString &cardType, int direction)
    : m_sModuleType(cardType.startsWith(QLatin1String("VOIP")) ? QStringLiteral("VOIP") : cardType)
    , m_sCategory(tr("Analog I/O"))
    , m_nDirection(direction)
{
}

HAudioIO::~HAudioIO() = default;

QStringList HAudioIO::ioCategories()
{
    return {tr("Analog I/O"), tr("Digital I/O"), QStringLiteral("Amp I/O"), tr("PSTN I/O"),
            tr("VoIP I/O"), tr("USB I/O"), QStringLiteral("Dante I/O")};
}

namespace {

// Category of a dictionary row's third column; empty when no prefix matches.
QString categoryOfColumn(const QByteArray &column)
{
    if (column.startsWith("Digit"))
        return HAudioIO::tr("Digital I/O");
    if (column.startsWith("PSTN"))
        return HAudioIO::tr("PSTN I/O");
    if (column.startsWith("VoIP"))
        return HAudioIO::tr("VoIP I/O");
    if (column.startsWith("USB"))
        return HAudioIO::tr("USB I/O");
    if (column.startsWith("Dante"))
        return QStringLiteral("Dante I/O");
    if (column.startsWith("Amp I/O"))
        return QStringLiteral("Amp I/O");
    return QString();
}

} // namespace

QString HAudioIO::lookupModule(QString *pCategory) const
{
    const char *dictionary = m_nDirection == DirectionInput    ? "InputModules.dict"
                             : m_nDirection == DirectionOutput ? "OutputModules.dict"
                                                               : nullptr;
    const QString folder = dataFolder();
    if (!dictionary || folder.isEmpty())
        return QString();
    QList<QByteArray> lines;
    if (!HDeviceModels::resourceLines(QStringLiteral(":/data/") + folder + QLatin1Char('/') + QLatin1String(dictionary),
                                      lines))
        return QString();
    for (const QByteArray &line : std::as_const(lines)) {
        const qsizetype tab = line.indexOf('\t');
        if (QString::fromUtf8(tab < 0 ? line : line.left(tab)) != m_sModuleType)
            continue;
        const QByteArray rest = tab < 0 ? QByteArray() : line.mid(tab + 1);
        const qsizetype nextTab = rest.indexOf('\t');
        const QString fileName = QString::fromUtf8(nextTab < 0 ? rest : rest.left(nextTab));
        if (pCategory)
            *pCategory = categoryOfColumn(nextTab < 0 ? QByteArray() : rest.mid(nextTab + 1));
        return QStringLiteral(":/data/") + folder + QLatin1Char('/') + fileName;
    }
    return QString();
}

void HAudioIO::resolveCategory()
{
    QString category;
    if (lookupModule(&category).isEmpty())
        return;
    if (!category.isEmpty())
        m_sCategory = category;
    m_bCategoryResolved = true;
}

QString HAudioIO::parameterFilePath(const QString &) const
{
    QString category;
    const QString path = lookupModule(&category);
    if (!path.isEmpty()) {
        if (!category.isEmpty())
            m_sCategory = category;
        m_bCategoryResolved = true;
    }
    return path;
}

void HAudioIO::setParent(HNode *pParent)
{
    HNode::setParent(pParent);
    // Known as soon as the node knows its processor, not only once its
    // template is read: Open and the tree searches need it first.
    if (pParent)
        resolveCategory();
}

QString HAudioIO::category() const
{
    return m_sCategory;
}

void HAudioIO::copyFrom(HNode *pOther)
{
    const bool relabelled = pOther && pOther->label() != m_sLabel;
    const QString oldLabel = m_sLabel;
    HNode::copyFrom(pOther);
    if (auto *pModule = qobject_cast<HAudioIO *>(pOther)) {
        m_sModuleType = pModule->m_sModuleType;
        m_nDirection = pModule->m_nDirection;
        // A node read but never attached has no processor and so no resolved
        // category: look the new card up here instead of copying the default.
        if (pModule->m_bCategoryResolved) {
            m_sCategory = pModule->m_sCategory;
            m_bCategoryResolved = true;
        } else {
            m_sCategory = tr("Analog I/O");
            m_bCategoryResolved = false;
            resolveCategory();
        }
    }
    if (relabelled)
        emit labelChangedByReload(oldLabel, m_sLabel);
}

bool HAudioIO::collect(const QString &key, QList<HNode *> *pList)
{
    if (!pList)
        return false;
    bool take = false;
    if (key == tr("Analog I/O"))
        take = ioCategories().contains(m_sCategory);
    else if (key == tr("Digital I/O"))
        take = m_sCategory == tr("Digital I/O");
    else if (key.startsWith(QLatin1String("Dante")))
        take = m_sCategory == QStringLiteral("Dante I/O");
    if (take)
        pList->append(this);
    return take;
}
