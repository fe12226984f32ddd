#include "dialogs/DChooser.h"
#include "dialogs/DModalDialog.h"
#include "dialogs/DPropDialog.h"
#include "support/PropPageFixture.h"
#include "support/TestMain.h"
#include "widgets/WWidget.h"
#include "widgets/WidgetPropertyId.h"

#include <QColor>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QtTest>

// The region page, opened by the Properties tab on a selected region and
// worked through its form.
class TestDPropRegion : public QObject
{
    Q_OBJECT

private slots:
    void cleanup();
    void regionForm();
    void regionFields_data();
    void regionFields();
    void borderWidthWithoutItem();
    void currentValueFilesNothing_data();
    void currentValueFilesNothing();
    void pathButtonChoosesPanel();
};

namespace {

const PropPageFixture::Settings kRegion = {{"x", "50"},
                                           {"y", "60"},
                                           {"polygon", "0,0 100,0 100,40 0,40 "},
                                           {"fieldcolor", "#102030"},
                                           {"bordercolor", "#405060"},
                                           {"borderwidth", "2"},
                                           {"path", "Floor 1/Hall"}};

WWidget *addRegion(PropPageFixture &fx, const PropPageFixture::Settings &settings = kRegion)
{
    return fx.addWidget(QStringLiteral("Region"), QStringLiteral("region"), settings);
}

} // namespace

void TestDPropRegion::cleanup()
{
    DChooser::setResponder({});
    DModalDialog::setResponder({});
}

void TestDPropRegion::regionForm()
{
    PropPageFixture fx;
    WWidget *pRegion = addRegion(fx);
    DPropDialog *pPage = fx.open(pRegion);
    QVERIFY(pPage);
    QCOMPARE(QString::fromLatin1(pPage->metaObject()->className()), QStringLiteral("DPropRegionDialog"));
    QCOMPARE(pPage->size(), QSize(245, 201));
    QCOMPARE(pPage->minimumSize(), QSize(245, 170));
    QCOMPARE(pPage->maximumSize(), QSize(245, 210));
    QCOMPARE(fx.field<QLineEdit>(QStringLiteral("m_pXPosEdit"))->inputMask(), QStringLiteral("#000"));
    QCOMPARE(fx.field<QLineEdit>(QStringLiteral("m_pHeightEdit"))->inputMask(), QStringLiteral("0000"));
    QCOMPARE(fx.shown(QStringLiteral("m_pXPosEdit")), QStringLiteral("50"));
    QCOMPARE(fx.shown(QStringLiteral("m_pWidthEdit")), QStringLiteral("100"));
    QCOMPARE(fx.shown(QStringLiteral("m_pHeightEdit")), QStringLiteral("40"));
    QCOMPARE(fx.shown(QStringLiteral("m_pBorderWidth")), QStringLiteral("2"));
    QCOMPARE(fx.field<QLabel>(QStringLiteral("m_pFieldColor"))->palette().color(QPalette::Window),
             QColor(0x10, 0x20, 0x30));
    QCOMPARE(fx.field<QLabel>(QStringLiteral("m_pBorderColor"))->palette().color(QPalette::Window),
             QColor(0x40, 0x50, 0x60));
    // The target is shown, never typed.
    QCOMPARE(fx.shown(QStringLiteral("m_pPathEdit")), pRegion->propertyValue(WidgetPropertyId::LinkPath).toString());
    QVERIFY(!fx.shown(QStringLiteral("m_pPathEdit")).isEmpty());
    QVERIFY(fx.field<QLineEdit>(QStringLiteral("m_pPathEdit"))->isReadOnly());
    QVERIFY(!fx.type(QStringLiteral("m_pPathEdit"), QStringLiteral("Other")));
    QCOMPARE(fx.undoCount(), 0);
}

