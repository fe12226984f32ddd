#include "commands/BCommandProcessor.h"
#include "commands/BToolSelectCommand.h"
#include "controllers/KPropertiesController.h"
#include "dialogs/DChooser.h"
#include "dialogs/DPropDialog.h"
#include "model/CControl.h"
#include "support/ClippedTexts.h"
#include "support/PropPageFixture.h"
#include "support/TestMain.h"
#include "views/VProperties.h"
#include "widgets/WWidget.h"

#include <QApplication>
#include <QColor>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QSettings>
#include <QTabWidget>
#include <QtTest>

// The page base through the frame page, the simplest page that has every
// kind of shared field, opened by the Properties tab on a selected frame.
class TestDPropDialog : public QObject
{
    Q_OBJECT

private slots:
    void cleanup();
    void pageOfEachKind_data();
    void pageOfEachKind();
    void twoSelectedShowNoPage();
    void frameForm();
    void frameFields_data();
    void frameFields();
    void shownValueTypedAgainFilesNothing();
    void geometryLockedInADropSite();
    void borderWidthThatIsNoNumberGoesAsZero();
    void colourChooser_data();
    void colourChooser();
    void imageChooser_data();
    void imageChooser();
    void showingAgainConnectsOnce();
    void pageOfAGoneWidgetDoesNothing();
    void pageLeavesWithItsControl();
};

namespace {

const PropPageFixture::Settings kFrame = {{"x", "10"},
                                          {"y", "20"},
                                          {"width", "100"},
                                          {"height", "50"},
                                          {"fieldcolor", "#102030"},
                                          {"bordercolor", "#405060"},
                                          {"borderwidth", "2"}};

QSettings builderSettings()
{
    return QSettings(QStringLiteral("Harlo"), QStringLiteral("Velmora Viviza builder 3.0"));
}

// The application's font at that percentage of its size while alive.
struct FontScale
{
    explicit FontScale(int percent)
        : before(QApplication::font())
    {
        QFont font = before;
        font.setPointSizeF(before.pointSizeF() * percent / 100.0);
        QApplication::setFont(font);
    }
    ~FontScale() { QApplication::setFont(before); }
    const QFont before;
};

} // namespace

void TestDPropDialog::cleanup()
{
    DChooser::setResponder({});
}

void TestDPropDialog::pageOfEachKind_data()
{
    QTest::addColumn<QString>("controlType");
    QTest::addColumn<QString>("widgetType");
    QTest::addColumn<QString>("pageClass"); // empty: the kind has no page
    QTest::addColumn<int>("fontPercent");   // of the application's font size
    struct Kind
    {
        const char *row;
        const char *controlType;
        const char *widgetType;
        const char *pageClass;
    };
    const Kind kinds[] = {
        {"frame", "Frame", "frame", "DPropFrameDialog"},
        {"bounds", "Bounds", "bounds", "DPropFrameDialog"},
        {"text entry", "TextEdit", "textedit", ""},
        {"button", "Button", "button", "DPropButtonDialog"},
        {"command button", "CmdButton", "cmdbutton", "DPropCmdButtonDialog"},
        // A text link is a button, with a page of its own.
        {"text link", "TextLink", "textlink", "DPropTextLinkDialog"},
        {"panel link", "PanelLink", "panellink", "DPropPanelLinkDialog"},
        {"fader", "Slider", "slider", "DPropSliderDialog"},
        // Level buttons are a fader, with a page of their own.
        {"level buttons", "LevelButtons", "levelbutton", "DPropLevelButtonDialog"},
        {"label", "Label", "label", "DPropLabelDialog"},
        {"image", "Image", "image", "DPropImageDialog"},
        {"meter", "Meter", "meter", "DPropMeterDialog"},
        {"meter image", "MeterImage", "meterimage", "DPropMeterImageDialog"},
        {"dialer", "Dialer", "dialer", "DPropDialerDialog"},
        {"drop list", "DropList", "droplist", "DPropDropListDialog"},
        {"region", "Region", "region", "DPropRegionDialog"},
        {"room selector", "RoomSelector", "roomselector", "DPropRoomSelectDialog"},
        {"active combination", "ActiveRoomCombo", "activeroomcombo", "DPropActiveRoomComboDialog"},
        {"combination selector", "ComboSelector", "comboselector", "DPropComboSelectionDialog"},
    };
    // Desktops differ in their font; a somewhat larger one must fit as well.
    for (int percent : {100, 108}) {
        for (const Kind &kind : kinds) {
            QTest::addRow("%s, font %d%%", kind.row, percent)
                << kind.controlType << kind.widgetType << kind.pageClass << percent;
        }
    }
}

