#pragma once

#include <QByteArray>
#include <QString>

// Small helpers shared by the tests.
namespace TestSupport {

// Whole content of a file, or an empty array when it cannot be read.
QByteArray readAll(const QString &path);

// Writes bytes to a file, creating it; returns whether every byte was written.
bool writeAll(const QString &path, const QByteArray &bytes);

} // namespace TestSupport
