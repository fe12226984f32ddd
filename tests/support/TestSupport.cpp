#include "support/TestSupport.h"

#include "widgets/WWidget.h"
#include "xml/XmlWriter.h"

#include <QComboBox>
#include <QFile>
#include <QQuickItem>
#include <QSettings>
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

std::unique_ptr<QSettings> appSettings()
{
    return std::make_unique<QSettings>(QStringLiteral("Harlo"), QStringLiteral("Velmora Viviza builder 3.0"));
}

QStringList itemsOf(const QComboBox *pCombo)
{
    QStringList items;
    for (int i = 0; pCombo && i < pCombo->count(); ++i)
        items.append(pCombo->itemText(i));
    return items;
}

QByteArray saveWidget(WWidget *pWidget)
{
    QByteArray bytes;
    XmlWriter writer;
    writer.setByteArray(&bytes);
    writer.setEncoding(XmlEncodingUtf8);
    pWidget->save(&writer);
    writer.flush();
    return bytes;
}

QQuickItem *findItem(QQuickItem *pRoot, const QString &name)
{
    for (QQuickItem *pChild : pRoot ? pRoot->childItems() : QList<QQuickItem *>()) {
        if (pChild->objectName() == name)
            return pChild;
        if (QQuickItem *pFound = findItem(pChild, name))
            return pFound;
    }
    return nullptr;
}

QPoint centreOf(const QQuickItem *pItem)
{
    return pItem->mapToScene(QPointF(pItem->width() / 2, pItem->height() / 2)).toPoint();
}

} // namespace TestSupport
