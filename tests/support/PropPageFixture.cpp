#include "support/PropPageFixture.h"

#include "commands/BCommand.h"
#include "commands/BCommandProcessor.h"
#include "commands/BToolSelectCommand.h"
#include "controllers/NotifyEventId.h"
#include "controllers/KMainController.h"
#include "controllers/KPropertiesController.h"
#include "controllers/KTabController.h"
#include "dialogs/DChooser.h"
#include "dialogs/DModalDialog.h"
#include "dialogs/DPanelSelectDialog.h"
#include "dialogs/DPropDialog.h"
#include "model/CComposite.h"
#include "model/MModel.h"
#include "model/CControl.h"
#include "views/VProperties.h"
#include "views/VTabBar.h"
#include "widgets/WDelegate.h"
#include "widgets/WWidget.h"

#include <QAbstractButton>
#include <QColor>
#include <QComboBox>
#include <QCoreApplication>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>
#include <QTreeView>

PropPageFixture::PropPageFixture()
    : m_pOwnFx(std::make_unique<WidgetFixture>())
    , m_fx(*m_pOwnFx)
{
    attach();
}

PropPageFixture::PropPageFixture(WidgetFixture &fx)
    : m_fx(fx)
{
    attach();
}

void PropPageFixture::attach()
{
    BCommandProcessor::instance()->clear();
    MModel *pModel = m_fx.model();
    pModel->init();
    // The model's own set-up installs a factory without QML context.
    WDelegate::instance()->setFactory(m_fx.canvas().factory());

    m_pScene = new CComposite;
    m_pScene->setNotOwner(true);
    m_pScene->setKind(QStringLiteral("Scene"));
    m_pScene->setName(QStringLiteral("COLLECTION1"));
    m_pScene->addChild(m_fx.panel());
    pModel->scenes()->addChild(m_pScene);

    // The pane as the editor lays it out: the Properties tab of the tab pane,
    // as wide as the editor makes it, with the page on show inside.
    m_pWindow = std::make_unique<QWidget>();
    m_pWindow->resize(KMainController::PaneWidth + 50, 600);
    m_pTabs = new KTabController(m_pWindow.get(), pModel);
    m_pTabs->tabBar()->setupTabs();
    auto *pTab = new QWidget;
    m_pTabs->tabBar()->addTab(pTab, QStringLiteral("Properties"));
    m_pProperties = new KPropertiesController(pTab, pModel);
    m_pProperties->initialize();
    pModel->addController(m_pProperties);
    m_pWindow->show();
    const QRect pane(QPoint(KMainController::PaneMargin, KMainController::PaneMargin),
                     QPoint(KMainController::PaneWidth - 1, 600 - KMainController::PaneMargin));
    m_pTabs->layout(pane);
}

// Commands and pages first: both refer to the widgets, never the other way round.
PropPageFixture::~PropPageFixture()
{
    BCommandProcessor::instance()->clear();
    if (m_pProperties)
        m_pProperties->propertiesView()->setWidget(nullptr);
    flush();
    if (MModel *pModel = m_fx.model()) {
        if (m_pProperties)
            pModel->removeController(m_pProperties);
        if (pModel->scenes())
            pModel->scenes()->removeChild(m_pScene, false);
    }
    m_pScene->clear();
    delete m_pScene;
    delete m_pProperties.data();
    delete m_pTabs;
    m_pWindow.reset();
    flush();
}

WWidget *PropPageFixture::addWidget(const QString &controlType, const QString &widgetType, const Settings &settings,
                                    const QString &name)
{
    CControl *pControl = m_fx.addControl(name, controlType);
    WWidget *pWidget = WidgetFixture::readWidget(pControl, widgetType, settings);
    pControl->initialize();
    pControl->attachModel(m_fx.model());
    return pWidget;
}

DPropDialog *PropPageFixture::open(WWidget *pWidget)
{
    if (pWidget) {
        pWidget->select(0);
    } else {
        if (BToolSelectCommand *pTool = model()->selectTool())
            pTool->run(1);
        model()->notifyControllers(NotifyEventId::SelectionChanged);
    }
    return page();
}

