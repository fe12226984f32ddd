#include "dialogs/DChooser.h"
#include "dialogs/DPropDialog.h"
#include "support/PropPageFixture.h"
#include "support/TestMain.h"
#include "support/TestSupport.h"
#include "widgets/WWidget.h"

#include <QCheckBox>
#include <QColor>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QSlider>
#include <QtTest>

// The pages of the room selector, the active-combination strip and the
// combination selector, opened by the Properties tab on a selected control
// and worked through their forms.
class TestDPropRoomCombining : public QObject
{
    Q_OBJECT

private slots:
    void cleanup();
    void pageForm_data();
    void pageForm();
    void geometryShown_data();
    void geometryShown();
    void fields_data();
    void fields();
    void opacitySliderRoundTrip_data();
    void opacitySliderRoundTrip();
    void opacityOutOfRangeShowsAtBound();
    void sideMarginWithoutNumber_data();
    void sideMarginWithoutNumber();
    void currentValueFilesNothing_data();
    void currentValueFilesNothing();
};

namespace {

const PropPageFixture::Settings kRoom = {{"x", "30"},
                                         {"y", "40"},
                                         {"polygon", "0,0 80,0 80,60 0,60 "},
                                         {"bordercolor", "#405060"},
                                         {"borderwidth", "2"},
                                         {"selectedOpacity", "0.8"},
                                         {"unselectedOpacity", "0.2"}};

const PropPageFixture::Settings kStrip = {{"y", "40"},           {"height", "50"},
                                          {"color", "#102030"},  {"bordercolor", "#405060"},
                                          {"borderwidth", "2"},  {"separator", ", "},
                                          {"sideMargins", "12"}};

const PropPageFixture::Settings kSelector = {{"y", "40"}, {"height", "50"}, {"sideMargins", "12"}};

// By widget kind: "roomselector", "activeroomcombo" or "comboselector".
WWidget *addControl(PropPageFixture &fx, const QString &kind, PropPageFixture::Settings extra = {})
{
    if (kind == QLatin1String("roomselector"))
        return fx.addWidget(QStringLiteral("RoomSelector"), kind, kRoom + extra);
    if (kind == QLatin1String("activeroomcombo"))
        return fx.addWidget(QStringLiteral("ActiveRoomCombo"), kind, kStrip + extra);
    return fx.addWidget(QStringLiteral("ComboSelector"), kind, kSelector + extra);
}

const char kMarginTip[] = "The Active Combination Control automatically adjusts to the width of the canvas.\n"
                          "This is used to adjust how much room is left on the sides.";

} // namespace

void TestDPropRoomCombining::cleanup()
{
    DChooser::setResponder({});
}

void TestDPropRoomCombining::pageForm_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("pageClass");
    QTest::addColumn<int>("height");
    QTest::addColumn<int>("minHeight");
    QTest::addColumn<int>("maxHeight");
    QTest::addColumn<QStringList>("borderWidths"); // empty: no border width field
    QTest::newRow("room selector") << "roomselector" << "DPropRoomSelectDialog" << 280 << 170 << 280
                                   << QStringList({"0.25", "0.5", "1", "2", "3", "4"});
    QTest::newRow("active combination") << "activeroomcombo" << "DPropActiveRoomComboDialog" << 276 << 170 << 300
                                        << QStringList({"0", "0.5", "1", "2", "3", "4"});
    QTest::newRow("combination selector") << "comboselector" << "DPropComboSelectionDialog" << 170 << 170 << 300
                                          << QStringList();
}

