#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <QList>
#include <QPair>

class QStandardItemModel;
class QXmlAttributes;

// Small helpers shared by the tests.
namespace TestSupport {

// Whole content of a file, or an empty array when it cannot be read.
QByteArray readAll(const QString &path);

// Writes bytes to a file, creating it; returns whether every byte was written.
bool writeAll(const QString &path, const QByteArray &bytes);

// Attributes of one XML element, by local name, in order.
QXmlAttributes xmlAttributes(const QList<QPair<QString, QString>> &pairs);
// A design file's Property element: "name" and "value".
QXmlAttributes designProperty(const QString &name, const QString &value);

// The item model as indented lines: two blanks per level, the item's text.
QStringList modelOutline(const QStandardItemModel *pModel);

} // namespace TestSupport
