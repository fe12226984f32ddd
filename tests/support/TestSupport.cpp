#include "support/TestSupport.h"

#include <QFile>
#include <QStandardItemModel>
#include <QXmlAttributes>

namespace TestSupport {

QByteArray readAll(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    return file.readAll();
}

bool writeAll(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    return file.write(bytes) == bytes.size();
}

QXmlAttributes xmlAttributes(const QList<QPair<QString, QString>> &pairs)
{
    QXmlAttributes attributes;
    for (const auto &pair : pairs)
        attributes.append(pair.first, QString(), pair.first, pair.second);
    return attributes;
}

QXmlAttributes designProperty(const QString &name, const QString &value)
{
    return xmlAttributes({{QStringLiteral("name"), name}, {QStringLiteral("value"), value}});
}

static void outlineItem(const QStandardItem *pItem, int level, QStringList &lines)
{
    for (int row = 0; row < pItem->rowCount(); ++row) {
        const QStandardItem *pChild = pItem->child(row);
        lines << QString(level * 2, QLatin1Char(' ')) + pChild->text();
        outlineItem(pChild, level + 1, lines);
    }
}

QStringList modelOutline(const QStandardItemModel *pModel)
{
    QStringList lines;
    if (pModel)
        outlineItem(pModel->invisibleRootItem(), 0, lines);
    return lines;
}

} // namespace TestSupport