void TestDPropRoomCombining::pageForm()
{
    QFETCH(QString, kind);
    QFETCH(QString, pageClass);
    QFETCH(int, height);
    QFETCH(int, minHeight);
    QFETCH(int, maxHeight);
    QFETCH(QStringList, borderWidths);
    PropPageFixture fx;
    WWidget *pWidget = addControl(fx, kind);
    DPropDialog *pPage = fx.open(pWidget);
    QVERIFY(pPage);
    QCOMPARE(QString::fromLatin1(pPage->metaObject()->className()), pageClass);
    QCOMPARE(pPage->widget(), pWidget);
    QCOMPARE(pPage->size(), QSize(245, height));
    QCOMPARE(pPage->minimumSize(), QSize(245, minHeight));
    QCOMPARE(pPage->maximumSize(), QSize(245, maxHeight));
    QCOMPARE(fx.field<QLineEdit>(QStringLiteral("m_pXPosEdit"))->inputMask(), QStringLiteral("#000"));
    QCOMPARE(fx.field<QLineEdit>(QStringLiteral("m_pYPosEdit"))->inputMask(), QStringLiteral("#000"));
    QCOMPARE(fx.field<QLineEdit>(QStringLiteral("m_pWidthEdit"))->inputMask(), QStringLiteral("0000"));
    QCOMPARE(fx.field<QLineEdit>(QStringLiteral("m_pHeightEdit"))->inputMask(), QStringLiteral("0000"));
    QCOMPARE(fx.shown(QStringLiteral("m_pYPosEdit")), QStringLiteral("40"));
    QCOMPARE(TestSupport::itemsOf(fx.field<QComboBox>(QStringLiteral("m_pBorderWidth"))), borderWidths);
    if (!borderWidths.isEmpty())
        QCOMPARE(fx.shown(QStringLiteral("m_pBorderWidth")), QStringLiteral("2"));
    if (auto *pSwatch = fx.field<QLabel>(QStringLiteral("m_pBorderColor")))
        QCOMPARE(pSwatch->palette().color(QPalette::Window), QColor(0x40, 0x50, 0x60));
    if (auto *pSwatch = fx.field<QLabel>(QStringLiteral("m_pTextColor")))
        QCOMPARE(pSwatch->palette().color(QPalette::Window), QColor(0x10, 0x20, 0x30));
    if (auto *pMargin = fx.field<QLineEdit>(QStringLiteral("m_pSideMarginEdit"))) {
        QCOMPARE(pMargin->inputMask(), QStringLiteral("#000"));
        QCOMPARE(pMargin->toolTip(), QString::fromUtf8(kMarginTip));
        QCOMPARE(pMargin->text(), QStringLiteral("12"));
    }
    if (auto *pSeparator = fx.field<QLineEdit>(QStringLiteral("m_pSeparatorEdit"))) {
        QVERIFY(pSeparator->inputMask().isEmpty());
        QCOMPARE(pSeparator->text(), QStringLiteral(", "));
    }
    if (auto *pSlider = fx.field<QSlider>(QStringLiteral("m_pSelectedOpacitySlider"))) {
        QCOMPARE(pSlider->minimum(), 5);
        QCOMPARE(pSlider->maximum(), 100);
        QVERIFY(!pSlider->hasTracking());
        QCOMPARE(pSlider->value(), 80);
        QCOMPARE(fx.field<QSlider>(QStringLiteral("m_pUnselectedOpacitySlider"))->value(), 20);
        QVERIFY(!fx.field<QCheckBox>(QStringLiteral("m_pShowSelectedCheckBox"))->isChecked());
    }
    QCOMPARE(fx.undoCount(), 0);
}

void TestDPropRoomCombining::geometryShown_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QStringList>("shown");
    QTest::addColumn<QStringList>("hidden");
    QTest::newRow("room selector") << "roomselector"
                                   << QStringList({"xposLabel", "m_pXPosEdit", "widthLabel", "m_pWidthEdit",
                                                   "m_pYPosEdit", "m_pHeightEdit"})
                                   << QStringList();
    QTest::newRow("active combination")
        << "activeroomcombo" << QStringList({"m_pYPosEdit", "m_pHeightEdit"})
        << QStringList({"xposLabel", "m_pXPosEdit", "widthLabel", "m_pWidthEdit"});
    QTest::newRow("combination selector")
        << "comboselector" << QStringList({"m_pYPosEdit", "m_pHeightEdit"})
        << QStringList({"xposLabel", "m_pXPosEdit", "widthLabel", "m_pWidthEdit"});
}

void TestDPropRoomCombining::geometryShown()
{
    QFETCH(QString, kind);
    QFETCH(QStringList, shown);
    QFETCH(QStringList, hidden);
    PropPageFixture fx;
    QVERIFY(fx.open(addControl(fx, kind)));
    for (const QString &name : shown) {
        QVERIFY2(fx.field<QWidget>(name), qPrintable(name));
        QVERIFY2(fx.isVisible(name), qPrintable(name));
    }
    for (const QString &name : hidden) {
        QVERIFY2(fx.field<QWidget>(name), qPrintable(name));
        QVERIFY2(!fx.isVisible(name), qPrintable(name));
    }
    // Left and entered again: still hidden.
    fx.page()->hide();
    fx.page()->show();
    for (const QString &name : hidden)
        QVERIFY2(!fx.isVisible(name), qPrintable(name));
}

