#include "utility/SkinFiles.h"

#include "xml/XSkinHandler.h"

#include <QFile>
#include <QXmlInputSource>
#include <QXmlSimpleReader>

SkinFiles::SkinFiles(QObject *target)
    : m_pTarget(target)
{
}

QString SkinFiles::skinPath(const QString &name)
{
    return QStringLiteral(":/skins/") + name + QStringLiteral(".xml");
}

void SkinFiles::resolveSkinName(QString &name)
{
    QFile file(skinPath(name));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        name = QStringLiteral("Light");
}

bool SkinFiles::loadSkin(QString &name)
{
    resolveSkinName(name);
    QFile file(skinPath(name));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return false;

    // A parse error is reported by the handler; what was read before it stays.
    XSkinHandler handler(m_pTarget);
    QXmlInputSource source(&file);
    QXmlSimpleReader reader;
    reader.setContentHandler(&handler);
    reader.setErrorHandler(&handler);
    reader.parse(&source, false);
    return true;
}

bool SkinFiles::readLines(const QString &path, QStringList *list)
{
    if (!list)
        return false;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return false;
    while (!file.atEnd()) {
        QByteArray line = file.readLine();
        line.replace('\n', QByteArray());
        list->append(QString::fromUtf8(line));
    }
    return true;
}
