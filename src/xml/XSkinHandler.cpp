#include "xml/XSkinHandler.h"

#include "utility/LogCategories.h"
#include "xml/XmlHandler.h"

#include <QDebug>
#include <QObject>
#include <QVariant>

XSkinHandler::XSkinHandler(QObject *target)
    : m_pTarget(target)
    , m_nState(OutsideSkin)
{
}

XSkinHandler::~XSkinHandler() = default;

bool XSkinHandler::startDocument()
{
    m_nState = OutsideSkin;
    m_sSection.clear();
    m_sProperty.clear();
    m_sValue.clear();
    return true;
}

bool XSkinHandler::endDocument()
{
    return true;
}

bool XSkinHandler::startElement(const QString &, const QString &localName, const QString &,
                                const QXmlAttributes &)
{
    switch (m_nState) {
    case OutsideSkin:
        if (localName == QLatin1String("Skin"))
            m_nState = InSkin;
        break;
    case InSkin:
        m_sSection = localName;
        m_nState = InSection;
        break;
    default:
        m_sProperty = localName;
        m_sValue.clear();
        break;
    }
    return true;
}

bool XSkinHandler::endElement(const QString &, const QString &localName, const QString &)
{
    if (m_nState == InSection) {
        m_sProperty.clear();
        m_sValue.clear();
        if (localName == m_sSection)
            m_nState = InSkin;
    } else if (m_nState == InSkin) {
        // The end of Skin itself.
        m_sSection.clear();
        m_nState = OutsideSkin;
    }
    return true;
}

bool XSkinHandler::characters(const QString &text)
{
    // White space between elements arrives with no property open.
    if (m_nState == InSection && !m_sProperty.isEmpty()
            && m_sSection == QLatin1String("string")) {
        m_sValue += text;
        setValue(m_sValue);
    }
    return true;
}

void XSkinHandler::setValue(const QString &text)
{
    if (!m_pTarget)
        return;
    if (m_sProperty.size() > MaxPropertyNameLength) {
        qCDebug(lcXml) << "property name too long, skipped:" << m_sProperty;
        return;
    }
    const QByteArray name = m_sProperty.toLatin1();
    m_pTarget->setProperty(name.constData(), QVariant(text));
}

bool XSkinHandler::processingInstruction(const QString &, const QString &)
{
    return true;
}

bool XSkinHandler::fatalError(const QXmlParseException &exception)
{
    XmlHandler::reportFatalError(exception);
    return false;
}
