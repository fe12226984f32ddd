#include "widgets/WPanelLink.h"

#include "model/CControl.h"
#include "model/MModel.h"
#include "transforms/TTransform.h"
#include "utility/UArchive.h"
#include "utility/UNumbers.h"
#include "xml/XmlWriter.h"

#include <QUrl>

WPanelLink::WPanelLink(QQuickItem *pParent)
    : WLabel(pParent)
    , m_nKeepImageInBounds(0)
{
    m_jumpTimer.setInterval(JumpDelay);
    m_jumpTimer.setSingleShot(true);
    connect(&m_jumpTimer, &QTimer::timeout, this, &WPanelLink::onJumpTimerTimeout);
}

WPanelLink::~WPanelLink() = default;

void WPanelLink::initWidget(QObject *)
{
}

void WPanelLink::destroy()
{
}

void WPanelLink::setCanvasItem(QQuickItem *)
{
}

void WPanelLink::updateFromTransform()
{
}

void WPanelLink::setTransform(TTransform *pTransform)
{
    WWidget::setTransform(pTransform);
    if (pTransform)
        connect(pTransform, &TTransform::replyValueReady, this, &WPanelLink::updateFromTransform,
                Qt::UniqueConnection);
}

bool WPanelLink::hasTitle() const
{
    return true;
}

DPropDialog *WPanelLink::createPropertiesDialog(QWidget *pParent)
{
    return WWidget::createPropertiesDialog(pParent);
}

// ---------------------------------------------------------------- target and jump

void WPanelLink::setLinkTarget(CControl *pTarget)
{
    if (!pTarget)
        return;
    m_sLinkPath = pTarget->root()->path(pTarget);
    setLabelText(pTarget->name());
}

// Clicks while the timer runs restart it, so a double tap jumps once.
void WPanelLink::selectPanel()
{
    m_jumpTimer.start();
}

void WPanelLink::onJumpTimerTimeout()
{
    if (MModel *pModel = model())
        pModel->followLink(m_sLinkPath);
}

void WPanelLink::replaceLinkPrefix(const QString &oldPrefix, const QString &newPrefix)
{
    followRenamedPath(m_sLinkPath, oldPrefix, newPrefix);
}

// ---------------------------------------------------------------- image

// A file the open archive holds is shown from its extracted copy.
void WPanelLink::applyImage(const QString &path)
{
    if (!m_pWidget || path.isEmpty())
        return;
    QString url = path;
    UArchive::instance()->fileUrl(url);
    setWidgetProperty("imagePath", url);
}

QString WPanelLink::imageModeName() const
{
    return widgetProperty("imageValid").toBool() ? tr("Image") : tr("Text");
}

QString WPanelLink::buttonModeName() const
{
    return widgetProperty("buttonMode").toBool() ? tr("Button") : tr("Blank");
}

// ---------------------------------------------------------------- settings

bool WPanelLink::processElement(const QString &name, const QString &text)
{
    if (name == QLatin1String("keepImageInBounds")) {
        m_nKeepImageInBounds = UNumbers::toInt(text);
        setWidgetProperty("keepImageInBounds", true);
    } else if (name == QLatin1String("path")) {
        m_sLinkPath = text;
    } else if (name == QLatin1String("imagepath")) {
        applyImage(text);
    } else if (name == QLatin1String("imagevalid")) {
        setWidgetProperty("imageValid", text != tr("Text"));
    } else if (name == QLatin1String("buttonmode")) {
        setWidgetProperty("buttonMode", text == tr("Button"));
    } else if (name == QLatin1String("hasBorder")) {
        setWidgetProperty("hasBorder", UNumbers::toInt(text) != 0);
    } else {
        return processLabelElement(name, text);
    }
    return true;
}

bool WPanelLink::save(XmlWriter *pWriter)
{
    if (!saveStart(pWriter))
        return false;
    pWriter->writeTextElement(QStringLiteral("text"), plainText());
    pWriter->writeTextElement(QStringLiteral("path"), m_sLinkPath);
    const QString imagePath = widgetProperty("imagePath").toString();
    const QString imageFile = localImageFile(imagePath);
    if (!imageFile.isEmpty())
        pWriter->archiveFilePath(imageFile, QStringLiteral("image"));
    pWriter->writeTextElement(QStringLiteral("imagepath"), imagePath);
    pWriter->writeTextElement(QStringLiteral("imagevalid"), imageModeName());
    pWriter->writeTextElement(QStringLiteral("buttonmode"), buttonModeName());
    pWriter->writeIntElement(QStringLiteral("hasBorder"), widgetProperty("hasBorder").toBool() ? 1 : 0);
    if (m_nKeepImageInBounds != 0)
        pWriter->writeIntElement(QStringLiteral("keepImageInBounds"), 1);
    writeFaces(pWriter);
    writeScale(pWriter);
    pWriter->writeEndElement(m_sType);
    return true;
}

// ---------------------------------------------------------------- property ids

QVariant WPanelLink::propertyValue(WidgetPropertyId::Type id) const
{
    switch (id) {
    case WidgetPropertyId::ButtonMode:
        return m_pWidget ? imageModeName() : QString();
    case WidgetPropertyId::Image:
        return m_pWidget ? widgetProperty("imagePath").toString() : QString();
    case WidgetPropertyId::LinkButtonMode:
        return m_pWidget ? buttonModeName() : QString();
    case WidgetPropertyId::LinkPath:
        return m_sLinkPath;
    default:
        // The label's alignment and scale are not a link's.
        return WWidget::propertyValue(id);
    }
}

void WPanelLink::setPropertyValue(WidgetPropertyId::Type id, const QVariant &value)
{
    switch (id) {
    case WidgetPropertyId::ButtonMode:
        if (m_pWidget)
            setWidgetProperty("imageValid", value.toString() != tr("Text"));
        break;
    case WidgetPropertyId::Image:
        if (!value.toString().isEmpty())
            applyImage(localFileUrl(value.toString()));
        break;
    case WidgetPropertyId::LinkButtonMode:
        if (m_pWidget)
            setWidgetProperty("buttonMode", value.toString() == tr("Button"));
        break;
    case WidgetPropertyId::LinkPath:
        m_sLinkPath = value.toString();
        break;
    default:
        WWidget::setPropertyValue(id, value);
        break;
    }
}
