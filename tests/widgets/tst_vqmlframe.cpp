#include "model/CCanvas.h"
#include "model/MModel.h"
#include "model/MProject.h"
#include "support/CloseRecorder.h"
#include "support/TestMain.h"
#include "support/TestSupport.h"
#include "support/WarningCollector.h"
#include "utility/SkinFiles.h"
#include "views/VModeManager.h"
#include "widgets/MQmlInterface.h"
#include "widgets/MeterGaugeLocalization.h"
#include "widgets/VQmlFrame.h"

#include <QCloseEvent>
#include <QColor>
#include <QQmlComponent>
#include <QQmlContext>
#include <QQmlEngine>
#include <QQuickItem>
#include <QResizeEvent>
#include <QSignalSpy>
#include <QWidget>
#include <QtTest>

#include <memory>

namespace {

const char *const SetupMenuText = "About Velmora Viviza...,Project Information...,Network Status...";

// Searches the visual tree too: items a Repeater makes have no object parent.
QQuickItem *findItemBelow(QObject *pRoot, const QString &name)
{
    auto *pItem = qobject_cast<QQuickItem *>(pRoot);
    if (!pItem)
        return pRoot ? pRoot->findChild<QQuickItem *>(name) : nullptr;
    for (QQuickItem *pChild : pItem->childItems()) {
        if (pChild->objectName() == name)
            return pChild;
        if (QQuickItem *pFound = findItemBelow(pChild, name))
            return pFound;
    }
    return nullptr;
}

} // namespace

// The canvas view as the canvas controller sets it up, its QML interface and
// the canvas frame in QmlDesktop.qml: rows, boxes and menus.
class TestVQmlFrame : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void canvasLoadsWithoutWarnings();
    void contextPropertiesArePublished();
    void canvasRootIsRegistered();
    void setModelBindsViewAndInterface();
    void registerQmlTypesCanRunTheModelsInit();
    void resizeSizesTheRoot();
    void logicalDpiOfTheScreen();
    void skinValuesReachQml();
    void rowsFollowTheirPaths_data();
    void rowsFollowTheirPaths();
    void rebuildLeavesOneInterface();
    void setupMenuOpensAndCloses();
    void popupMenuPostsChosenEntry();
    void sceneMenuListsScenes();
    void receiveBoxOpensAndCloses();
    void messageBoxReportsClose();
    void passcodeBoxExitsOnlyWithPin();
    void canvasBoxesEndThroughQuit_data();
    void canvasBoxesEndThroughQuit();

private:
    // A view set up as the canvas controller does, desktop loaded, shown at 360 x 640.
    void createView(bool show = true);

    std::unique_ptr<MModel> m_pModel;
    std::unique_ptr<CCanvas> m_pCanvas;
    std::unique_ptr<VQmlFrame> m_pView;
    std::unique_ptr<WarningCollector> m_pWarnings;
};

void TestVQmlFrame::init()
{
    m_pWarnings = std::make_unique<WarningCollector>();
    m_pModel = std::make_unique<MModel>();
    m_pCanvas = std::make_unique<CCanvas>();
    m_pModel->setCanvas(m_pCanvas.get());
}

void TestVQmlFrame::cleanup()
{
    m_pView.reset();
    m_pModel.reset();
    m_pCanvas.reset();
    delete VModeManager::instance();
    MProject::setExitPin(QString());
    m_pWarnings.reset();
}

void TestVQmlFrame::createView(bool show)
{
    m_pView = std::make_unique<VQmlFrame>();
    m_pView->registerQmlTypes(false);
    m_pView->loadSetupMenu(QLatin1String(SetupMenuText));
    QVERIFY(m_pCanvas->loadDesktop(m_pView.get()));
    m_pView->setModel(m_pModel.get());
    QVERIFY(m_pView->rootObject());
    if (show) {
        m_pView->resize(360, 640);
        m_pView->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_pView.get()));
    }
}

void TestVQmlFrame::canvasLoadsWithoutWarnings()
{
    createView();
    QVERIFY(m_pView->status() == QQuickView::Ready);
    QVERIFY(m_pView->qmlInterface());
    // Both rows and the area the panels are drawn in.
    QObject *pRoot = m_pView->rootObject();
    QVERIFY(findItemBelow(pRoot, QStringLiteral("toolBar")));
    QVERIFY(findItemBelow(pRoot, QStringLiteral("statusBar")));
    QVERIFY(findItemBelow(pRoot, QStringLiteral("controlArea")));
    QCOMPARE(m_pView->qmlInterface()->qmlView(), findItemBelow(pRoot, QStringLiteral("controlArea")));
    QCoreApplication::processEvents();
    QVERIFY2(m_pWarnings->warnings().isEmpty(), qPrintable(m_pWarnings->text()));
}

