#include "dialogs/DPropLevelButtonDialog.h"

#include "dialogs/DPropRange.h"
#include "widgets/WidgetPropertyId.h"

#include <QColor>

DPropLevelButtonDialog::DPropLevelButtonDialog(QWidget *pParent, WWidget *pWidget)
    : DPropDialog(pParent, pWidget)
{
    setupUi(this);
    m_pButtonTypeCombo->addItem(QStringLiteral("Triangular Buttons"));
    m_pButtonTypeCombo->addItem(QStringLiteral("Circular Buttons"));
}

DPropLevelButtonDialog::~DPropLevelButtonDialog() = default;

void DPropLevelButtonDialog::showEvent(QShowEvent *pEvent)
{
    DPropDialog::showEvent(pEvent);
    if (!takeFirstShow())
        return;
    loadGeometry();
    DPropRange::load(this, m_pMinEdit, m_pMaxEdit, m_pUnitsEdit);
    paintSwatch(m_pKnobColor, propertyValue(WidgetPropertyId::KnobColor).value<QColor>());
    m_pLabelEdit->setText(propertyValue(WidgetPropertyId::Text).toString());
    loadBorder();
    m_pButtonTypeCombo->setCurrentIndex(propertyValue(WidgetPropertyId::LevelButtonType).toInt());

    connectSharedFields();
    DPropRange::connectFields(this);
    connect(m_pLabelEdit, &QLineEdit::editingFinished, this, &DPropLevelButtonDialog::labelChanged);
    connect(m_pButtonTypeCombo, qOverload<int>(&QComboBox::currentIndexChanged), this,
            &DPropLevelButtonDialog::onButtonTypeSelectionChanged);
}

void DPropLevelButtonDialog::minimumChanged()
{
    DPropRange::submit(this, m_pMinEdit, true);
}

void DPropLevelButtonDialog::maximumChanged()
{
    DPropRange::submit(this, m_pMaxEdit, false);
}

void DPropLevelButtonDialog::unitsChanged(const QString &unit)
{
    pushPropertyEdit(WidgetPropertyId::Units, unit);
}

void DPropLevelButtonDialog::knobColorSet()
{
    if (chooseColorFor(WidgetPropertyId::KnobColor))
        paintSwatch(m_pKnobColor, propertyValue(WidgetPropertyId::KnobColor).value<QColor>());
}

void DPropLevelButtonDialog::labelChanged()
{
    pushPropertyEdit(WidgetPropertyId::Text, m_pLabelEdit->text());
}

void DPropLevelButtonDialog::onButtonTypeSelectionChanged(int value)
{
    pushPropertyEdit(WidgetPropertyId::LevelButtonType, value);
}
