#include "model/CControl.h"
#include "support/BoundWidgetFixture.h"
#include "support/CanvasWindow.h"
#include "support/TestMain.h"
#include "widgets/WTextLink.h"

#include <QtTest>

namespace {

using Settings = WidgetFixture::Settings;

// What the template of a parameter set gives a link.
const Settings TemplateSettings{{"x", "0"}, {"y", "0"}, {"width", "90"}, {"height", "24"},
                                {"text", "?"}, {"index", "?"}, {"scale", "1"}};

FakeNode *parameterSet(const QString &label = QStringLiteral("Evening"), int index = 3)
{
    auto *pNode = new FakeNode(QStringLiteral("Presets"), label);
    pNode->setIndex(index);
    return pNode;
}

// A link bound through "bin8" to a parameter set whose protocol records.
struct TextLink : BoundWidgetFixture
{
    explicit TextLink(const Settings &settings = TemplateSettings, FakeNode *pNode = parameterSet())
        : BoundWidgetFixture(QStringLiteral("textlink"), settings, {{"transform", "bin8"}}, QStringLiteral("list"),
                             pNode)
    {
    }

    WTextLink *link() const { return qobject_cast<WTextLink *>(widget); }
    QVariant shown(const char *name) const { return widget->widgetProperty(name); }
};

} // namespace

class TestWTextLink : public QObject
{
    Q_OBJECT

private slots:
    void templateTakesTheNodesLabelAndIndex();
    void clickSendsTheIndex();
    void clickOnTheCanvasFlashesAndSends();
    void highlightFollowsTheReplies_data();
    void highlightFollowsTheReplies();
    void captionIsReadWithAndWithoutANode_data();
    void captionIsReadWithAndWithoutANode();
    void reloadRenamesAnUneditedCaption_data();
    void reloadRenamesAnUneditedCaption();
    void linkButtonModeWords_data();
    void linkButtonModeWords();
    void saveAndReopenGiveTheSameFile_data();
    void saveAndReopenGiveTheSameFile();
    void badIndexIsZero();
};

void TestWTextLink::templateTakesTheNodesLabelAndIndex()
{
    TextLink f;
    QCOMPARE(f.widget->text(), QStringLiteral("Evening"));
    QCOMPARE(f.link()->index(), 3);
    QCOMPARE(f.shown("index").toInt(), 3);
    QVERIFY(f.shown("hasText").toBool());
    QVERIFY(!f.shown("hasImage").toBool());
}

// Only the reply moves the highlight: a click changes nothing on its own.
void TestWTextLink::clickSendsTheIndex()
{
    TextLink f;
    f.link()->outputClicked();
    QCOMPARE(f.protocol.sentTexts(), QStringList{QStringLiteral("3")});
    QCOMPARE(f.protocol.sentValues().value(0), f.transform());
    QCOMPARE(f.link()->current(), -1);
    f.link()->setOutputEnabled(false);
    f.link()->outputClicked();
    QCOMPARE(f.protocol.sentTexts().size(), 1);
}

void TestWTextLink::clickOnTheCanvasFlashesAndSends()
{
    TextLink f;
    f.widget->setWidgetVisible(true);
    CanvasWindow window(f.fx.canvas());
    QVERIFY(window.isExposed());
    auto *pItem = qobject_cast<QQuickItem *>(f.widget->widget());
    QTest::mouseClick(window.window(), Qt::LeftButton, Qt::NoModifier, CanvasWindow::pointIn(pItem, 0.5, 0.5));
    QCOMPARE(f.protocol.sentTexts(), QStringList{QStringLiteral("3")});
    QVERIFY(f.shown("flash").toBool());
    QTRY_VERIFY(!f.shown("flash").toBool());
    QVERIFY(!f.shown("selected").toBool());
    f.reply(QStringLiteral("3"));
    QVERIFY(f.shown("selected").toBool());
    QVERIFY(f.fx.canvas().warnings().isEmpty());
}

void TestWTextLink::highlightFollowsTheReplies_data()
{
    QTest::addColumn<QStringList>("replies");
    QTest::addColumn<int>("current");
    QTest::addColumn<bool>("selected");

    QTest::newRow("its own index") << QStringList{"3"} << 3 << true;
    QTest::newRow("another index") << QStringList{"3", "2"} << 2 << false;
    QTest::newRow("back again") << QStringList{"2", "3"} << 3 << true;
    QTest::newRow("not a number") << QStringList{"3", "evening"} << 0 << false;
}

// No hold time: a reply right after a click is taken at once.
void TestWTextLink::highlightFollowsTheReplies()
{
    QFETCH(QStringList, replies);
    QFETCH(int, current);
    QFETCH(bool, selected);
    TextLink f;
    f.link()->outputClicked();
    for (const QString &reply : replies)
        f.reply(reply);
    QCOMPARE(f.link()->current(), current);
    QCOMPARE(f.shown("current").toInt(), current);
    QCOMPARE(f.shown("selected").toBool(), selected);
    QVERIFY(f.link()->isOutputEnabled());
    QCOMPARE(f.protocol.sentTexts().size(), 1);
}

