#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

class QStandardItemModel;

// Small helpers shared by the tests.
namespace TestSupport {

// Whole content of a file, or an empty array when it cannot be read.
QByteArray readAll(const QString &path);

// Writes bytes to a file, creating it; returns whether every byte was written.
bool writeAll(const QString &path, const QByteArray &bytes);

// The item model as indented lines: two blanks per level, the item's text.
QStringList modelOutline(const QStandardItemModel *pModel);

} // namespace TestSupport