void TestDPropDialog::pageOfEachKind()
{
    QFETCH(QString, controlType);
    QFETCH(QString, widgetType);
    QFETCH(QString, pageClass);
    QFETCH(int, fontPercent);
    const FontScale font(fontPercent);
    PropPageFixture fx;
    WWidget *pWidget = fx.addWidget(controlType, widgetType, kFrame);
    QVERIFY(pWidget);
    DPropDialog *pPage = fx.open(pWidget);
    if (pageClass.isEmpty()) {
        QVERIFY(!pPage);
        return;
    }
    QVERIFY(pPage);
    QCOMPARE(QString::fromLatin1(pPage->metaObject()->className()), pageClass);
    QCOMPARE(pPage->widget(), pWidget);
    QCOMPARE(pPage->parentWidget(), fx.properties()->propertiesView());
    QVERIFY(pPage->isVisible());
    QVERIFY(!pPage->isWindow());
    // Every caption and every item of a list has room, with the fonts in use,
    // and every field lies whole inside the pane as the editor lays it out;
    // on each tab of a page that has tabs.
    const QList<QTabWidget *> tabs = pPage->findChildren<QTabWidget *>();
    QStringList faults;
    for (int index = 0; index < (tabs.isEmpty() ? 1 : tabs.first()->count()); ++index) {
        if (!tabs.isEmpty()) {
            // Only looked at: a tab the user picks would be an edit.
            const QSignalBlocker quiet(tabs.first());
            tabs.first()->setCurrentIndex(index);
        }
        faults << clippedTexts(pPage) << cutOffWidgets(pPage);
    }
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QStringLiteral("; "))));
}

void TestDPropDialog::twoSelectedShowNoPage()
{
    PropPageFixture fx;
    WWidget *pFirst = fx.addWidget(QStringLiteral("Frame"), QStringLiteral("frame"), kFrame);
    WWidget *pSecond = fx.addWidget(QStringLiteral("Frame"), QStringLiteral("frame"), kFrame, QStringLiteral("B"));
    QPointer<DPropDialog> pPage = fx.open(pFirst);
    QVERIFY(pPage);
    fx.selectAlso(pSecond);
    QVERIFY(!fx.page());
    // Off screen at once, gone with the event loop.
    QVERIFY(!pPage->isVisible());
    fx.flush();
    QVERIFY(!pPage);
}

void TestDPropDialog::frameForm()
{
    PropPageFixture fx;
    DPropDialog *pPage = fx.open(fx.addWidget(QStringLiteral("Frame"), QStringLiteral("frame"), kFrame));
    QVERIFY(pPage);
    QCOMPARE(pPage->size(), QSize(245, 170));
    QCOMPARE(pPage->minimumSize(), QSize(245, 170));
    QCOMPARE(pPage->maximumSize(), QSize(245, 170));
    QCOMPARE(fx.field<QLineEdit>(QStringLiteral("m_pXPosEdit"))->inputMask(), QStringLiteral("#000"));
    QCOMPARE(fx.field<QLineEdit>(QStringLiteral("m_pYPosEdit"))->inputMask(), QStringLiteral("#000"));
    QCOMPARE(fx.field<QLineEdit>(QStringLiteral("m_pWidthEdit"))->inputMask(), QStringLiteral("0000"));
    QCOMPARE(fx.field<QLineEdit>(QStringLiteral("m_pHeightEdit"))->inputMask(), QStringLiteral("0000"));
    auto *pWidths = fx.field<QComboBox>(QStringLiteral("m_pBorderWidth"));
    QStringList items;
    for (int i = 0; i < pWidths->count(); ++i)
        items.append(pWidths->itemText(i));
    QCOMPARE(items, QStringList({"0.25", "0.5", "1", "2", "3", "4"}));
    // Filled from the widget.
    QCOMPARE(fx.shown(QStringLiteral("m_pXPosEdit")), QStringLiteral("10"));
    QCOMPARE(fx.shown(QStringLiteral("m_pYPosEdit")), QStringLiteral("20"));
    QCOMPARE(fx.shown(QStringLiteral("m_pWidthEdit")), QStringLiteral("100"));
    QCOMPARE(fx.shown(QStringLiteral("m_pHeightEdit")), QStringLiteral("50"));
    QCOMPARE(fx.shown(QStringLiteral("m_pBorderWidth")), QStringLiteral("2"));
    auto *pField = fx.field<QLabel>(QStringLiteral("m_pFieldColor"));
    QVERIFY(pField->autoFillBackground());
    QCOMPARE(pField->palette().color(QPalette::Window), QColor(0x10, 0x20, 0x30));
    QCOMPARE(fx.field<QLabel>(QStringLiteral("m_pBorderColor"))->palette().color(QPalette::Window),
             QColor(0x40, 0x50, 0x60));
    QVERIFY(fx.isEnabled(QStringLiteral("m_pXPosEdit")));
    QCOMPARE(fx.undoCount(), 0);
}

