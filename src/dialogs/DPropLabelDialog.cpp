#include "dialogs/DPropLabelDialog.h"

#include "widgets/WWidget.h"

#include <QColor>

DPropLabelDialog::DPropLabelDialog(QWidget *pParent, WWidget *pWidget)
    : DPropDialog(pParent, pWidget)
{
    setupUi(this);
}

DPropLabelDialog::~DPropLabelDialog() = default;

void DPropLabelDialog::showEvent(QShowEvent *pEvent)
{
    DPropDialog::showEvent(pEvent);
    if (!takeFirstShow())
        return;
    loadGeometry();
    m_pLabelEdit->setText(propertyValue(WidgetPropertyId::Text).toString());
    loadAlign();
    // A scale that is no item leaves the list where it was: nothing is sent
    // until the user picks one.
    const int scale = m_pScaleEdit->findText(propertyValue(WidgetPropertyId::Scale).toString());
    if (scale >= 0)
        m_pScaleEdit->setCurrentIndex(scale);
    paintSwatch(m_pTextColor, propertyValue(WidgetPropertyId::TextColor).value<QColor>());

    connectSharedFields();
    connect(m_pLabelEdit, &QLineEdit::editingFinished, this, &DPropLabelDialog::labelChanged);
    connect(m_pScaleEdit, &QComboBox::currentTextChanged, this, &DPropLabelDialog::scaleChanged);
    connect(m_pTextColorSet, &QAbstractButton::clicked, this, &DPropLabelDialog::textColorSet);
}

void DPropLabelDialog::labelChanged()
{
    pushPropertyEdit(WidgetPropertyId::Text, m_pLabelEdit->text());
}

void DPropLabelDialog::scaleChanged(const QString &scale)
{
    pushPropertyEdit(WidgetPropertyId::Scale, scale);
}

void DPropLabelDialog::textColorSet()
{
    if (chooseColorFor(WidgetPropertyId::TextColor))
        paintSwatch(m_pTextColor, propertyValue(WidgetPropertyId::TextColor).value<QColor>());
}