void TestWTextLink::captionIsReadWithAndWithoutANode_data()
{
    QTest::addColumn<bool>("withNode");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<bool>("hasText");

    QTest::newRow("node label") << true << "?" << "Evening" << true;
    QTest::newRow("own text with a node") << true << "Dinner" << "Dinner" << true;
    QTest::newRow("own text without a node") << false << "Dinner" << "Dinner" << true;
    QTest::newRow("node label without a node") << false << "?" << "" << false;
}

// A caption without a node is kept, so the next save does not lose it.
void TestWTextLink::captionIsReadWithAndWithoutANode()
{
    QFETCH(bool, withNode);
    QFETCH(QString, text);
    QFETCH(QString, caption);
    QFETCH(bool, hasText);
    TextLink f({{"text", text}, {"paramidx", "4"}}, withNode ? parameterSet() : nullptr);
    QCOMPARE(f.widget->text(), caption);
    QCOMPARE(f.shown("hasText").toBool(), hasText);
    const Settings saved = WidgetFixture::saved(f.widget);
    QCOMPARE(WidgetFixture::valueOf(saved, "text"), hasText ? caption : QString());
    QCOMPARE(WidgetFixture::valueOf(saved, "paramidx"), QStringLiteral("4"));
}

void TestWTextLink::reloadRenamesAnUneditedCaption_data()
{
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("renamed");

    QTest::newRow("the label") << "Evening" << "Night";
    QTest::newRow("edited") << "Evening show" << "Evening show";
    QTest::newRow("case differs") << "evening" << "evening";
}

void TestWTextLink::reloadRenamesAnUneditedCaption()
{
    QFETCH(QString, caption);
    QFETCH(QString, renamed);
    TextLink f({{"text", caption}, {"paramidx", "3"}});
    emit f.node->labelChangedByReload(QStringLiteral("Evening"), QStringLiteral("Night"));
    QCOMPARE(f.widget->text(), renamed);
}

void TestWTextLink::linkButtonModeWords_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("readBack");

    QTest::newRow("button") << "Button" << "Button";
    QTest::newRow("blank") << "Blank" << "Blank";
    QTest::newRow("anything else") << "Round" << "Blank";
    QTest::newRow("case matters") << "button" << "Blank";
}

void TestWTextLink::linkButtonModeWords()
{
    QFETCH(QString, value);
    QFETCH(QString, readBack);
    TextLink f;
    QCOMPARE(f.link()->propertyValue(WidgetPropertyId::LinkButtonMode).toString(), QStringLiteral("Button"));
    f.link()->setPropertyValue(WidgetPropertyId::LinkButtonMode, value);
    QCOMPARE(f.link()->propertyValue(WidgetPropertyId::LinkButtonMode).toString(), readBack);
    QCOMPARE(WidgetFixture::valueOf(WidgetFixture::saved(f.widget), "buttonmode"), readBack);
    // The other ids are the button's.
    f.link()->setPropertyValue(WidgetPropertyId::Text, QStringLiteral("Late"));
    QCOMPARE(f.link()->propertyValue(WidgetPropertyId::Text).toString(), QStringLiteral("Late"));
}

void TestWTextLink::saveAndReopenGiveTheSameFile_data()
{
    QTest::addColumn<Settings>("settings");
    QTest::addColumn<bool>("withNode");

    QTest::newRow("template") << TemplateSettings << true;
    QTest::newRow("blank with images") << Settings{{"text", "Morning"},
                                                   {"paramidx", "7"},
                                                   {"buttonmode", "Blank"},
                                                   {"onimage", "led_on"},
                                                   {"offimage", "led_off"},
                                                   {"imagesize", "0.5"},
                                                   {"hasBorder", "0"}}
                                       << true;
    QTest::newRow("without a node") << Settings{{"text", "Morning"}, {"paramidx", "7"}} << false;
}

void TestWTextLink::saveAndReopenGiveTheSameFile()
{
    QFETCH(Settings, settings);
    QFETCH(bool, withNode);
    TextLink f(settings, withNode ? parameterSet() : nullptr);
    const QByteArray first = WidgetFixture::saveBytes(f.widget);
    WWidget *pCopy = f.fx.reload(f.widget);
    QVERIFY(pCopy);
    QCOMPARE(QString::fromUtf8(WidgetFixture::saveBytes(pCopy)), QString::fromUtf8(first));
    QCOMPARE(pCopy->text(), f.widget->text());
    QCOMPARE(qobject_cast<WTextLink *>(pCopy)->index(), f.link()->index());
}

void TestWTextLink::badIndexIsZero()
{
    TextLink f(Settings{{"paramidx", "three"}});
    QCOMPARE(f.link()->index(), 0);
    f.link()->outputClicked();
    QCOMPARE(f.protocol.sentTexts(), QStringList{QStringLiteral("0")});
}

VVB_TEST_MAIN(TestWTextLink)
#include "tst_wtextlink.moc"