void TestDPropDialog::frameFields_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("action"); // type, pick or colour
    QTest::addColumn<QString>("input");
    QTest::addColumn<int>("id");
    QTest::addColumn<QString>("after");
    QTest::newRow("x") << "m_pXPosEdit" << "type" << "35" << int(WidgetPropertyId::XPos) << "35";
    QTest::newRow("negative y") << "m_pYPosEdit" << "type" << "-5" << int(WidgetPropertyId::YPos) << "-5";
    QTest::newRow("width") << "m_pWidthEdit" << "type" << "240" << int(WidgetPropertyId::Width) << "240";
    QTest::newRow("height") << "m_pHeightEdit" << "type" << "75" << int(WidgetPropertyId::Height) << "75";
    QTest::newRow("border width") << "m_pBorderWidth" << "pick" << "0.25" << int(WidgetPropertyId::BorderWidth)
                                  << "0.25";
    QTest::newRow("field colour") << "m_pFieldColorSet" << "colour" << "#aabbcc" << int(WidgetPropertyId::FieldColor)
                                  << "#aabbcc";
    QTest::newRow("border colour") << "m_pBorderColorSet" << "colour" << "#010203"
                                   << int(WidgetPropertyId::BorderColor) << "#010203";
}

void TestDPropDialog::frameFields()
{
    QFETCH(QString, field);
    QFETCH(QString, action);
    QFETCH(QString, input);
    QFETCH(int, id);
    QFETCH(QString, after);
    PropPageFixture fx;
    WWidget *pFrame = fx.addWidget(QStringLiteral("Frame"), QStringLiteral("frame"), kFrame);
    QVERIFY(fx.open(pFrame));
    const QVariant before = pFrame->propertyValue(WidgetPropertyId::Type(id));

    bool worked = false;
    if (action == QLatin1String("type")) {
        worked = fx.type(field, input);
    } else if (action == QLatin1String("pick")) {
        worked = fx.pick(field, input);
    } else {
        DChooser::setResponder([&](const DChooser::Request &) { return QColor(input); });
        worked = fx.click(field);
    }
    QVERIFY(worked);
    QCOMPARE(pFrame->propertyValue(WidgetPropertyId::Type(id)).toString(), after);
    QCOMPARE(fx.undoCount(), 1);
    QCOMPARE(fx.undoText(), QStringLiteral("Edit: ") + before.toString());

    fx.undo();
    QCOMPARE(pFrame->propertyValue(WidgetPropertyId::Type(id)), before);
    QCOMPARE(fx.undoCount(), 0);
}

void TestDPropDialog::shownValueTypedAgainFilesNothing()
{
    PropPageFixture fx;
    WWidget *pFrame = fx.addWidget(QStringLiteral("Frame"), QStringLiteral("frame"), kFrame);
    QPointer<DPropDialog> pPage = fx.open(pFrame);
    fx.model()->setModified(false);
    QVERIFY(fx.type(QStringLiteral("m_pWidthEdit"), QStringLiteral("100")));
    QVERIFY(fx.type(QStringLiteral("m_pXPosEdit"), QStringLiteral("10")));
    QCOMPARE(fx.undoCount(), 0);
    // Nothing to save either.
    QVERIFY(!fx.model()->isModified());
    // Not rebuilt either.
    QCOMPARE(fx.page(), pPage.data());
}