void PropPageFixture::selectAlso(WWidget *pWidget)
{
    if (pWidget)
        pWidget->select(int(Qt::ShiftModifier));
}

DPropDialog *PropPageFixture::page() const
{
    return qobject_cast<DPropDialog *>(pageWidget());
}

QWidget *PropPageFixture::pageWidget() const
{
    return m_pProperties ? m_pProperties->propertiesView()->widget() : nullptr;
}

// ---------------------------------------------------------------- the form

bool PropPageFixture::type(const QString &name, const QString &text)
{
    auto *pEdit = field<QLineEdit>(name);
    if (!pEdit || !pEdit->isEnabled() || pEdit->isReadOnly())
        return false;
    pEdit->setFocus();
    pEdit->setText(text);
    QTest::keyClick(pEdit, Qt::Key_Return);
    return true;
}

bool PropPageFixture::pick(const QString &name, const QString &text)
{
    auto *pCombo = field<QComboBox>(name);
    if (!pCombo || !pCombo->isEnabled())
        return false;
    const int index = pCombo->findText(text);
    if (index < 0)
        return false;
    pCombo->setCurrentIndex(index);
    return true;
}

bool PropPageFixture::tick(const QString &name, bool checked)
{
    auto *pButton = field<QAbstractButton>(name);
    if (!pButton || !pButton->isEnabled() || !pButton->isCheckable())
        return false;
    if (pButton->isChecked() != checked)
        QTest::mouseClick(pButton, Qt::LeftButton);
    return pButton->isChecked() == checked;
}

bool PropPageFixture::click(const QString &name)
{
    auto *pButton = field<QAbstractButton>(name);
    if (!pButton || !pButton->isEnabled())
        return false;
    QTest::mouseClick(pButton, Qt::LeftButton);
    return true;
}

bool PropPageFixture::spin(const QString &name, int value)
{
    auto *pSpin = field<QSpinBox>(name);
    if (!pSpin || !pSpin->isEnabled() || value < pSpin->minimum() || value > pSpin->maximum())
        return false;
    pSpin->setFocus();
    pSpin->setValue(value);
    QTest::keyClick(pSpin, Qt::Key_Return);
    return true;
}

bool PropPageFixture::showTab(const QString &name, int index)
{
    auto *pTabs = field<QTabWidget>(name);
    if (!pTabs || index < 0 || index >= pTabs->count())
        return false;
    pTabs->setCurrentIndex(index);
    return true;
}

bool PropPageFixture::work(const QString &action, const QString &name, const QString &input)
{
    if (action == QLatin1String("type"))
        return type(name, input);
    if (action == QLatin1String("pick"))
        return pick(name, input);
    if (action == QLatin1String("tick") || action == QLatin1String("untick"))
        return tick(name, action == QLatin1String("tick"));
    if (action == QLatin1String("click"))
        return click(name);
    if (action == QLatin1String("spin"))
        return spin(name, input.toInt());
    if (action == QLatin1String("tab"))
        return showTab(name, input.toInt());
    if (action == QLatin1String("colour")) {
        DChooser::setResponder([input](const DChooser::Request &) { return QColor(input); });
        const bool clicked = click(name);
        DChooser::setResponder({});
        return clicked;
    }
    if (action == QLatin1String("image")) {
        DChooser::setResponder([input](const DChooser::Request &) { return input; });
        const bool clicked = click(name);
        DChooser::setResponder({});
        return clicked;
    }
    return false;
}

QString PropPageFixture::roundTrip(WWidget *pWidget, const QString &action, const QString &name,
                                   const QString &input, int id, const QString &after)
{
    if (!pWidget)
        return QStringLiteral("no widget");
    if (page() == nullptr || page()->widget() != pWidget) {
        if (!open(pWidget))
            return QStringLiteral("no page");
    }
    const auto propertyId = WidgetPropertyId::Type(id);
    const QVariant before = pWidget->propertyValue(propertyId);
    const int entries = undoCount();
    if (!work(action, name, input))
        return QStringLiteral("cannot %1 %2").arg(action, name);
    const QString now = pWidget->propertyValue(propertyId).toString();
    if (now != after)
        return QStringLiteral("property reads \"%1\", not \"%2\"").arg(now, after);
    if (undoCount() != entries + 1)
        return QStringLiteral("%1 undo entries filed").arg(undoCount() - entries);
    const QString text = QStringLiteral("Edit: ") + before.toString();
    if (undoText() != text)
        return QStringLiteral("undo text \"%1\", not \"%2\"").arg(undoText(), text);
    undo();
    if (pWidget->propertyValue(propertyId) != before)
        return QStringLiteral("undo gives \"%1\", not \"%2\"")
            .arg(pWidget->propertyValue(propertyId).toString(), before.toString());
    return QString();
}