void TestVQmlFrame::contextPropertiesArePublished()
{
    createView(false);
    MQmlInterface *pInterface = m_pView->qmlInterface();
    QQmlContext *pContext = m_pView->engine()->rootContext();
    QCOMPARE(pContext->contextProperty(QStringLiteral("intrf")).value<QObject *>(), pInterface);
    // The interface's own objects replace the view's.
    QCOMPARE(pContext->contextProperty(QStringLiteral("MeterGaugeLocalValue")).value<QObject *>(),
             pInterface->meterGauge());
    QCOMPARE(pContext->contextProperty(QStringLiteral("MsgBoxController")).value<QObject *>(),
             pInterface->messageBox());
    QVERIFY(m_pView->meterGauge() != pInterface->meterGauge());
    QCOMPARE(pContext->contextProperty(QStringLiteral("sceneMenuData")).toStringList(), QStringList());
    QCOMPARE(pContext->contextProperty(QStringLiteral("setupMenuData")).toStringList(),
             QString::fromLatin1(SetupMenuText).split(QLatin1Char(',')));
    // Declared by QmlInterface.qml on the interface object.
    QCOMPARE(pInterface->property("contentWidth").toInt(), 1920);
    QCOMPARE(pInterface->property("maxControlHeight").toInt(), 340);
    QCOMPARE(pInterface->property("topRow").toString(), QStringLiteral("qrc:/qml/objects/QmlToolBarObject.qml"));
    QCOMPARE(pInterface->property("bottomRow").toString(),
             QStringLiteral("qrc:/qml/objects/QmlStatusBarObject.qml"));
}

void TestVQmlFrame::canvasRootIsRegistered()
{
    createView(false);
    QObject *pRoot = m_pView->rootObject();
    QCOMPARE(VModeManager::instance()->canvasRoot(), pRoot);
    // The canvas description reads and writes the rows on that root.
    QCOMPARE(m_pCanvas->qmlProperty(QStringLiteral("topRow")),
             QStringLiteral("qrc:/qml/objects/QmlToolBarObject.qml"));
    m_pCanvas->setQmlProperty(QStringLiteral("bottomRow"), QStringLiteral("?"));
    QCOMPARE(pRoot->property("bottomRow").toString(), QStringLiteral("?"));
}

void TestVQmlFrame::setModelBindsViewAndInterface()
{
    createView(false);
    MQmlInterface *pInterface = m_pView->qmlInterface();
    QCOMPARE(m_pView->model(), m_pModel.get());
    QCOMPARE(pInterface->model(), m_pModel.get());
    QCOMPARE(pInterface->view(), m_pView.get());
    QCOMPARE(m_pModel->qmlInterface(), pInterface);
    QCOMPARE(m_pModel->qmlContext(), m_pView->engine()->rootContext());
}

void TestVQmlFrame::registerQmlTypesCanRunTheModelsInit()
{
    VQmlFrame view;
    view.setModel(m_pModel.get()); // before the interface: only stored
    QCOMPARE(m_pModel->qmlInterface(), nullptr);
    view.registerQmlTypes(false);
    QCOMPARE(m_pModel->selectTool(), nullptr);
    view.initModel();
    QVERIFY(m_pModel->selectTool());
    QVERIFY(m_pModel->rootNode());

    MModel other;
    VQmlFrame second;
    second.setModel(&other);
    second.registerQmlTypes(true);
    QVERIFY(other.selectTool());
    QVERIFY(second.qmlInterface());
    // A second call keeps the one interface.
    MQmlInterface *pInterface = second.qmlInterface();
    second.registerQmlTypes(false);
    QCOMPARE(second.qmlInterface(), pInterface);
}

