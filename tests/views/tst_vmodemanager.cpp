#include "views/VModeManager.h"

#include <QQmlComponent>
#include <QQmlEngine>
#include <QtTest>

#include <memory>

#include "support/TestMain.h"

// The mode manager: registration by name, closing the modal QML object, and
// QML objects that a canvas rebuild destroys.
class TestVModeManager : public QObject
{
    Q_OBJECT

private slots:
    void cleanup();
    void instanceIsMadeOnFirstUseAndAfterDeletion();
    void registerObject_data();
    void registerObject();
    void cancelModeClosesTheModalObject();
    void cancelModeWithoutModalObjectDoesNothing();
    void destroyedObjectsReadAsNull();

private:
    // A QML object that hides itself when told to cancel, as a modal box does.
    std::unique_ptr<QObject> createModal();

    QQmlEngine m_engine;
};

void TestVModeManager::cleanup()
{
    delete VModeManager::instance();
}

std::unique_ptr<QObject> TestVModeManager::createModal()
{
    QQmlComponent component(&m_engine);
    component.setData("import QtQml 2.15\n"
                      "QtObject {\n"
                      "    property bool cancel: false\n"
                      "    property bool shown: true\n"
                      "    onCancelChanged: if (cancel) shown = false\n"
                      "}\n",
                      QUrl());
    std::unique_ptr<QObject> pObject(component.create());
    if (!pObject)
        qWarning() << component.errorString();
    return pObject;
}

void TestVModeManager::instanceIsMadeOnFirstUseAndAfterDeletion()
{
    VModeManager *pFirst = VModeManager::instance();
    QVERIFY(pFirst);
    QCOMPARE(VModeManager::instance(), pFirst);
    QCOMPARE(pFirst->canvasRoot(), nullptr);
    QCOMPARE(pFirst->modalObject(), nullptr);

    // The model deletes it at shutdown; the next model gets a fresh one.
    QObject canvas;
    pFirst->setCanvasRoot(&canvas);
    delete pFirst;
    QCOMPARE(VModeManager::instance()->canvasRoot(), nullptr);
}

void TestVModeManager::registerObject_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("known");
    QTest::addColumn<bool>("asCanvas");
    QTest::addColumn<bool>("asModal");

    QTest::newRow("QmlCanvas") << "QmlCanvas" << true << true << false;
    QTest::newRow("ModalObject") << "ModalObject" << true << false << true;
    QTest::newRow("case matters") << "qmlcanvas" << false << false << false;
    QTest::newRow("QmlView is not the manager's") << "QmlView" << false << false << false;
    QTest::newRow("empty") << "" << false << false << false;
}

void TestVModeManager::registerObject()
{
    QFETCH(QString, name);
    QFETCH(bool, known);
    QFETCH(bool, asCanvas);
    QFETCH(bool, asModal);

    VModeManager *pManager = VModeManager::instance();
    QObject object;
    QCOMPARE(pManager->registerObject(name, &object), known);
    QCOMPARE(pManager->canvasRoot(), asCanvas ? &object : nullptr);
    QCOMPARE(pManager->modalObject(), asModal ? &object : nullptr);

    // A null object unregisters; a second registration replaces the first.
    if (known) {
        QObject other;
        pManager->registerObject(name, &other);
        QCOMPARE(asCanvas ? pManager->canvasRoot() : pManager->modalObject(), &other);
        pManager->registerObject(name, nullptr);
        QCOMPARE(pManager->canvasRoot(), nullptr);
        QCOMPARE(pManager->modalObject(), nullptr);
    }
}

void TestVModeManager::cancelModeClosesTheModalObject()
{
    std::unique_ptr<QObject> pModal = createModal();
    QVERIFY(pModal);
    VModeManager::instance()->registerObject("ModalObject", pModal.get());
    VModeManager::instance()->cancelMode();
    QCOMPARE(pModal->property("cancel").toBool(), true);
    QCOMPARE(pModal->property("shown").toBool(), false);
}

void TestVModeManager::cancelModeWithoutModalObjectDoesNothing()
{
    std::unique_ptr<QObject> pCanvas = createModal();
    QVERIFY(pCanvas);
    VModeManager::instance()->registerObject("QmlCanvas", pCanvas.get());
    VModeManager::instance()->cancelMode();
    QCOMPARE(pCanvas->property("cancel").toBool(), false);
    QCOMPARE(pCanvas->property("shown").toBool(), true);
}

void TestVModeManager::destroyedObjectsReadAsNull()
{
    // Every canvas rebuild destroys the QML objects that registered themselves.
    VModeManager *pManager = VModeManager::instance();
    std::unique_ptr<QObject> pCanvas = createModal();
    std::unique_ptr<QObject> pModal = createModal();
    pManager->registerObject("QmlCanvas", pCanvas.get());
    pManager->registerObject("ModalObject", pModal.get());
    pCanvas.reset();
    pModal.reset();

    QCOMPARE(pManager->canvasRoot(), nullptr);
    QCOMPARE(pManager->modalObject(), nullptr);
    pManager->cancelMode();

    std::unique_ptr<QObject> pNewCanvas = createModal();
    pManager->registerObject("QmlCanvas", pNewCanvas.get());
    QCOMPARE(pManager->canvasRoot(), pNewCanvas.get());
}

VVB_TEST_MAIN(TestVModeManager)
#include "tst_vmodemanager.moc"
