#include "support/EditorFixture.h"

#include "controllers/ActionId.h"
#include "controllers/ControllerId.h"
#include "controllers/KMainController.h"
#include "controllers/KPropertiesController.h"
#include "controllers/KQmlController.h"
#include "controllers/KTabController.h"
#include "controllers/KTreeController.h"
#include "dialogs/DChooser.h"
#include "dialogs/DMessageBox.h"
#include "dialogs/DPropDialog.h"
#include "model/CComposite.h"
#include "model/CControl.h"
#include "model/MModel.h"
#include "support/DesignFixture.h"
#include "support/DialogDriver.h"
#include "views/MainWindow.h"
#include "views/VModel.h"
#include "views/VProperties.h"
#include "views/VTabBar.h"
#include "widgets/MQmlInterface.h"
#include "widgets/WWidget.h"

#include <QAction>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QCoreApplication>
#include <QMimeData>
#include <QQuickItem>
#include <QQuickView>
#include <QSettings>
#include <QStandardItem>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTest>

namespace {

// Depth first: the first item whose text is `text`.
QStandardItem *anyItem(QStandardItem *pParent, const QString &text)
{
    for (int row = 0; row < pParent->rowCount(); ++row) {
        QStandardItem *pItem = pParent->child(row);
        if (pItem->text() == text)
            return pItem;
        if (QStandardItem *pFound = anyItem(pItem, text))
            return pFound;
    }
    return nullptr;
}

} // namespace

EditorFixture::EditorFixture(const QVariantMap &settings)
    : m_pDir(std::make_unique<QTemporaryDir>())
{
    {
        QSettings stored(QStringLiteral("Harlo"), QStringLiteral("Velmora Viviza builder 3.0"));
        stored.clear();
        for (auto it = settings.cbegin(); it != settings.cend(); ++it)
            stored.setValue(it.key(), it.value());
    }
    DMessageBox::setResponder([](const QString &, const QString &) { return 0; });
    m_pModel = std::make_unique<MModel>();
    m_pMain = new KMainController;
    m_pMain->setModel(m_pModel.get());
    m_pMain->setApplication(qApp);
    m_pModel->addController(m_pMain);
    if (QTest::qWaitForWindowExposed(m_pMain->mainWindow()) && view())
        (void)QTest::qWaitForWindowExposed(view());
    // Start-up does the same; said here, as the Edit Mode action does it.
    m_pModel->setEditMode(true);
}

EditorFixture::~EditorFixture()
{
    m_pModel.reset();
    m_pDir.reset();
    DChooser::setResponder({});
    DMessageBox::setResponder({});
}

QStandardItem *EditorFixture::controlItem(VModel *pModel, QStandardItem *pParent, const QString &text)
{
    for (int row = 0; row < pParent->rowCount(); ++row) {
        QStandardItem *pItem = pParent->child(row);
        if (pItem->text() == text) {
            std::unique_ptr<QMimeData> pData(pModel->mimeData({pItem->index()}));
            if (pData->hasFormat(pModel->dragMimeType()))
                return pItem;
        }
        if (QStandardItem *pFound = controlItem(pModel, pItem, text))
            return pFound;
    }
    return nullptr;
}

bool EditorFixture::isReady() const
{
    return m_pMain && m_pMain->mainWindow() && m_pMain->mainWindow()->isVisible() && view() && view()->isExposed()
           && panel();
}

QQuickView *EditorFixture::view() const
{
    auto *pCanvas = qobject_cast<KQmlController *>(m_pModel->findController(ControllerId::Canvas));
    return pCanvas ? pCanvas->view() : nullptr;
}

CComposite *EditorFixture::panel() const
{
    return qobject_cast<CComposite *>(m_pModel->currentPanel());
}

KPropertiesController *EditorFixture::properties() const
{
    return qobject_cast<KPropertiesController *>(m_pModel->findController(ControllerId::Properties));
}

DPropDialog *EditorFixture::page() const
{
    const KPropertiesController *pProperties = properties();
    return pProperties ? qobject_cast<DPropDialog *>(pProperties->propertiesView()->widget()) : nullptr;
}

bool EditorFixture::showPropertiesTab()
{
    auto *pTabs = qobject_cast<KTabController *>(m_pModel->findController(ControllerId::Tabs));
    QTabBar *pBar = pTabs && pTabs->tabBar() ? pTabs->tabBar()->tabBar() : nullptr;
    if (!pBar)
        return false;
    for (int i = 0; i < pBar->count(); ++i) {
        if (pBar->tabText(i) == QLatin1String("Properties")) {
            QTest::mouseClick(pBar, Qt::LeftButton, Qt::NoModifier, pBar->tabRect(i).center());
            return pBar->currentIndex() == i;
        }
    }
    return false;
}