void TestVQmlFrame::resizeSizesTheRoot()
{
    createView();
    QObject *pRoot = m_pView->rootObject();
    m_pView->resize(300, 500);
    QTRY_COMPARE(pRoot->property("width").toInt(), 300);
    QCOMPARE(pRoot->property("height").toInt(), 500);
    // The rows take their part of the height.
    QQuickItem *pTop = findItemBelow(pRoot, QStringLiteral("topLoader"));
    QCOMPARE(pTop->height(), qRound(500 * m_pView->qmlInterface()->property("toolBarProportion").toReal()));

    // A window cannot be made 0 x 0 here; the event is what the view acts on.
    QResizeEvent empty(QSize(0, 0), QSize(300, 500));
    QCoreApplication::sendEvent(m_pView.get(), &empty);
    QCOMPARE(pRoot->property("width").toInt(), 0);
    QCOMPARE(pRoot->property("height").toInt(), 0);
    QVERIFY2(m_pWarnings->warnings().isEmpty(), qPrintable(m_pWarnings->text()));
}

void TestVQmlFrame::logicalDpiOfTheScreen()
{
    VQmlFrame view;
    QVERIFY(view.screen());
    QCOMPARE(view.logicalDpi(), float(view.screen()->logicalDotsPerInch()));
}

// A skin is read onto the interface object; the canvas and its rows follow.
void TestVQmlFrame::skinValuesReachQml()
{
    createView();
    QObject *pRoot = m_pView->rootObject();
    QQuickItem *pToolBar = findItemBelow(pRoot, QStringLiteral("toolBar"));
    QCOMPARE(pRoot->property("color").value<QColor>(), QColor(QStringLiteral("#FFFFFF")));

    SkinFiles skins(m_pView->qmlInterface());
    QString dark = QStringLiteral("Dark");
    QVERIFY(skins.loadSkin(dark));
    QCOMPARE(pRoot->property("color").value<QColor>(), QColor(QStringLiteral("#464949")));
    QCOMPARE(pToolBar->property("color").value<QColor>(), QColor(QStringLiteral("#5D6061")));
    QString green = QStringLiteral("Green");
    QVERIFY(skins.loadSkin(green));
    QCOMPARE(m_pView->qmlInterface()->property("downArrow").toString(),
             QStringLiteral("../../images/skins/Accent/Green/arrow_down.png"));
    QVERIFY2(m_pWarnings->warnings().isEmpty(), qPrintable(m_pWarnings->text()));
}

void TestVQmlFrame::rowsFollowTheirPaths_data()
{
    QTest::addColumn<QString>("top");
    QTest::addColumn<QString>("bottom");
    QTest::addColumn<QString>("topItem");
    QTest::addColumn<QString>("bottomItem");
    QTest::newRow("standard") << "qrc:/qml/objects/QmlToolBarObject.qml"
                              << "qrc:/qml/objects/QmlStatusBarObject.qml"
                              << "toolBar" << "statusBar";
    QTest::newRow("minimum over none") << "qrc:/qml/objects/QmlMinToolBarObject.qml" << "?"
                                       << "minToolBar" << "";
    QTest::newRow("status bar on top") << "qrc:/qml/objects/QmlStatusBarObject.qml"
                                       << "qrc:/qml/objects/QmlToolBarObject.qml"
                                       << "statusBar" << "toolBar";
    QTest::newRow("none") << "?" << "?" << "" << "";
}

void TestVQmlFrame::rowsFollowTheirPaths()
{
    QFETCH(QString, top);
    QFETCH(QString, bottom);
    QFETCH(QString, topItem);
    QFETCH(QString, bottomItem);
    createView();
    QObject *pRoot = m_pView->rootObject();
    m_pCanvas->setQmlProperty(QStringLiteral("topRow"), top);
    m_pCanvas->setQmlProperty(QStringLiteral("bottomRow"), bottom);
    QMetaObject::invokeMethod(pRoot, "reloadCanvas");
    auto rowName = [&](const char *loader) {
        QObject *pItem = findItemBelow(pRoot, QLatin1String(loader))->property("item").value<QObject *>();
        return pItem ? pItem->objectName() : QString();
    };
    QCOMPARE(rowName("topLoader"), topItem);
    QCOMPARE(rowName("bottomLoader"), bottomItem);
    QCOMPARE(findItemBelow(pRoot, QStringLiteral("topLoader"))->height() > 0, !topItem.isEmpty());

    // A reset takes the interface's rows again.
    QMetaObject::invokeMethod(pRoot, "resetCanvas");
    QCOMPARE(m_pCanvas->qmlProperty(QStringLiteral("topRow")),
             QStringLiteral("qrc:/qml/objects/QmlToolBarObject.qml"));
    QCOMPARE(rowName("topLoader"), QStringLiteral("toolBar"));
    QCOMPARE(rowName("bottomLoader"), QStringLiteral("statusBar"));
    QVERIFY2(m_pWarnings->warnings().isEmpty(), qPrintable(m_pWarnings->text()));
}