void TestDPropRegion::regionFields_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("input");
    QTest::addColumn<int>("id");
    QTest::addColumn<QString>("after");
    QTest::newRow("x") << "type" << "m_pXPosEdit" << "-20" << int(WidgetPropertyId::XPos) << "-20";
    QTest::newRow("y") << "type" << "m_pYPosEdit" << "70" << int(WidgetPropertyId::YPos) << "70";
    QTest::newRow("width") << "type" << "m_pWidthEdit" << "200" << int(WidgetPropertyId::Width) << "200";
    QTest::newRow("height") << "type" << "m_pHeightEdit" << "80" << int(WidgetPropertyId::Height) << "80";
    QTest::newRow("field colour") << "colour" << "m_pFieldColorSet" << "#aabbcc" << int(WidgetPropertyId::FieldColor)
                                  << "#aabbcc";
    QTest::newRow("border colour") << "colour" << "m_pBorderColorSet" << "#010203"
                                   << int(WidgetPropertyId::BorderColor) << "#010203";
    QTest::newRow("border width") << "pick" << "m_pBorderWidth" << "3" << int(WidgetPropertyId::BorderWidth) << "3";
}

void TestDPropRegion::regionFields()
{
    QFETCH(QString, action);
    QFETCH(QString, field);
    QFETCH(QString, input);
    QFETCH(int, id);
    QFETCH(QString, after);
    PropPageFixture fx;
    const QString failed = fx.roundTrip(addRegion(fx), action, field, input, id, after);
    QVERIFY2(failed.isEmpty(), qPrintable(failed));
}

void TestDPropRegion::borderWidthWithoutItem()
{
    PropPageFixture fx;
    PropPageFixture::Settings settings = kRegion;
    settings.append({QStringLiteral("borderwidth"), QStringLiteral("1.5")});
    WWidget *pRegion = addRegion(fx, settings);
    QVERIFY(fx.open(pRegion));
    QCOMPARE(fx.shown(QStringLiteral("m_pBorderWidth")), QStringLiteral("0.25"));
    QCOMPARE(fx.undoCount(), 0);
    QCOMPARE(pRegion->propertyValue(WidgetPropertyId::BorderWidth).toDouble(), 1.5);
    QVERIFY(fx.pick(QStringLiteral("m_pBorderWidth"), QStringLiteral("3")));
    QCOMPARE(fx.undoCount(), 1);
    QCOMPARE(pRegion->propertyValue(WidgetPropertyId::BorderWidth).toDouble(), 3.0);
}

void TestDPropRegion::currentValueFilesNothing_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("input");
    QTest::newRow("y") << "type" << "m_pYPosEdit" << "60";
    QTest::newRow("width") << "type" << "m_pWidthEdit" << "100";
    QTest::newRow("field colour") << "colour" << "m_pFieldColorSet" << "#102030";
    QTest::newRow("cancelled colour") << "colour" << "m_pBorderColorSet" << "";
}

void TestDPropRegion::currentValueFilesNothing()
{
    QFETCH(QString, action);
    QFETCH(QString, field);
    QFETCH(QString, input);
    PropPageFixture fx;
    QPointer<DPropDialog> pPage = fx.open(addRegion(fx));
    QVERIFY(pPage);
    QVERIFY(fx.work(action, field, input));
    QCOMPARE(fx.undoCount(), 0);
    QCOMPARE(fx.page(), pPage.data());
}

// The target is chosen from the panel tree, one undoable edit; cancelling changes nothing.
void TestDPropRegion::pathButtonChoosesPanel()
{
    PropPageFixture fx;
    fx.addCollection(QStringLiteral("Floor 1"), {QStringLiteral("Lobby"), QStringLiteral("Hall")});
    fx.addCollection(QStringLiteral("Floor 2"), {QStringLiteral("Lobby")});
    WWidget *pRegion = addRegion(fx);
    QVERIFY(fx.open(pRegion));
    const QString before = pRegion->propertyValue(WidgetPropertyId::LinkPath).toString();
    QVERIFY(fx.choosePanel(QStringLiteral("Floor 2"), QStringLiteral("Lobby"), 0));
    QCOMPARE(fx.undoCount(), 0);
    QVERIFY(fx.choosePanel(QStringLiteral("Floor 2"), QStringLiteral("Lobby"), 1));
    QCOMPARE(pRegion->propertyValue(WidgetPropertyId::LinkPath).toString(), QStringLiteral("..\\Floor 2\\Lobby"));
    QCOMPARE(fx.shown(QStringLiteral("m_pPathEdit")), QStringLiteral("..\\Floor 2\\Lobby"));
    QCOMPARE(fx.undoCount(), 1);
    fx.undo();
    QCOMPARE(pRegion->propertyValue(WidgetPropertyId::LinkPath).toString(), before);
}

VVB_TEST_MAIN(TestDPropRegion)
#include "tst_dpropregion.moc"
