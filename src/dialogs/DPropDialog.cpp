#include "dialogs/DPropDialog.h"

#include "commands/BEditPropCommand.h"
#include "dialogs/DChooser.h"
#include "dialogs/DPanelSelectDialog.h"
#include "model/CControl.h"
#include "widgets/WWidget.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QColor>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QSettings>

namespace {

const char kImagePathKey[] = "Path/Images";

} // namespace

DPropDialog::DPropDialog(QWidget *pParent, WWidget *pWidget)
    : QWidget(pParent)
    , m_pWidget(pWidget)
    , m_bShown(false)
{
}

DPropDialog::~DPropDialog() = default;

WWidget *DPropDialog::widget() const
{
    return m_pWidget;
}

// ---------------------------------------------------------------- values and edits

QVariant DPropDialog::propertyValue(int id) const
{
    return propertyValueOf(m_pWidget, id);
}

QVariant DPropDialog::propertyValueOf(const WWidget *pWidget, int id)
{
    if (!pWidget)
        return QString();
    return pWidget->propertyValue(WidgetPropertyId::Type(id));
}

bool DPropDialog::isGeometryEditable() const
{
    const CControl *pControl = m_pWidget ? m_pWidget->control() : nullptr;
    return pControl && !pControl->dropSite();
}

void DPropDialog::pushPropertyEdit(int id, const QVariant &value)
{
    pushPropertyEditFor(m_pWidget, id, value);
}

void DPropDialog::pushPropertyEditFor(WWidget *pWidget, int id, const QVariant &value)
{
    // A page left on show after its control went away must not reach it.
    if (!pWidget)
        return;
    auto pCommand = std::make_unique<BEditPropCommand>(BCommandMode::Undoable);
    pCommand->setControl(pWidget);
    runPropertyEdit(id, value, std::move(pCommand));
}

void DPropDialog::runPropertyEdit(int id, const QVariant &value, std::unique_ptr<BEditPropCommand> pCommand)
{
    if (!pCommand)
        return;
    pCommand->setPropertyId(id);
    pCommand->setNewValue(value);
    pCommand->prepare();
    // Filed, the processor owns it; an edit that changes nothing (a page
    // showing its stored tab, a value typed again) is dropped here, unsaved.
    if (pCommand->run(0))
        pCommand.release();
}

// ---------------------------------------------------------------- fillers

void DPropDialog::loadGeometry()
{
    const bool editable = isGeometryEditable();
    const struct
    {
        const char *name;
        int id;
    } edits[] = {
        {"m_pXPosEdit", WidgetPropertyId::XPos},
        {"m_pYPosEdit", WidgetPropertyId::YPos},
        {"m_pWidthEdit", WidgetPropertyId::Width},
        {"m_pHeightEdit", WidgetPropertyId::Height},
    };
    for (const auto &edit : edits) {
        if (auto *pEdit = field<QLineEdit>(edit.name)) {
            pEdit->setText(propertyValue(edit.id).toString());
            pEdit->setEnabled(editable);
        }
    }
}

void DPropDialog::loadAlign()
{
    if (auto *pCombo = field<QComboBox>("m_pAlignEdit"))
        pCombo->setCurrentText(propertyValue(WidgetPropertyId::Align).toString());
}

void DPropDialog::loadBorderWidth()
{
    if (auto *pCombo = field<QComboBox>("m_pBorderWidth"))
        pCombo->setCurrentText(propertyValue(WidgetPropertyId::BorderWidth).toString());
}

void DPropDialog::loadBorder()
{
    if (auto *pCheck = field<QCheckBox>("m_pBorder"))
        pCheck->setChecked(propertyValue(WidgetPropertyId::HasBorder).toBool());
}

void DPropDialog::loadColorSwatches()
{
    paintSwatch(field<QLabel>("m_pFieldColor"), propertyValue(WidgetPropertyId::FieldColor).value<QColor>());
    paintSwatch(field<QLabel>("m_pBorderColor"), propertyValue(WidgetPropertyId::BorderColor).value<QColor>());
}

void DPropDialog::applyTextOrImage(const QString &mode, QWidget *pTextField, const QList<QWidget *> &imageFields)
{
    const bool text = mode == QLatin1String("Text");
    if (pTextField)
        pTextField->setEnabled(text);
    for (QWidget *pField : imageFields) {
        if (pField)
            pField->setEnabled(!text);
    }
}

QString DPropDialog::fillTextOrImage(QComboBox *pModeEdit, QLineEdit *pTextEdit, const QList<PathField> &paths)
{
    loadGeometry();
    const QString mode = propertyValue(WidgetPropertyId::ButtonMode).toString();
    pModeEdit->setCurrentText(mode);
    loadBorder();
    pTextEdit->setText(propertyValue(WidgetPropertyId::Text).toString());
    for (const PathField &path : paths)
        path.pEdit->setText(propertyValue(path.id).toString());
    return mode;
}

void DPropDialog::paintSwatch(QLabel *pSwatch, const QColor &color)
{
    if (!pSwatch)
        return;
    pSwatch->setPalette(QPalette(color));
    pSwatch->setAutoFillBackground(true);
}

// ---------------------------------------------------------------- show handling

bool DPropDialog::takeFirstShow()
{
    if (m_bShown)
        return false;
    m_bShown = true;
    return true;
}