// The canvas controller destroys and re-creates the view: the old interface
// goes with its view, the canvas root is the new one, and the types are not
// registered a second time.
void TestVQmlFrame::rebuildLeavesOneInterface()
{
    createView();
    QPointer<MQmlInterface> pFirst = m_pView->qmlInterface();
    QPointer<QObject> pFirstRoot = m_pView->rootObject();
    const int typeId = qmlTypeId("mqmlinterface", 1, 0, "MQmlInterface");
    QVERIFY(typeId >= 0);

    for (int round = 0; round < 2; ++round) {
        m_pView.reset();
        QVERIFY(!pFirst);
        QVERIFY(!pFirstRoot);
        QCOMPARE(VModeManager::instance()->canvasRoot(), nullptr);
        QCOMPARE(m_pModel->qmlInterface(), nullptr);
        createView();
        QCOMPARE(qmlTypeId("mqmlinterface", 1, 0, "MQmlInterface"), typeId);
        QCOMPARE(m_pModel->qmlInterface(), m_pView->qmlInterface());
        QCOMPARE(VModeManager::instance()->canvasRoot(), m_pView->rootObject());
        pFirst = m_pView->qmlInterface();
        pFirstRoot = m_pView->rootObject();
    }
    QCOMPARE(m_pView->findChildren<MQmlInterface *>().size() + (pFirst ? 1 : 0), 1);
    QVERIFY2(m_pWarnings->warnings().isEmpty(), qPrintable(m_pWarnings->text()));
}

void TestVQmlFrame::setupMenuOpensAndCloses()
{
    createView();
    QObject *pRoot = m_pView->rootObject();
    QQuickItem *pButton = findItemBelow(pRoot, QStringLiteral("setupButton"));
    QVERIFY(pButton);
    QVERIFY(pButton->width() > 0);
    QTest::mouseClick(m_pView.get(), Qt::LeftButton, Qt::NoModifier, TestSupport::centreOf(pButton));

    QPointer<QQuickItem> pMenu = findItemBelow(pRoot, QStringLiteral("popupMenu"));
    QVERIFY(pMenu);
    QVERIFY(pMenu->isVisible());
    QCOMPARE(pMenu->parentItem(), pRoot); // over the whole canvas
    QCOMPARE(pMenu->property("title").toString(), QStringLiteral("Setup"));
    QCOMPARE(pMenu->property("command").toString(), QStringLiteral("system"));
    QCOMPARE(pMenu->property("model").toStringList(), QString::fromLatin1(SetupMenuText).split(QLatin1Char(',')));
    QVERIFY(findItemBelow(pMenu, QStringLiteral("menuEntry2")));
    QCOMPARE(VModeManager::instance()->modalObject(), pMenu.data());

    // A click beside the list closes it; the menu goes away.
    QTest::mouseClick(m_pView.get(), Qt::LeftButton, Qt::NoModifier, QPoint(5, 320));
    QTRY_VERIFY(!pMenu);
    QCOMPARE(VModeManager::instance()->modalObject(), nullptr);

    // The editor closes it before a dialog of its own.
    QTest::mouseClick(m_pView.get(), Qt::LeftButton, Qt::NoModifier, TestSupport::centreOf(pButton));
    pMenu = findItemBelow(pRoot, QStringLiteral("popupMenu"));
    QVERIFY(pMenu);
    VModeManager::instance()->cancelMode();
    QTRY_VERIFY(!pMenu);
    QCOMPARE(VModeManager::instance()->modalObject(), nullptr);
    QVERIFY2(m_pWarnings->warnings().isEmpty(), qPrintable(m_pWarnings->text()));
}