void TestDPropDialog::geometryLockedInADropSite()
{
    PropPageFixture fx;
    WWidget *pFrame = fx.addWidget(QStringLiteral("Frame"), QStringLiteral("frame"), kFrame);
    CControl site;
    pFrame->control()->setDropSite(&site);
    QVERIFY(fx.open(pFrame));
    for (const char *name : {"m_pXPosEdit", "m_pYPosEdit", "m_pWidthEdit", "m_pHeightEdit"}) {
        QVERIFY2(!fx.isEnabled(QLatin1String(name)), name);
        QVERIFY2(!fx.shown(QLatin1String(name)).isEmpty(), name);
    }
    QVERIFY(!fx.page()->isGeometryEditable());
    pFrame->control()->setDropSite(nullptr);
    QVERIFY(fx.page()->isGeometryEditable());

    DPropDialog unbound(nullptr, nullptr);
    QVERIFY(!unbound.isGeometryEditable());
}

void TestDPropDialog::borderWidthThatIsNoNumberGoesAsZero()
{
    PropPageFixture fx;
    WWidget *pFrame = fx.addWidget(QStringLiteral("Frame"), QStringLiteral("frame"), kFrame);
    QVERIFY(fx.open(pFrame));
    fx.page()->borderWidthChanged(QStringLiteral("wide"));
    QCOMPARE(fx.undoCount(), 1);
    QCOMPARE(pFrame->propertyValue(WidgetPropertyId::BorderWidth).toDouble(), 0.0);
}

void TestDPropDialog::colourChooser_data()
{
    QTest::addColumn<QColor>("answer");
    QTest::addColumn<bool>("filed");
    QTest::newRow("new colour") << QColor(0xaa, 0xbb, 0xcc) << true;
    QTest::newRow("with alpha") << QColor(0xaa, 0xbb, 0xcc, 0x80) << true;
    QTest::newRow("cancelled") << QColor() << false;
    QTest::newRow("same colour") << QColor(0x10, 0x20, 0x30) << false;
}

void TestDPropDialog::colourChooser()
{
    QFETCH(QColor, answer);
    QFETCH(bool, filed);
    PropPageFixture fx;
    WWidget *pFrame = fx.addWidget(QStringLiteral("Frame"), QStringLiteral("frame"), kFrame);
    QVERIFY(fx.open(pFrame));
    fx.model()->setModified(false);
    QList<QColor> offered;
    QStringList titles;
    QList<QWidget *> parents;
    QList<int> kinds;
    DChooser::setResponder([&](const DChooser::Request &request) {
        kinds.append(request.kind);
        parents.append(request.pParent);
        offered.append(request.initial);
        titles.append(request.title);
        return answer;
    });
    QVERIFY(fx.click(QStringLiteral("m_pFieldColorSet")));
    QCOMPARE(offered, QList<QColor>({QColor(0x10, 0x20, 0x30)}));
    QCOMPARE(titles, QStringList({QStringLiteral("Select Color")}));
    QCOMPARE(kinds, QList<int>({DChooser::Colour}));
    QVERIFY(parents.first());
    QCOMPARE(fx.undoCount(), filed ? 1 : 0);
    // Nothing to save after a cancelled or idle choice.
    QCOMPARE(fx.model()->isModified(), filed);
    const QColor expected = filed ? answer : QColor(0x10, 0x20, 0x30);
    QCOMPARE(pFrame->propertyValue(WidgetPropertyId::FieldColor).value<QColor>(), expected);
    QCOMPARE(fx.field<QLabel>(QStringLiteral("m_pFieldColor"))->palette().color(QPalette::Window), expected);
    QCOMPARE(fx.field<QLabel>(QStringLiteral("m_pBorderColor"))->palette().color(QPalette::Window),
             QColor(0x40, 0x50, 0x60));
}

void TestDPropDialog::imageChooser_data()
{
    QTest::addColumn<QString>("stored");  // "Path/Images" before
    QTest::addColumn<QString>("answer");  // empty: cancelled
    QTest::addColumn<QString>("result");
    QTest::addColumn<QString>("storedAfter");
    QTest::newRow("picked") << "" << "/data/img/a.png" << "/data/img/a.png" << "/data/img/";
    QTest::newRow("starts in the stored folder") << "/pics/" << "/pics/b.jpg" << "/pics/b.jpg" << "/pics/";
    QTest::newRow("cancelled") << "/pics/" << "" << "/old/c.png" << "/pics/";
    QTest::newRow("no folder in the path") << "/pics/" << "d.png" << "d.png" << "";
}