void TestDPropRoomCombining::fields_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("input");
    QTest::addColumn<int>("id");
    QTest::addColumn<QString>("after");
    QTest::newRow("room x") << "roomselector" << "type" << "m_pXPosEdit" << "-10" << int(WidgetPropertyId::XPos)
                            << "-10";
    QTest::newRow("room y") << "roomselector" << "type" << "m_pYPosEdit" << "55" << int(WidgetPropertyId::YPos)
                            << "55";
    QTest::newRow("room width") << "roomselector" << "type" << "m_pWidthEdit" << "160"
                                << int(WidgetPropertyId::Width) << "160";
    QTest::newRow("room height") << "roomselector" << "type" << "m_pHeightEdit" << "90"
                                 << int(WidgetPropertyId::Height) << "90";
    QTest::newRow("room border colour") << "roomselector" << "colour" << "m_pBorderColorSet" << "#aabbcc"
                                        << int(WidgetPropertyId::BorderColor) << "#aabbcc";
    QTest::newRow("room border width") << "roomselector" << "pick" << "m_pBorderWidth" << "4"
                                       << int(WidgetPropertyId::BorderWidth) << "4";
    QTest::newRow("room preview") << "roomselector" << "tick" << "m_pShowSelectedCheckBox" << ""
                                  << int(WidgetPropertyId::ShowSelected) << "true";
    QTest::newRow("strip y") << "activeroomcombo" << "type" << "m_pYPosEdit" << "70" << int(WidgetPropertyId::YPos)
                             << "70";
    QTest::newRow("strip height") << "activeroomcombo" << "type" << "m_pHeightEdit" << "60"
                                  << int(WidgetPropertyId::Height) << "60";
    QTest::newRow("strip text colour") << "activeroomcombo" << "colour" << "m_pTextColorSet" << "#aabbcc"
                                       << int(WidgetPropertyId::TextColor) << "#aabbcc";
    QTest::newRow("strip border colour") << "activeroomcombo" << "colour" << "m_pBorderColorSet" << "#010203"
                                         << int(WidgetPropertyId::BorderColor) << "#010203";
    QTest::newRow("strip no border") << "activeroomcombo" << "pick" << "m_pBorderWidth" << "0"
                                     << int(WidgetPropertyId::BorderWidth) << "0";
    QTest::newRow("strip separator") << "activeroomcombo" << "type" << "m_pSeparatorEdit" << " / "
                                     << int(WidgetPropertyId::Separator) << " / ";
    QTest::newRow("strip side margin") << "activeroomcombo" << "type" << "m_pSideMarginEdit" << "25"
                                       << int(WidgetPropertyId::SideMargin) << "25";
    QTest::newRow("selector y") << "comboselector" << "type" << "m_pYPosEdit" << "70" << int(WidgetPropertyId::YPos)
                                << "70";
    QTest::newRow("selector height") << "comboselector" << "type" << "m_pHeightEdit" << "60"
                                     << int(WidgetPropertyId::Height) << "60";
    QTest::newRow("selector side margin") << "comboselector" << "type" << "m_pSideMarginEdit" << "8"
                                          << int(WidgetPropertyId::SideMargin) << "8";
}

void TestDPropRoomCombining::fields()
{
    QFETCH(QString, kind);
    QFETCH(QString, action);
    QFETCH(QString, field);
    QFETCH(QString, input);
    QFETCH(int, id);
    QFETCH(QString, after);
    PropPageFixture fx;
    const QString failed = fx.roundTrip(addControl(fx, kind), action, field, input, id, after);
    QVERIFY2(failed.isEmpty(), qPrintable(failed));
}

void TestDPropRoomCombining::opacitySliderRoundTrip_data()
{
    QTest::addColumn<QString>("slider");
    QTest::addColumn<int>("id");
    QTest::newRow("selected") << "m_pSelectedOpacitySlider" << int(WidgetPropertyId::SelectedOpacity);
    QTest::newRow("unselected") << "m_pUnselectedOpacitySlider" << int(WidgetPropertyId::UnselectedOpacity);
}

