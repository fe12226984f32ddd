#include "dialogs/DModalDialog.h"
#include "dialogs/DPanelSelectDialog.h"
#include "dialogs/DPropDialog.h"
#include "model/CComposite.h"
#include "support/PropPageFixture.h"
#include "support/TestMain.h"
#include "widgets/WWidget.h"

#include <QAbstractItemModel>
#include <QComboBox>
#include <QLineEdit>
#include <QTreeView>
#include <QtTest>

// The command button, text link and panel link pages, each on its control
// on a panel of the document, opened by the Properties tab.
class TestDPropLinkDialogs : public QObject
{
    Q_OBJECT

private slots:
    void cleanup();
    void form_data();
    void form();
    void fields_data();
    void fields();
    void modeSwitchesTextAndImages_data();
    void modeSwitchesTextAndImages();
    void panelChosen_data();
    void panelChosen();
};

namespace {

using Settings = PropPageFixture::Settings;

struct Kind
{
    const char *controlType;
    const char *widgetType;
    const char *page;
    Settings settings;
};

Kind kind(const QString &name)
{
    if (name == QLatin1String("command button"))
        return {"CmdButton", "cmdbutton", "DPropCmdButtonDialog",
                {{"x", "10"}, {"y", "20"}, {"width", "80"}, {"height", "30"}, {"title", "Run"},
                 {"onimage", "file:///p/start.png"}}};
    if (name == QLatin1String("text link"))
        return {"TextLink", "textlink", "DPropTextLinkDialog",
                {{"x", "10"}, {"y", "20"}, {"width", "80"}, {"height", "30"}, {"scale", "1"}, {"text", "Next"}}};
    return {"PanelLink", "panellink", "DPropPanelLinkDialog",
            {{"x", "10"}, {"y", "20"}, {"width", "80"}, {"height", "30"}, {"text", "Go"}, {"path", "..\\Floor 1\\Hall"},
             {"imagepath", "file:///p/start.png"}}};
}

WWidget *add(PropPageFixture &fx, const QString &name)
{
    const Kind k = kind(name);
    return fx.addWidget(QLatin1String(k.controlType), QLatin1String(k.widgetType), k.settings);
}

} // namespace

void TestDPropLinkDialogs::cleanup()
{
    DModalDialog::setResponder({});
}

void TestDPropLinkDialogs::form_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QStringList>("imageFields");
    QTest::newRow("command button") << "command button" << QStringList({"m_pImageEdit"});
    QTest::newRow("text link") << "text link" << QStringList({"m_pImageOnEdit", "m_pImageOffEdit"});
    QTest::newRow("panel link") << "panel link" << QStringList({"m_pImageEdit", "m_pPathEdit"});
}

void TestDPropLinkDialogs::form()
{
    QFETCH(QString, kind);
    QFETCH(QStringList, imageFields);
    PropPageFixture fx;
    DPropDialog *pPage = fx.open(add(fx, kind));
    QVERIFY(pPage);
    QCOMPARE(QString::fromLatin1(pPage->metaObject()->className()), QLatin1String(::kind(kind).page));
    QCOMPARE(pPage->minimumSize(), QSize(245, 190));
    QCOMPARE(pPage->maximumSize(), QSize(245, 190));
    auto *pModes = fx.field<QComboBox>(QStringLiteral("m_pModeEdit"));
    QCOMPARE(pModes->count(), 2);
    QCOMPARE(pModes->itemText(0), QStringLiteral("Text"));
    QCOMPARE(pModes->itemText(1), QStringLiteral("Image"));
    QCOMPARE(fx.field<QLineEdit>(QStringLiteral("m_pYPosEdit"))->inputMask(), QStringLiteral("#000"));
    QCOMPARE(fx.field<QLineEdit>(QStringLiteral("m_pWidthEdit"))->inputMask(), QStringLiteral("0000"));
    for (const QString &name : imageFields)
        QVERIFY2(fx.field<QLineEdit>(name)->isReadOnly(), qPrintable(name));
    QCOMPARE(fx.shown(QStringLiteral("m_pModeEdit")), QStringLiteral("Text"));
    QCOMPARE(fx.shown(QStringLiteral("m_pTextEdit")), pPage->widget()->propertyValue(WidgetPropertyId::Text).toString());
    QVERIFY(!fx.shown(QStringLiteral("m_pTextEdit")).isEmpty());
    if (kind == QLatin1String("panel link"))
        QCOMPARE(fx.shown(QStringLiteral("m_pPathEdit")), QStringLiteral("..\\Floor 1\\Hall"));
    QCOMPARE(fx.undoCount(), 0);
}