QString PropPageFixture::shown(const QString &name) const
{
    if (auto *pEdit = field<QLineEdit>(name))
        return pEdit->text();
    if (auto *pCombo = field<QComboBox>(name))
        return pCombo->currentText();
    if (auto *pSpin = field<QSpinBox>(name))
        return pSpin->text();
    if (auto *pLabel = field<QLabel>(name))
        return pLabel->text();
    return QString();
}

bool PropPageFixture::isEnabled(const QString &name) const
{
    auto *pWidget = field<QWidget>(name);
    return pWidget && pWidget->isEnabled();
}

bool PropPageFixture::isVisible(const QString &name) const
{
    auto *pWidget = field<QWidget>(name);
    return pWidget && !pWidget->isHidden();
}

// ---------------------------------------------------------------- history

int PropPageFixture::undoCount()
{
    return BCommandProcessor::instance()->undoCount();
}

int PropPageFixture::redoCount()
{
    return BCommandProcessor::instance()->redoCount();
}

QString PropPageFixture::undoText(int fromNewest)
{
    BCommandProcessor *pProcessor = BCommandProcessor::instance();
    const BCommand *pCommand = pProcessor->undoCommandAt(pProcessor->undoCount() - 1 - fromNewest);
    return pCommand ? pCommand->description() : QString();
}

void PropPageFixture::undo()
{
    BCommandProcessor::instance()->undo();
}

void PropPageFixture::redo()
{
    BCommandProcessor::instance()->redo();
}

void PropPageFixture::flush()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void PropPageFixture::addCollection(const QString &name, const QStringList &panels)
{
    auto *pCollection = new CComposite;
    pCollection->setKind(QStringLiteral("Scene"));
    pCollection->setType(QStringLiteral("Panels"));
    pCollection->setName(name);
    for (const QString &panelName : panels) {
        auto *pPanel = new CComposite;
        pPanel->setKind(QStringLiteral("Panel"));
        pPanel->setType(QStringLiteral("Controls"));
        pPanel->setName(panelName);
        pCollection->addChild(pPanel);
    }
    model()->scenes()->addChild(pCollection);
}

QModelIndex PropPageFixture::panelIndex(const QAbstractItemModel *pModel, const QString &collection,
                                        const QString &panel)
{
    const QModelIndexList found =
        pModel->match(pModel->index(0, 0), Qt::DisplayRole, panel.isEmpty() ? collection : panel, -1,
                      Qt::MatchExactly | Qt::MatchRecursive);
    for (const QModelIndex &index : found) {
        if (panel.isEmpty() || index.parent().data().toString() == collection)
            return index;
    }
    return QModelIndex();
}

bool PropPageFixture::choosePanel(const QString &collection, const QString &panel, int answer,
                                  QString *pPreselected)
{
    int runs = 0;
    DModalDialog::setResponder([&](DModalDialog *pDialog) {
        ++runs;
        auto *pSelect = qobject_cast<DPanelSelectDialog *>(pDialog);
        if (!pSelect)
            return 0;
        if (pPreselected)
            *pPreselected = DPanelSelectDialog::pathOf(pSelect->selectedPanel());
        auto *pView = pSelect->findChild<QTreeView *>(QStringLiteral("m_pTreeView"));
        const QModelIndex index = panelIndex(pView->model(), collection, panel);
        if (!index.isValid())
            return 0;
        pView->scrollTo(index);
        QTest::mouseClick(pView->viewport(), Qt::LeftButton, {}, pView->visualRect(index).center());
        return answer;
    });
    const bool clicked = click(QStringLiteral("m_pPathButton"));
    DModalDialog::setResponder({});
    return clicked && runs == 1;
}
