#include "dialogs/DPropActiveRoomComboDialog.h"

#include "widgets/WWidget.h"

#include <QColor>

DPropActiveRoomComboDialog::DPropActiveRoomComboDialog(QWidget *pParent, WWidget *pWidget)
    : DPropDialog(pParent, pWidget)
{
    setupUi(this);
    widthLabel->hide();
    m_pWidthEdit->hide();
    xposLabel->hide();
    m_pXPosEdit->hide();
}

DPropActiveRoomComboDialog::~DPropActiveRoomComboDialog() = default;

void DPropActiveRoomComboDialog::showEvent(QShowEvent *pEvent)
{
    DPropDialog::showEvent(pEvent);
    if (!takeFirstShow())
        return;
    loadGeometry();
    paintSwatch(m_pTextColor, propertyValue(WidgetPropertyId::TextColor).value<QColor>());
    paintSwatch(m_pBorderColor, propertyValue(WidgetPropertyId::BorderColor).value<QColor>());
    const int width = m_pBorderWidth->findText(propertyValue(WidgetPropertyId::BorderWidth).toString());
    if (width >= 0)
        m_pBorderWidth->setCurrentIndex(width);
    m_pSeparatorEdit->setText(propertyValue(WidgetPropertyId::Separator).toString());
    m_pSideMarginEdit->setText(propertyValue(WidgetPropertyId::SideMargin).toString());

    connect(m_pXPosEdit, &QLineEdit::editingFinished, this, &DPropDialog::xPosChanged);
    connect(m_pYPosEdit, &QLineEdit::editingFinished, this, &DPropDialog::yPosChanged);
    connect(m_pWidthEdit, &QLineEdit::editingFinished, this, &DPropDialog::widthChanged);
    connect(m_pHeightEdit, &QLineEdit::editingFinished, this, &DPropDialog::heightChanged);
    connect(m_pTextColorSet, &QAbstractButton::clicked, this, &DPropActiveRoomComboDialog::textColorSet);
    connect(m_pBorderWidth, &QComboBox::currentTextChanged, this, &DPropDialog::borderWidthChanged);
    connect(m_pBorderColorSet, &QAbstractButton::clicked, this, &DPropActiveRoomComboDialog::borderColorSet);
    connect(m_pSeparatorEdit, &QLineEdit::editingFinished, this, &DPropActiveRoomComboDialog::onSeparatorChanged);
    connect(m_pSideMarginEdit, &QLineEdit::editingFinished, this, &DPropActiveRoomComboDialog::onSideMarginsChanged);
}

void DPropActiveRoomComboDialog::textColorSet()
{
    if (!chooseColorFor(WidgetPropertyId::TextColor))
        return;
    paintSwatch(m_pTextColor, propertyValue(WidgetPropertyId::TextColor).value<QColor>());
    paintSwatch(m_pBorderColor, propertyValue(WidgetPropertyId::BorderColor).value<QColor>());
}

void DPropActiveRoomComboDialog::borderColorSet()
{
    if (!chooseColorFor(WidgetPropertyId::BorderColor))
        return;
    paintSwatch(m_pTextColor, propertyValue(WidgetPropertyId::TextColor).value<QColor>());
    paintSwatch(m_pBorderColor, propertyValue(WidgetPropertyId::BorderColor).value<QColor>());
}

void DPropActiveRoomComboDialog::onSeparatorChanged()
{
    pushPropertyEdit(WidgetPropertyId::Separator, m_pSeparatorEdit->text());
}

void DPropActiveRoomComboDialog::onSideMarginsChanged()
{
    pushPropertyEdit(WidgetPropertyId::SideMargin, m_pSideMarginEdit->text());
}
