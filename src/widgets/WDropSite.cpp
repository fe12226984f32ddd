#include "widgets/WDropSite.h"

#include "dialogs/DMessageBox.h"
#include "hardware/CParameter.h"
#include "hardware/HNode.h"
#include "model/CComposite.h"
#include "model/CControl.h"
#include "model/MModel.h"
#include "utility/LogCategories.h"
#include "utility/UNumbers.h"
#include "xml/XmlWriter.h"

#include <QDebug>

WDropSite::WDropSite(QQuickItem *pParent)
    : WWidget(pParent)
{
}

WDropSite::~WDropSite() = default;

void WDropSite::initWidget(QObject *)
{
}

void WDropSite::destroy()
{
}

void WDropSite::setupFromParameter(CAttributes *)
{
}

void WDropSite::setCanvasItem(QQuickItem *)
{
}

QString WDropSite::getControlType() const
{
    return m_sControlType;
}

CControl *WDropSite::childControl() const
{
    return m_pChildControl;
}

bool WDropSite::hasChildControl() const
{
    return !m_pChildControl.isNull();
}

void WDropSite::dump() const
{
    qCDebug(lcWidgets) << "WDropSite" << m_sType << m_sTitle << m_sControlType << m_pChildControl.data();
}

// ---------------------------------------------------------------- drops

bool WDropSite::canAcceptDrop(HNode *pNode, const QString &parameterName)
{
    const CParameter *pParameter = pNode ? pNode->findParameter(parameterName) : nullptr;
    if (!pParameter)
        return false;
    if (pParameter->type() != m_sControlType) {
        DMessageBox::warning(nullptr, tr("Warning"),
                             tr("Cannot drop a ") + pParameter->type() + tr(" on a ") + m_sControlType
                                 + tr(" site."));
        return false;
    }
    if (!m_pChildControl || widgetProperty("enableDrop").toBool())
        return true;
    return DMessageBox::ask(nullptr, QMessageBox::Warning, tr("Warning"),
                            tr("There is already a control in this location.\nDo you want to overwrite?"),
                            QMessageBox::Yes | QMessageBox::No)
           != QMessageBox::No;
}

void WDropSite::setChildControl(CControl *pControl)
{
    if (!pControl) {
        deleteChild();
        m_nId = 0;
        return;
    }
    if (pControl == m_pControl)
        return;
    if (m_pChildControl && m_pChildControl != pControl)
        m_pChildControl->setDropSite(nullptr);
    setWidgetProperty("enableDrop", false);
    setWidgetProperty("enableProperties", pControl->hasSelectedWidget());
    m_nId = quint32(pControl->id());
    if (m_pControl) {
        showLabel(pControl->name());
        // Locks the held control's place in its property page.
        pControl->setDropSite(m_pControl);
    }
    m_pChildControl = pControl;
}

void WDropSite::deleteChild()
{
    if (CControl *pChild = m_pChildControl) {
        m_pChildControl = nullptr;
        pChild->setDropSite(nullptr);
        // Off the panel it is on (not necessarily the one shown), not destroyed.
        if (CComposite *pPanel = pChild->parentComposite())
            pPanel->removeChild(pChild, false);
        if (MModel *pModel = model())
            pModel->setModified(true);
    }
    setWidgetProperty("enableDrop", true);
    setWidgetProperty("enableProperties", false);
    showLabel(tr("Title"));
}

void WDropSite::showLabel(const QString &text)
{
    WWidget *pLabel = m_pControl ? m_pControl->findWidget(QStringLiteral("label")) : nullptr;
    if (pLabel)
        pLabel->setLabelText(text);
}

void WDropSite::moveBy(const QPointF &offset)
{
    WWidget::moveBy(offset);
    if (m_pChildControl)
        m_pChildControl->moveWidgetsBy(offset);
}

void WDropSite::properties()
{
    if (m_pChildControl)
        m_pChildControl->storeSelectedAttributes();
}

QString WDropSite::getToolTip(bool clear)
{
    return clear && m_pChildControl ? m_pChildControl->title() : QString();
}

// ---------------------------------------------------------------- settings

bool WDropSite::save(XmlWriter *pWriter)
{
    if (!saveStart(pWriter))
        return false;
    pWriter->writeTextElement(QStringLiteral("title"), m_sTitle);
    pWriter->writeTextElement(QStringLiteral("type"), m_sControlType);
    if (m_pChildControl)
        pWriter->writeUIntElement(QStringLiteral("child"), quint32(m_pChildControl->id()));
    pWriter->writeEndElement(m_sType);
    return true;
}

// A site keeps the fractions it was made with: it reads no fraction elements.
bool WDropSite::processElement(const QString &name, const QString &text)
{
    if (!m_pWidget)
        return false;
    if (processRect(name, text) || processIdLink(name, text))
        return true;
    if (name == QLatin1String("type")) {
        m_sControlType = text;
    } else if (name == QLatin1String("child")) {
        bool ok = false;
        const quint32 id = text.toUInt(&ok, 10);
        m_nId = ok ? id : 0;
    } else if (name == QLatin1String("title")) {
        setWidgetProperty("textFormat", int(Qt::RichText));
        setWidgetProperty("label", QStringLiteral("<i>") + text + QStringLiteral("</i>"));
        m_sTitle = text;
    } else if (name == QLatin1String("scale")) {
        setWidgetProperty("textScale", UNumbers::finiteFloat(text));
    } else {
        return false;
    }
    return true;
}
