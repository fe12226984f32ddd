#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <QList>
#include <QPair>
#include <QPoint>

#include <memory>

class QComboBox;
class QQuickItem;
class QSettings;
class QStandardItemModel;
class QXmlAttributes;
class WWidget;

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

// The editor's settings, as the application stores them.
std::unique_ptr<QSettings> appSettings();
// The texts of a combo box's entries, in order; none for no box.
QStringList itemsOf(const QComboBox *pCombo);
// What the widget saves, as UTF-8 XML.
QByteArray saveWidget(WWidget *pWidget);
// Depth first below pRoot: the first item of that object name; null for none.
QQuickItem *findItem(QQuickItem *pRoot, const QString &name);
// The window point at the middle of an item.
QPoint centreOf(const QQuickItem *pItem);

} // namespace TestSupport
