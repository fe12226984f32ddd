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
    if (m_pWidget && m_pWidget != pPage)
        m_pWidget->deleteLater();
    m_pWidget = pPage;
    if (pPage)
        pPage->show();
}