void TestDPropLinkDialogs::fields_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("mode"); // picked first when not empty
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("input");
    QTest::addColumn<int>("id");
    QTest::addColumn<QString>("after");
    for (const char *k : {"command button", "text link", "panel link"}) {
        auto row = [k](const char *name) -> QTestData & { return QTest::newRow(qPrintable(QLatin1String(k) + QLatin1String(", ") + QLatin1String(name))); };
        row("x") << k << "" << "type" << "m_pXPosEdit" << "-7" << int(WidgetPropertyId::XPos) << "-7";
        row("height") << k << "" << "type" << "m_pHeightEdit" << "44" << int(WidgetPropertyId::Height) << "44";
        // A text link starts with a border, the others without.
        const bool bordered = QLatin1String(k) == QLatin1String("text link");
        row("border") << k << "" << (bordered ? "untick" : "tick") << "m_pBorder" << ""
                      << int(WidgetPropertyId::HasBorder) << (bordered ? "false" : "true");
        row("text") << k << "" << "type" << "m_pTextEdit" << "Lights" << int(WidgetPropertyId::Text) << "Lights";
        row("mode") << k << "" << "pick" << "m_pModeEdit" << "Image" << int(WidgetPropertyId::ButtonMode) << "Image";
    }
    QTest::newRow("command button, image") << "command button" << "Image" << "image" << "m_pImageButton" << "/p/c.png"
                                           << int(WidgetPropertyId::Image) << "file:///p/c.png";
    QTest::newRow("text link, on image") << "text link" << "Image" << "image" << "m_pImageOnButton" << "/p/on.png"
                                         << int(WidgetPropertyId::ImageOn) << "file:///p/on.png";
    QTest::newRow("text link, off image") << "text link" << "Image" << "image" << "m_pImageOffButton" << "/p/off.png"
                                          << int(WidgetPropertyId::ImageOff) << "file:///p/off.png";
    QTest::newRow("panel link, image") << "panel link" << "Image" << "image" << "m_pImageButton" << "/p/l.png"
                                       << int(WidgetPropertyId::Image) << "file:///p/l.png";
}

void TestDPropLinkDialogs::fields()
{
    QFETCH(QString, kind);
    QFETCH(QString, mode);
    QFETCH(QString, action);
    QFETCH(QString, field);
    QFETCH(QString, input);
    QFETCH(int, id);
    QFETCH(QString, after);
    PropPageFixture fx;
    WWidget *pWidget = add(fx, kind);
    QVERIFY(fx.open(pWidget));
    if (!mode.isEmpty())
        QVERIFY(fx.pick(QStringLiteral("m_pModeEdit"), mode));
    QCOMPARE(fx.roundTrip(pWidget, action, field, input, id, after), QString());
}

void TestDPropLinkDialogs::modeSwitchesTextAndImages_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QStringList>("imageFields");
    QTest::newRow("command button") << "command button" << QStringList({"m_pImageEdit", "m_pImageButton"});
    QTest::newRow("text link") << "text link"
                               << QStringList({"m_pImageOnEdit", "m_pImageOnButton", "m_pImageOffEdit",
                                               "m_pImageOffButton"});
    QTest::newRow("panel link") << "panel link" << QStringList({"m_pImageEdit", "m_pImageButton"});
}

void TestDPropLinkDialogs::modeSwitchesTextAndImages()
{
    QFETCH(QString, kind);
    QFETCH(QStringList, imageFields);
    PropPageFixture fx;
    QVERIFY(fx.open(add(fx, kind)));
    for (const QString &mode : {QStringLiteral("Image"), QStringLiteral("Text")}) {
        const bool text = mode == QLatin1String("Text");
        QVERIFY(fx.pick(QStringLiteral("m_pModeEdit"), mode));
        QCOMPARE(fx.isEnabled(QStringLiteral("m_pTextEdit")), text);
        for (const QString &name : imageFields)
            QVERIFY2(fx.isEnabled(name) != text, qPrintable(mode + QLatin1Char(' ') + name));
        // The target of a panel link can be chosen in either mode.
        if (kind == QLatin1String("panel link"))
            QVERIFY(fx.isEnabled(QStringLiteral("m_pPathButton")));
    }
    QCOMPARE(fx.undoCount(), 2);
}

void TestDPropLinkDialogs::panelChosen_data()
{
    QTest::addColumn<QString>("collection"); // clicked before the answer; empty: nothing clicked
    QTest::addColumn<QString>("panel");
    QTest::addColumn<int>("answer");
    QTest::addColumn<QString>("path"); // afterwards
    QTest::addColumn<int>("entries");
    QTest::newRow("other panel") << "Floor 2" << "Lobby" << 1 << "..\\Floor 2\\Lobby" << 1;
    QTest::newRow("cancelled") << "Floor 2" << "Lobby" << 0 << "..\\Floor 1\\Hall" << 0;
    QTest::newRow("the panel targeted") << "Floor 1" << "Hall" << 1 << "..\\Floor 1\\Hall" << 0;
    QTest::newRow("a collection") << "Floor 2" << "" << 1 << "..\\Floor 1\\Hall" << 0;
}

void TestDPropLinkDialogs::panelChosen()
{
    QFETCH(QString, collection);
    QFETCH(QString, panel);
    QFETCH(int, answer);
    QFETCH(QString, path);
    QFETCH(int, entries);
    PropPageFixture fx;
    fx.addCollection(QStringLiteral("Floor 1"), {QStringLiteral("Lobby"), QStringLiteral("Hall")});
    fx.addCollection(QStringLiteral("Floor 2"), {QStringLiteral("Lobby")});
    WWidget *pLink = add(fx, QStringLiteral("panel link"));
    QVERIFY(fx.open(pLink));
    // The link's own panel is no choice: the tab's panel is the fixture's.
    QString preselected;
    QVERIFY(fx.choosePanel(collection, panel, answer, &preselected));
    QCOMPARE(preselected, QStringLiteral("..\\Floor 1\\Hall"));
    QCOMPARE(pLink->propertyValue(WidgetPropertyId::LinkPath).toString(), path);
    QCOMPARE(fx.undoCount(), entries);
    QCOMPARE(fx.shown(QStringLiteral("m_pPathEdit")), path);
    if (entries) {
        QCOMPARE(fx.undoText(), QStringLiteral("Edit: ..\\Floor 1\\Hall"));
        fx.undo();
        QCOMPARE(pLink->propertyValue(WidgetPropertyId::LinkPath).toString(), QStringLiteral("..\\Floor 1\\Hall"));
    }
}

VVB_TEST_MAIN(TestDPropLinkDialogs)
#include "tst_dproplinkdialogs.moc"