void TestVQmlFrame::popupMenuPostsChosenEntry()
{
    createView();
    QQuickItem *pRoot = qobject_cast<QQuickItem *>(m_pView->rootObject());
    QQmlComponent component(m_pView->engine(), QUrl(QStringLiteral("qrc:/qml/objects/QmlPopupMenu.qml")));
    QObject *pObject = component.beginCreate(m_pView->engine()->rootContext());
    auto *pMenu = qobject_cast<QQuickItem *>(pObject);
    QVERIFY2(pMenu, qPrintable(component.errorString()));
    pMenu->setParentItem(pRoot);
    pMenu->setParent(pRoot);
    component.completeCreate();
    pMenu->setProperty("model", QStringList{QStringLiteral("Ready"), QStringLiteral("Busy")});
    pMenu->setProperty("command", QStringLiteral("statusbar"));
    QMetaObject::invokeMethod(pMenu, "open");
    QVERIFY(pMenu->isVisible());

    QSignalSpy status(m_pModel.get(), &MModel::displayMessage);
    QQuickItem *pEntry = findItemBelow(pMenu, QStringLiteral("menuEntry1"));
    QVERIFY(pEntry);
    QTRY_VERIFY(pEntry->y() > 0); // laid out with the next frame
    QTest::mouseClick(m_pView.get(), Qt::LeftButton, Qt::NoModifier, TestSupport::centreOf(pEntry));
    QCOMPARE(status.count(), 1);
    QCOMPARE(status.first().first().toString(), QStringLiteral("Busy"));
    QVERIFY(!pMenu->isVisible());
    QCOMPARE(VModeManager::instance()->modalObject(), nullptr);
    QVERIFY2(m_pWarnings->warnings().isEmpty(), qPrintable(m_pWarnings->text()));
}

void TestVQmlFrame::sceneMenuListsScenes()
{
    createView();
    m_pView->engine()->rootContext()->setContextProperty(
        QStringLiteral("sceneMenuData"), QStringList{QStringLiteral("Lobby"), QStringLiteral("Hall")});
    QObject *pRoot = m_pView->rootObject();
    QQuickItem *pSceneMenu = findItemBelow(pRoot, QStringLiteral("sceneMenu"));
    QVERIFY(pSceneMenu);
    QTest::mouseClick(m_pView.get(), Qt::LeftButton, Qt::NoModifier, TestSupport::centreOf(pSceneMenu));
    QPointer<QQuickItem> pMenu = findItemBelow(pRoot, QStringLiteral("popupMenu"));
    QVERIFY(pMenu);
    QCOMPARE(pMenu->property("command").toString(), QStringLiteral("scene"));
    QCOMPARE(pMenu->property("model").toStringList(), (QStringList{QStringLiteral("Lobby"), QStringLiteral("Hall")}));
    QQuickItem *pEntry = findItemBelow(pMenu, QStringLiteral("menuEntry1"));
    QVERIFY(pEntry);
    QTRY_VERIFY(pEntry->y() > 0); // laid out with the next frame
    QTest::mouseClick(m_pView.get(), Qt::LeftButton, Qt::NoModifier, TestSupport::centreOf(pEntry));
    QTRY_VERIFY(!pMenu);
    QVERIFY2(m_pWarnings->warnings().isEmpty(), qPrintable(m_pWarnings->text()));
}

void TestVQmlFrame::receiveBoxOpensAndCloses()
{
    createView();
    MQmlInterface *pInterface = m_pView->qmlInterface();
    QQuickItem *pBox = findItemBelow(m_pView->rootObject(), QStringLiteral("receiveBox"));
    QVERIFY(pBox);
    QVERIFY(!pBox->isVisible());
    QSignalSpy canceled(pInterface, &MQmlInterface::receiveDialogCanceled);

    // Closed by the application when the project has arrived.
    emit pInterface->showReceiveDialog();
    QVERIFY(pBox->isVisible());
    QCOMPARE(pBox->property("title").toString(), QStringLiteral("Receive Control Panel..."));
    QVERIFY(pBox->property("text").toString().startsWith(QStringLiteral("Mobile IP Address:")));
    QCOMPARE(VModeManager::instance()->modalObject(), pBox);
    emit pInterface->closeReceiveDialog();
    QVERIFY(!pBox->isVisible());
    QCOMPARE(VModeManager::instance()->modalObject(), nullptr);
    QCOMPARE(canceled.count(), 0);

    // Cancelled by the user.
    emit pInterface->showReceiveDialog();
    QQuickItem *pCancel = findItemBelow(pBox, QStringLiteral("boxButton0"));
    QVERIFY(pCancel);
    QTest::mouseClick(m_pView.get(), Qt::LeftButton, Qt::NoModifier, TestSupport::centreOf(pCancel));
    QCOMPARE(canceled.count(), 1);
    QVERIFY(!pBox->isVisible());

    // Closed by the editor before a dialog: the wait is told as well.
    emit pInterface->showReceiveDialog();
    VModeManager::instance()->cancelMode();
    QVERIFY(!pBox->isVisible());
    QCOMPARE(canceled.count(), 2);
    QVERIFY2(m_pWarnings->warnings().isEmpty(), qPrintable(m_pWarnings->text()));
}

