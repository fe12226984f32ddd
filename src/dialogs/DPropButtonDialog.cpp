#include "dialogs/DPropButtonDialog.h"

#include "widgets/WidgetPropertyId.h"

#include <QCoreApplication>

namespace {

// Image-set names are translated where the button keeps them, so that the
// page's texts and the button's compare equal in every language.
QString setName(const char *name)
{
    return QCoreApplication::translate("WButton", name);
}

} // namespace

DPropButtonDialog::DPropButtonDialog(QWidget *pParent, WWidget *pWidget)
    : DPropDialog(pParent, pWidget)
    , m_nCategory(0)
{
    setupUi(this);
}

DPropButtonDialog::~DPropButtonDialog() = default;

void DPropButtonDialog::showEvent(QShowEvent *pEvent)
{
    DPropDialog::showEvent(pEvent);
    if (!takeFirstShow())
        return;
    loadGeometry();
    fillImageSets();
    m_sMode = propertyValue(WidgetPropertyId::ButtonMode).toString();
    m_pModeEdit->setCurrentText(m_sMode);
    loadBorder();
    fillTexts();
    m_pImageOnEdit->setText(propertyValue(WidgetPropertyId::ImageOn).toString());
    m_pImageOffEdit->setText(propertyValue(WidgetPropertyId::ImageOff).toString());
    m_pImagePartialEdit->setText(propertyValue(WidgetPropertyId::ImagePartial).toString());
    fillChannel();
    const QString imageSet = propertyValue(WidgetPropertyId::ImageSet).toString();
    m_pImageSetComboBox->setCurrentText(imageSet);
    applyImageSet(imageSet);
    if (m_nCategory == CategoryMomentary)
        m_pMomentaryCheckBox->setChecked(propertyValue(WidgetPropertyId::ButtonAction).toInt() == ActionMomentary);
    applyMode();

    connectSharedFields();
    connect(m_pModeEdit, &QComboBox::currentTextChanged, this, &DPropButtonDialog::modeChanged);
    connect(m_pTextOnEdit, &QLineEdit::editingFinished, this, &DPropButtonDialog::textOnChanged);
    connect(m_pTextOffEdit, &QLineEdit::editingFinished, this, &DPropButtonDialog::textOffChanged);
    connect(m_pTextPartialEdit, &QLineEdit::editingFinished, this, &DPropButtonDialog::textPartialChanged);
    connect(m_pImageOnButton, &QPushButton::pressed, this, &DPropButtonDialog::imageOnPath);
    connect(m_pImageOffButton, &QPushButton::pressed, this, &DPropButtonDialog::imageOffPath);
    connect(m_pImagePartialButton, &QPushButton::pressed, this, &DPropButtonDialog::imagePartialPath);
    connect(m_pChannelSpinBox, &QSpinBox::editingFinished, this, &DPropButtonDialog::onChannelChanged);
    connect(m_pTabControl, &QTabWidget::currentChanged, this, &DPropButtonDialog::onCurrentTabChanged);
    connect(m_pMomentaryCheckBox, &QCheckBox::stateChanged, this,
            [this](int state) { onIsMomentaryCheckedChanged(state != 0); });

    // Connected already: the switch back to the stored tab pushes the unchanged index, which is dropped.
    const int tab = propertyValue(WidgetPropertyId::CurrentTab).toInt();
    if (tab >= 0 && tab < m_pTabControl->count())
        m_pTabControl->setCurrentIndex(tab);
    connect(m_pImageSetComboBox, &QComboBox::currentTextChanged, this, &DPropButtonDialog::onImageSetChanged);
}

void DPropButtonDialog::fillImageSets()
{
    m_nCategory = propertyValue(WidgetPropertyId::ImageSetCategory).toInt();
    QStringList sets;
    switch (m_nCategory) {
    case 1:
    case 4:
    case 5:
        sets = {setName("Green LED"), setName("Mute/Unmute"), setName("Red LED")};
        break;
    case 2:
        sets = {setName("Set All")};
        break;
    case 3:
        sets = {setName("Reset All")};
        break;
    case CategorySingleImage:
        sets = {setName("Setup Icon")};
        break;
    case CategoryPartial:
        sets = {setName("Connection Status Icon")};
        break;
    default:
        sets = {setName("Mute/Unmute")};
        break;
    }
    sets.append(setName("Custom"));
    m_pImageSetComboBox->addItems(sets);
}

void DPropButtonDialog::fillTexts()
{
    m_pTextOnEdit->setText(propertyValue(WidgetPropertyId::TextOn).toString());
    m_pTextOffEdit->setText(propertyValue(WidgetPropertyId::TextOff).toString());
    m_pTextPartialEdit->setText(propertyValue(WidgetPropertyId::TextPartial).toString());
    const bool single = m_nCategory == CategorySingleImage;
    const bool partial = m_nCategory == CategoryPartial;
    onTextLabel->setVisible(!single);
    m_pTextOnEdit->setVisible(!single);
    offTextLabel->setVisible(!single);
    partialTextLabel->setVisible(partial);
    m_pTextPartialEdit->setVisible(partial);
}