CControl *EditorFixture::drop(const QString &text, int x, int y)
{
    const int before = panel()->childCount();
    m_pModel->qmlInterface()->dropControl(text, QStringLiteral("0"), x, y);
    return panel()->childCount() == before + 1 ? panel()->children().last() : nullptr;
}

CControl *EditorFixture::dropFromDesign(const QString &text, int x, int y)
{
    return dropFromDesign(text, x, y, DesignFixture());
}

CControl *EditorFixture::dropFromDesign(const QString &text, int x, int y, const DesignFixture &design)
{
    if (!m_bDesignLoaded) {
        const QString designPath = design.write(m_pDir->path());
        if (designPath.isEmpty())
            return nullptr;
        DChooser::setResponder([&](const DChooser::Request &) { return designPath; });
        m_pMain->action(ActionId::OpenDesign)->trigger();
        DChooser::setResponder({});
        m_bDesignLoaded = true;
    }
    auto *pTree = qobject_cast<KTreeController *>(m_pModel->findController(ControllerId::ProjectTree));
    VModel *pItems = pTree ? pTree->itemModel() : nullptr;
    // "Lobby Gain/Level": the first "Level" under the first "Lobby Gain".
    QStandardItem *pItem = pItems ? pItems->invisibleRootItem() : nullptr;
    const QStringList path = text.split(QLatin1Char('/'));
    for (int i = 0; pItem && i + 1 < path.size(); ++i)
        pItem = anyItem(pItem, path.at(i));
    pItem = pItem ? controlItem(pItems, pItem, path.last()) : nullptr;
    if (!pItem)
        return nullptr;
    std::unique_ptr<QMimeData> pData(pItems->mimeData({pItem->index()}));
    const int before = panel()->childCount();
    m_pModel->qmlInterface()->dropControl(pData->text(), QString::fromLatin1(pData->data(pItems->dragMimeType())),
                                          x, y);
    return panel()->childCount() == before + 1 ? panel()->children().last() : nullptr;
}

bool EditorFixture::setSkin(const QString &skin)
{
    int shown = 0;
    {
        const ModalAnswer answer([&](DModalDialog *pDialog) {
            ++shown;
            auto *pSkin = pDialog->findChild<QComboBox *>(QStringLiteral("m_pSkinBox"));
            auto *pBox = pDialog->findChild<QDialogButtonBox *>(QStringLiteral("m_pButtonBox"));
            if (!pSkin || !pBox || pSkin->findText(skin) < 0)
                return int(QDialog::Rejected);
            pSkin->setCurrentText(skin);
            QTest::mouseClick(pBox->button(QDialogButtonBox::Ok), Qt::LeftButton);
            return pDialog->result();
        });
        m_pMain->action(ActionId::CanvasSetup)->trigger();
    }
    return shown == 1;
}

QPoint EditorFixture::windowPoint(const WWidget *pWidget, qreal fx, qreal fy)
{
    auto *pItem = pWidget ? qobject_cast<QQuickItem *>(pWidget->widget()) : nullptr;
    if (!pItem)
        return QPoint();
    return pItem->mapToScene(QPointF(pItem->width() * fx, pItem->height() * fy)).toPoint();
}

QPoint EditorFixture::controlPoint(const CControl *pControl, qreal fx, qreal fy) const
{
    const QQuickItem *pArea = m_pModel->qmlRootItem();
    if (!pControl || !pArea)
        return QPoint();
    const QRectF bounds = pControl->bounds();
    return pArea->mapToScene(bounds.topLeft() + QPointF(bounds.width() * fx, bounds.height() * fy)).toPoint();
}

void EditorFixture::resize(CControl *pControl, const QSizeF &size)
{
    click(controlPoint(pControl, 0.5, 0.5));
    const QSizeF before = pControl->bounds().size();
    if (!qFuzzyCompare(size.width(), before.width()))
        drag(controlPoint(pControl, 1.0, 0.5), QPoint(qRound(size.width() - before.width()), 0));
    if (!qFuzzyCompare(size.height(), before.height()))
        drag(controlPoint(pControl, 0.5, 1.0), QPoint(0, qRound(size.height() - before.height())));
}

void EditorFixture::click(const QPoint &point)
{
    QTest::mouseClick(view(), Qt::LeftButton, Qt::NoModifier, point);
}

void EditorFixture::drag(const QPoint &from, const QPoint &by, int steps)
{
    QTest::mousePress(view(), Qt::LeftButton, Qt::NoModifier, from);
    for (int step = 1; step <= steps; ++step)
        QTest::mouseMove(view(), from + by * step / steps);
    QTest::mouseRelease(view(), Qt::LeftButton, Qt::NoModifier, from + by);
}