void DPropDialog::connectSharedFields()
{
    if (auto *pEdit = field<QLineEdit>("m_pXPosEdit"))
        connect(pEdit, &QLineEdit::editingFinished, this, &DPropDialog::xPosChanged);
    if (auto *pEdit = field<QLineEdit>("m_pYPosEdit"))
        connect(pEdit, &QLineEdit::editingFinished, this, &DPropDialog::yPosChanged);
    if (auto *pEdit = field<QLineEdit>("m_pWidthEdit"))
        connect(pEdit, &QLineEdit::editingFinished, this, &DPropDialog::widthChanged);
    if (auto *pEdit = field<QLineEdit>("m_pHeightEdit"))
        connect(pEdit, &QLineEdit::editingFinished, this, &DPropDialog::heightChanged);
    if (auto *pCombo = field<QComboBox>("m_pAlignEdit"))
        connect(pCombo, &QComboBox::currentTextChanged, this, &DPropDialog::alignChanged);
    if (auto *pCombo = field<QComboBox>("m_pBorderWidth"))
        connect(pCombo, &QComboBox::currentTextChanged, this, &DPropDialog::borderWidthChanged);
    if (auto *pCheck = field<QCheckBox>("m_pBorder"))
        connect(pCheck, &QCheckBox::stateChanged, this, &DPropDialog::borderSet);
    if (auto *pButton = field<QAbstractButton>("m_pFieldColorSet"))
        connect(pButton, &QAbstractButton::clicked, this, &DPropDialog::fieldColorSet);
    if (auto *pButton = field<QAbstractButton>("m_pBorderColorSet"))
        connect(pButton, &QAbstractButton::clicked, this, &DPropDialog::borderColorSet);
}

// ---------------------------------------------------------------- slots

void DPropDialog::pushLineEdit(int id)
{
    if (auto *pEdit = qobject_cast<QLineEdit *>(sender()))
        pushPropertyEdit(id, pEdit->text());
}

void DPropDialog::xPosChanged()
{
    pushLineEdit(WidgetPropertyId::XPos);
}

void DPropDialog::yPosChanged()
{
    pushLineEdit(WidgetPropertyId::YPos);
}

void DPropDialog::widthChanged()
{
    pushLineEdit(WidgetPropertyId::Width);
}

void DPropDialog::heightChanged()
{
    pushLineEdit(WidgetPropertyId::Height);
}

void DPropDialog::alignChanged(const QString &align)
{
    pushPropertyEdit(WidgetPropertyId::Align, align);
}

void DPropDialog::fieldColorSet()
{
    if (chooseColorFor(WidgetPropertyId::FieldColor))
        loadColorSwatches();
}

void DPropDialog::borderColorSet()
{
    if (chooseColorFor(WidgetPropertyId::BorderColor))
        loadColorSwatches();
}

void DPropDialog::borderWidthChanged(const QString &scale)
{
    // A text that is no number goes as 0, as the width's own reader takes it.
    pushPropertyEdit(WidgetPropertyId::BorderWidth, scale.toFloat());
}

void DPropDialog::borderSet(int state)
{
    if (qobject_cast<QCheckBox *>(sender()))
        pushPropertyEdit(WidgetPropertyId::HasBorder, state != 0);
}

// ---------------------------------------------------------------- choosers

bool DPropDialog::chooseColorFor(int id)
{
    if (!m_pWidget)
        return false;
    const QColor current = propertyValue(id).value<QColor>();
    const QColor chosen = DChooser::colour(this, current, tr("Select Color"));
    // Cancelled, or the colour in force: an edit would only mark the project modified.
    if (!chosen.isValid() || chosen == current)
        return false;
    pushPropertyEdit(id, chosen);
    return true;
}

QString DPropDialog::chooseImageFile(QWidget *, const QString &currentPath)
{
    QSettings settings;
    const QString folder = settings.value(QLatin1String(kImagePathKey)).toString();
    const QString chosen = DChooser::openFile(nullptr, tr("Image File"), folder,
                                              tr("Image Files (*.png *.jpg *.bmp *.jpeg *.gif)"));
    if (chosen.isEmpty())
        return currentPath;
    const int slash = chosen.lastIndexOf(QLatin1Char('/'));
    settings.setValue(QLatin1String(kImagePathKey), slash < 0 ? QString() : chosen.left(slash + 1));
    return chosen;
}

void DPropDialog::choosePanelFor(QLineEdit *pPathField)
{
    if (!m_pWidget)
        return;
    const CControl *pControl = m_pWidget->control();
    DPanelSelectDialog dialog(nullptr);
    dialog.setModel(pControl ? pControl->model() : nullptr);
    dialog.setInitialPath(propertyValue(WidgetPropertyId::LinkPath).toString());
    dialog.setRefreshOnAccept(false);
    if (!dialog.runModal() || !dialog.selectedPanel())
        return;
    pushPropertyEdit(WidgetPropertyId::LinkPath, DPanelSelectDialog::pathOf(dialog.selectedPanel()));
    if (pPathField)
        pPathField->setText(propertyValue(WidgetPropertyId::LinkPath).toString());
}

void DPropDialog::chooseImageFor(int id, QLineEdit *pPathField)
{
    if (!m_pWidget)
        return;
    const QString current = propertyValue(id).toString();
    const QString chosen = chooseImageFile(this, current);
    // The path in force (the chooser cancelled) is no edit.
    if (chosen != current)
        pushPropertyEdit(id, chosen);
    if (pPathField)
        pPathField->setText(propertyValue(id).toString());
}
