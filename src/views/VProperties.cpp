#include "views/VProperties.h"

VProperties::VProperties(QWidget *pParent)
    : QFrame(pParent)
{
    setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    setLineWidth(1);
}

VProperties::~VProperties() = default;

void VProperties::setWidget(QWidget *pPage)
{
    if (m_pWidget && m_pWidget != pPage) {
        // Off screen at once: it may be bound to a control that just left the panel.
        m_pWidget->hide();
        m_pWidget->deleteLater();
    }
    m_pWidget = pPage;
    if (pPage)
        pPage->show();
}
