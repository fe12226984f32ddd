#include "model/CCanvasRecord.h"

#include "utility/LogCategories.h"
#include "utility/UNumbers.h"

#include <QByteArray>
#include <QDebug>

CCanvasRecord::CCanvasRecord()
    : m_fSize(0.0f)
    , m_fAspect(0.0f)
{
}

CCanvasRecord::~CCanvasRecord() = default;

QString CCanvasRecord::takeField(QString &text, QChar separator)
{
    const int at = int(text.indexOf(separator));
    if (at < 1)
        return QString();
    const QString field = text.left(at);
    text.remove(0, at + 1);
    return field;
}

void CCanvasRecord::parseLine(const QByteArray &line)
{
    QString text = QString::fromUtf8(line);
    const QChar tab(QLatin1Char('\t'));
    m_sName = takeField(text, tab);
    m_fSize = UNumbers::finiteFloat(takeField(text, tab));
    m_fAspect = UNumbers::finiteFloat(takeField(text, tab));
    m_sAspectText = takeField(text, QLatin1Char('\n'));
}

void CCanvasRecord::setAspectText(const QString &text)
{
    m_sAspectText = text.contains(QLatin1Char(':')) ? text : text + QStringLiteral(":1");
}

void CCanvasRecord::assign(const CCanvasRecord &other)
{
    m_sName = other.m_sName;
    m_fSize = other.m_fSize;
    m_fAspect = other.m_fAspect;
}

void CCanvasRecord::dump() const
{
    qCDebug(lcModel) << "CCanvasRecord" << m_sName << m_fSize << m_fAspect;
}