void TestVQmlFrame::messageBoxReportsClose()
{
    createView();
    MQmlInterface *pInterface = m_pView->qmlInterface();
    QQuickItem *pBox = findItemBelow(m_pView->rootObject(), QStringLiteral("messageBox"));
    QVERIFY(pBox);
    QSignalSpy closed(pInterface, &MQmlInterface::messageDialogClosed);
    emit pInterface->showMessageDialog(QStringLiteral("Warning"), QStringLiteral("Check the link."));
    QVERIFY(pBox->isVisible());
    QCOMPARE(pBox->property("title").toString(), QStringLiteral("Warning"));
    QCOMPARE(pBox->property("text").toString(), QStringLiteral("Check the link."));
    QTest::mouseClick(m_pView.get(), Qt::LeftButton, Qt::NoModifier,
                      TestSupport::centreOf(findItemBelow(pBox, QStringLiteral("boxButton0"))));
    QCOMPARE(closed.count(), 1);
    QVERIFY(!pBox->isVisible());
}

void TestVQmlFrame::passcodeBoxExitsOnlyWithPin()
{
    CloseRecorder window;
    m_pModel->setMainWindow(&window);
    MProject::setExitPin(QStringLiteral("4711"));
    createView();
    MQmlInterface *pInterface = m_pView->qmlInterface();
    QQuickItem *pBox = findItemBelow(m_pView->rootObject(), QStringLiteral("passcodeBox"));
    QVERIFY(pBox);

    emit pInterface->showExitPasscodeDialog();
    QVERIFY(pBox->isVisible());
    pBox->setProperty("pin", QStringLiteral("1234"));
    QMetaObject::invokeMethod(pBox, "submit");
    QVERIFY(pBox->isVisible());
    QVERIFY(pBox->property("wrongPin").toBool());
    QTest::qWait(50);
    QCOMPARE(window.m_nCloses, 0);

    pBox->setProperty("pin", QStringLiteral("4711"));
    QMetaObject::invokeMethod(pBox, "submit");
    QVERIFY(!pBox->isVisible());
    QTRY_COMPARE(window.m_nCloses, 1);
    QVERIFY2(m_pWarnings->warnings().isEmpty(), qPrintable(m_pWarnings->text()));
}

void TestVQmlFrame::canvasBoxesEndThroughQuit_data()
{
    QTest::addColumn<QString>("url");
    QTest::addColumn<QString>("button");
    QTest::newRow("message") << "qrc:/qml/objects/QmlMessageDialog.qml" << "OK";
    QTest::newRow("about") << "qrc:/qml/objects/QmlAboutDialog.qml" << "";
}

// The message-box controller ends its wait on the engine's quit: the boxes
// quit on their button and on a cancel from the editor.
void TestVQmlFrame::canvasBoxesEndThroughQuit()
{
    QFETCH(QString, url);
    QFETCH(QString, button);
    createView();
    QQuickItem *pRoot = qobject_cast<QQuickItem *>(m_pView->rootObject());
    QQmlEngine *pEngine = m_pView->engine();
    QSignalSpy quit(pEngine, &QQmlEngine::quit);

    auto createBox = [&]() {
        QQmlComponent component(pEngine, QUrl(url));
        QObject *pObject = component.create(pEngine->rootContext());
        auto *pBox = qobject_cast<QQuickItem *>(pObject);
        if (!pBox)
            return pBox;
        pBox->setParentItem(pRoot);
        pBox->setParent(pRoot);
        pBox->setProperty("title", QStringLiteral("About"));
        pBox->setProperty("text", QStringLiteral("Version"));
        pBox->setProperty("button", button);
        pBox->setProperty("visible", true);
        return pBox;
    };

    QPointer<QQuickItem> pBox = createBox();
    QVERIFY(pBox);
    QCOMPARE(pBox->width(), pRoot->width());
    QTest::qWait(10);
    const QPoint click = button.isEmpty() ? QPoint(5, 5)
                                          : TestSupport::centreOf(findItemBelow(pBox, QStringLiteral("dialogButton")));
    QTest::mouseClick(m_pView.get(), Qt::LeftButton, Qt::NoModifier, click);
    QCOMPARE(quit.count(), 1);
    delete pBox.data();

    pBox = createBox();
    pBox->setProperty("cancel", true);
    QCOMPARE(quit.count(), 2);
    delete pBox.data();
}

VVB_TEST_MAIN(TestVQmlFrame)
#include "tst_vqmlframe.moc"