void TestDPropDialog::imageChooser()
{
    QFETCH(QString, stored);
    QFETCH(QString, answer);
    QFETCH(QString, result);
    QFETCH(QString, storedAfter);
    builderSettings().setValue(QStringLiteral("Path/Images"), stored);
    QStringList asked;
    QList<int> kinds;
    DChooser::setResponder([&](const DChooser::Request &request) {
        kinds.append(request.kind);
        asked << request.title << request.start << request.filter;
        return answer;
    });
    QCOMPARE(DPropDialog::chooseImageFile(nullptr, QStringLiteral("/old/c.png")), result);
    QCOMPARE(asked, QStringList({QStringLiteral("Image File"), stored,
                                 QStringLiteral("Image Files (*.png *.jpg *.bmp *.jpeg *.gif)")}));
    QCOMPARE(kinds, QList<int>({DChooser::OpenFile}));
    QCOMPARE(builderSettings().value(QStringLiteral("Path/Images")).toString(), storedAfter);
}

void TestDPropDialog::showingAgainConnectsOnce()
{
    PropPageFixture fx;
    WWidget *pFrame = fx.addWidget(QStringLiteral("Frame"), QStringLiteral("frame"), kFrame);
    DPropDialog *pPage = fx.open(pFrame);
    QVERIFY(pPage);
    // The Project tab shown, then the Properties tab again.
    fx.properties()->propertiesView()->hide();
    fx.properties()->propertiesView()->show();
    pPage->hide();
    pPage->show();
    int asked = 0;
    DChooser::setResponder([&](const DChooser::Request &) {
        ++asked;
        return QColor(Qt::red);
    });
    QVERIFY(fx.click(QStringLiteral("m_pBorderColorSet")));
    QCOMPARE(asked, 1);
    QCOMPARE(fx.undoCount(), 1);

    // The fresh page after the edit works the same.
    QVERIFY(fx.type(QStringLiteral("m_pHeightEdit"), QStringLiteral("66")));
    QCOMPARE(fx.undoCount(), 2);
}

void TestDPropDialog::pageOfAGoneWidgetDoesNothing()
{
    PropPageFixture fx;
    WWidget *pFrame = fx.addWidget(QStringLiteral("Frame"), QStringLiteral("frame"), kFrame);
    QPointer<DPropDialog> pPage = fx.open(pFrame);
    QVERIFY(pPage);
    int asked = 0;
    DChooser::setResponder([&](const DChooser::Request &) {
        ++asked;
        return QColor(Qt::red);
    });
    // The control leaves without a word to the tab: the page stays on show.
    fx.fx().panel()->removeChild(pFrame->control(), true);
    fx.flush();
    QVERIFY(pPage);
    QVERIFY(!pPage->widget());

    QVERIFY(fx.type(QStringLiteral("m_pWidthEdit"), QStringLiteral("300")));
    QVERIFY(fx.pick(QStringLiteral("m_pBorderWidth"), QStringLiteral("4")));
    QVERIFY(fx.click(QStringLiteral("m_pFieldColorSet")));
    pPage->pushPropertyEdit(WidgetPropertyId::Height, QStringLiteral("9"));
    QCOMPARE(asked, 0);
    QCOMPARE(fx.undoCount(), 0);
    QCOMPARE(pPage->propertyValue(WidgetPropertyId::Width), QVariant(QString()));
}

void TestDPropDialog::pageLeavesWithItsControl()
{
    PropPageFixture fx;
    WWidget *pFrame = fx.addWidget(QStringLiteral("Frame"), QStringLiteral("frame"), kFrame);
    QPointer<DPropDialog> pPage = fx.open(pFrame);
    QVERIFY(pPage);
    // As a command taking a control off the panel does: out of the selection first.
    fx.model()->selectTool()->deselect(pFrame->control());
    QVERIFY(!fx.page());
    QVERIFY(!pPage->isVisible());
    fx.fx().panel()->removeChild(pFrame->control(), true);
    fx.flush();
    QVERIFY(!pPage);
}

VVB_TEST_MAIN(TestDPropDialog)
#include "tst_dpropdialog.moc"