void TestDPropRoomCombining::opacitySliderRoundTrip()
{
    QFETCH(QString, slider);
    QFETCH(int, id);
    PropPageFixture fx;
    WWidget *pRoom = addControl(fx, QStringLiteral("roomselector"),
                                {{QStringLiteral("selectedOpacity"), QStringLiteral("0.3")},
                                 {QStringLiteral("unselectedOpacity"), QStringLiteral("0.3")}});
    QVERIFY(fx.open(pRoom));
    int filed = 0;
    for (int value = 5; value <= 100; ++value) {
        if (value == 30)
            continue;
        // A keyboard step or a released handle lands here; every edit shows a fresh page.
        fx.field<QSlider>(slider)->setValue(value);
        ++filed;
        QCOMPARE(fx.undoCount(), filed);
        // Kept in single precision.
        QCOMPARE(pRoom->propertyValue(WidgetPropertyId::Type(id)).toFloat(), float(value / 100.0));
        QCOMPARE(fx.field<QSlider>(slider)->value(), value);
    }
    fx.undo();
    QCOMPARE(fx.field<QSlider>(slider)->value(), 99);
}

void TestDPropRoomCombining::opacityOutOfRangeShowsAtBound()
{
    PropPageFixture fx;
    WWidget *pRoom = addControl(fx, QStringLiteral("roomselector"),
                                {{QStringLiteral("selectedOpacity"), QStringLiteral("0.01")},
                                 {QStringLiteral("unselectedOpacity"), QStringLiteral("1.5")}});
    QVERIFY(fx.open(pRoom));
    QCOMPARE(fx.field<QSlider>(QStringLiteral("m_pSelectedOpacitySlider"))->value(), 5);
    QCOMPARE(fx.field<QSlider>(QStringLiteral("m_pUnselectedOpacitySlider"))->value(), 100);
    QCOMPARE(fx.undoCount(), 0);
    QCOMPARE(pRoom->propertyValue(WidgetPropertyId::SelectedOpacity).toFloat(), 0.01f);
    QCOMPARE(pRoom->propertyValue(WidgetPropertyId::UnselectedOpacity).toFloat(), 1.5f);
}

void TestDPropRoomCombining::sideMarginWithoutNumber_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("typed");
    QTest::newRow("strip, empty") << "activeroomcombo" << "";
    QTest::newRow("strip, sign alone") << "activeroomcombo" << "-";
    QTest::newRow("selector, empty") << "comboselector" << "";
    QTest::newRow("selector, sign alone") << "comboselector" << "-";
}

void TestDPropRoomCombining::sideMarginWithoutNumber()
{
    QFETCH(QString, kind);
    QFETCH(QString, typed);
    PropPageFixture fx;
    WWidget *pWidget = addControl(fx, kind);
    QVERIFY(fx.open(pWidget));
    QVERIFY(fx.type(QStringLiteral("m_pSideMarginEdit"), typed));
    QCOMPARE(fx.undoCount(), 1);
    QCOMPARE(pWidget->propertyValue(WidgetPropertyId::SideMargin).toInt(), 0);
    QCOMPARE(fx.shown(QStringLiteral("m_pSideMarginEdit")), QStringLiteral("0"));
}

void TestDPropRoomCombining::currentValueFilesNothing_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("input");
    QTest::newRow("room y") << "roomselector" << "type" << "m_pYPosEdit" << "40";
    QTest::newRow("room border colour") << "roomselector" << "colour" << "m_pBorderColorSet" << "#405060";
    QTest::newRow("room cancelled colour") << "roomselector" << "colour" << "m_pBorderColorSet" << "";
    QTest::newRow("strip separator") << "activeroomcombo" << "type" << "m_pSeparatorEdit" << ", ";
    QTest::newRow("strip text colour") << "activeroomcombo" << "colour" << "m_pTextColorSet" << "#102030";
    QTest::newRow("strip cancelled colour") << "activeroomcombo" << "colour" << "m_pBorderColorSet" << "";
    QTest::newRow("strip height") << "activeroomcombo" << "type" << "m_pHeightEdit" << "50";
    QTest::newRow("selector y") << "comboselector" << "type" << "m_pYPosEdit" << "40";
}

void TestDPropRoomCombining::currentValueFilesNothing()
{
    QFETCH(QString, kind);
    QFETCH(QString, action);
    QFETCH(QString, field);
    QFETCH(QString, input);
    PropPageFixture fx;
    QPointer<DPropDialog> pPage = fx.open(addControl(fx, kind));
    QVERIFY(pPage);
    QVERIFY(fx.work(action, field, input));
    QCOMPARE(fx.undoCount(), 0);
    QCOMPARE(fx.page(), pPage.data());
}

VVB_TEST_MAIN(TestDPropRoomCombining)
#include "tst_dproproomcombining.moc"