void DPropButtonDialog::fillChannel()
{
    const bool hasChannels = propertyValue(WidgetPropertyId::HasChannels).toBool();
    m_pChannelLabel->setVisible(hasChannels);
    m_pChannelSpinBox->setVisible(hasChannels);
    if (!hasChannels)
        return;
    m_pChannelSpinBox->setMaximum(propertyValue(WidgetPropertyId::ChannelCount).toInt());
    m_pChannelSpinBox->setValue(propertyValue(WidgetPropertyId::Channel).toInt());
}

void DPropButtonDialog::applyMode()
{
    const int textTab = m_pTabControl->indexOf(m_pTextTab);
    const int imagesTab = m_pTabControl->indexOf(m_pImagesTab);
    bool text = false;
    bool image = false;
    if (m_sMode == QLatin1String("Text")) {
        text = true;
    } else if (m_sMode == QLatin1String("Image")) {
        image = true;
    } else if (m_sMode == QLatin1String("Text+Image")) {
        text = image = true;
    } else {
        return;
    }
    m_pTabControl->setTabEnabled(textTab, text);
    m_pTabControl->setTabEnabled(imagesTab, image);
    for (QWidget *pField : {static_cast<QWidget *>(m_pTextOnEdit), static_cast<QWidget *>(m_pTextOffEdit)})
        pField->setEnabled(text);
    for (QWidget *pField : {static_cast<QWidget *>(m_pImageOnEdit), static_cast<QWidget *>(m_pImageOnButton),
                            static_cast<QWidget *>(m_pImageOffEdit), static_cast<QWidget *>(m_pImageOffButton)})
        pField->setEnabled(image);
    // The partial rows only follow once images are in play.
    if (image) {
        m_pTextPartialEdit->setEnabled(text);
        m_pImagePartialEdit->setEnabled(true);
        m_pImagePartialButton->setEnabled(true);
    }
}

void DPropButtonDialog::applyImageSet(const QString &imageSetName)
{
    const bool custom = imageSetName == setName("Custom");
    const bool single = m_nCategory == CategorySingleImage;
    const bool partial = m_nCategory == CategoryPartial;
    m_pImageOffEdit->setVisible(custom);
    m_pImageOffButton->setVisible(custom);
    for (QWidget *pField : {static_cast<QWidget *>(offImagelLabel), static_cast<QWidget *>(onImagelLabel),
                            static_cast<QWidget *>(m_pImageOnEdit), static_cast<QWidget *>(m_pImageOnButton)})
        pField->setVisible(custom && !single);
    for (QWidget *pField : {static_cast<QWidget *>(partialImageLabel), static_cast<QWidget *>(m_pImagePartialEdit),
                            static_cast<QWidget *>(m_pImagePartialButton)})
        pField->setVisible(custom && partial);
    m_pMomentaryCheckBox->setVisible(m_nCategory == CategoryMomentary);
}

// ---------------------------------------------------------------- slots

void DPropButtonDialog::modeChanged(const QString &mode)
{
    m_sMode = mode;
    pushPropertyEdit(WidgetPropertyId::ButtonMode, mode);
    applyMode();
}

void DPropButtonDialog::textOnChanged()
{
    pushPropertyEdit(WidgetPropertyId::TextOn, m_pTextOnEdit->text());
}

void DPropButtonDialog::textOffChanged()
{
    pushPropertyEdit(WidgetPropertyId::TextOff, m_pTextOffEdit->text());
}

void DPropButtonDialog::textPartialChanged()
{
    pushPropertyEdit(WidgetPropertyId::TextPartial, m_pTextPartialEdit->text());
}

void DPropButtonDialog::imageOnPath()
{
    chooseImageFor(WidgetPropertyId::ImageOn, m_pImageOnEdit);
}

void DPropButtonDialog::imageOffPath()
{
    chooseImageFor(WidgetPropertyId::ImageOff, m_pImageOffEdit);
}

void DPropButtonDialog::imagePartialPath()
{
    chooseImageFor(WidgetPropertyId::ImagePartial, m_pImagePartialEdit);
}

void DPropButtonDialog::onChannelChanged()
{
    pushPropertyEdit(WidgetPropertyId::Channel, m_pChannelSpinBox->text());
}

void DPropButtonDialog::onCurrentTabChanged(int index)
{
    pushPropertyEdit(WidgetPropertyId::CurrentTab, index);
}

void DPropButtonDialog::onImageSetChanged(const QString &imageSetName)
{
    pushPropertyEdit(WidgetPropertyId::ImageSet, imageSetName);
    applyImageSet(imageSetName);
}

void DPropButtonDialog::onIsMomentaryCheckedChanged(bool isChecked)
{
    pushPropertyEdit(WidgetPropertyId::ButtonAction, isChecked ? ActionMomentary : ActionTurnOnOrOff);
}
