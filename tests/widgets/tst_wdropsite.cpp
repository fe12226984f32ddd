#include "dialogs/DMessageBox.h"
#include "hardware/CParameter.h"
#include "model/CControl.h"
#include "model/MModel.h"
#include "support/FakeNodes.h"
#include "support/TestMain.h"
#include "support/WidgetFixture.h"
#include "widgets/WDropSite.h"

#include <QtTest>

namespace {

using Settings = WidgetFixture::Settings;

// What the drop site asked.
struct Message
{
    QString title;
    QString text;
};

// A panel with a fader place (caption and site), a fader and a button
// control; a block node with a "Level 1" fader and a "Mute" button.
struct Site
{
    Site()
    {
        node = new FakeNode(QStringLiteral("Blocks"), QStringLiteral("Zone 1"));
        addParameter(QStringLiteral("Level 1"), QStringLiteral("Slider"));
        addParameter(QStringLiteral("Mute"), QStringLiteral("Button"));

        control = fx.addControl(QStringLiteral("Fader place"), QStringLiteral("DropSite"));
        fx.readWidget(control, QStringLiteral("label"), {{"text", "Title"}});
        site = qobject_cast<WDropSite *>(fx.readWidget(
            control, QStringLiteral("dropsite"),
            {{"x", "100"}, {"y", "50"}, {"width", "80"}, {"height", "360"}, {"type", "Slider"}, {"title", "Fader"}}));

        fader = fx.addControl(QStringLiteral("Level 1"), QStringLiteral("Slider"), node);
        fx.readWidget(fader, QStringLiteral("slider"), {{"x", "120"}, {"y", "60"}, {"width", "40"}, {"height", "300"}});
        button = fx.addControl(QStringLiteral("Mute"), QStringLiteral("Button"));
        fx.readWidget(button, QStringLiteral("frame"), {{"x", "0"}, {"y", "0"}, {"width", "60"}, {"height", "30"}});

        DMessageBox::setResponder([this](const QString &title, const QString &text) {
            messages.append({title, text});
            return answer;
        });
    }
    ~Site() { DMessageBox::setResponder({}); }

    void addParameter(const QString &text, const QString &type)
    {
        auto *pParameter = new CParameter;
        pParameter->setText(text);
        pParameter->setType(type);
        node->parameterList()->append(pParameter);
    }

    QString caption() const { return control->findWidget(QStringLiteral("label"))->text(); }

    WidgetFixture fx;
    FakeNode *node = nullptr; // owned by the fader control
    CControl *control = nullptr;
    WDropSite *site = nullptr;
    CControl *fader = nullptr;
    CControl *button = nullptr;
    QList<Message> messages;
    QMessageBox::StandardButton answer = QMessageBox::Yes;
};

} // namespace

class TestWDropSite : public QObject
{
    Q_OBJECT

private slots:
    void acceptsAFittingParameter_data();
    void acceptsAFittingParameter();
    void takesAControl();
    void releasesItsControlWithoutDestroyingIt();
    void forgetsADestroyedControl();
    void movesItsControlAlong();
    void toolTipAndProperties();
    void savesAndLoads();
    void emptySiteWritesNoChild();
    void getsItsControlBackAfterLoading();
};

void TestWDropSite::acceptsAFittingParameter_data()
{
    QTest::addColumn<QString>("parameter");
    QTest::addColumn<bool>("occupied");
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<QString>("message"); // empty: no message
    const QString overwrite = QStringLiteral("There is already a control in this location.\nDo you want to overwrite?");
    QTest::newRow("fader on an empty fader site") << "Level 1" << false << int(QMessageBox::No) << true << "";
    QTest::newRow("button on a fader site") << "Mute" << false << int(QMessageBox::Yes) << false
                                            << "Cannot drop a Button on a Slider site.";
    QTest::newRow("unknown parameter") << "Level 9" << false << int(QMessageBox::Yes) << false << "";
    QTest::newRow("occupied, keep it") << "Level 1" << true << int(QMessageBox::No) << false << overwrite;
    QTest::newRow("occupied, overwrite") << "Level 1" << true << int(QMessageBox::Yes) << true << overwrite;
    QTest::newRow("occupied, box closed") << "Level 1" << true << int(QMessageBox::Escape) << true << overwrite;
    QTest::newRow("occupied, wrong type") << "Mute" << true << int(QMessageBox::Yes) << false
                                          << "Cannot drop a Button on a Slider site.";
}

void TestWDropSite::acceptsAFittingParameter()
{
    QFETCH(QString, parameter);
    QFETCH(bool, occupied);
    QFETCH(int, answer);
    QFETCH(bool, accepted);
    QFETCH(QString, message);
    Site s;
    if (occupied)
        s.site->setChildControl(s.fader);
    s.answer = QMessageBox::StandardButton(answer);
    QCOMPARE(s.site->canAcceptDrop(s.node, parameter), accepted);
    if (message.isEmpty()) {
        QVERIFY(s.messages.isEmpty());
    } else {
        QCOMPARE(s.messages.size(), 1);
        QCOMPARE(s.messages.first().title, QStringLiteral("Warning"));
        QCOMPARE(s.messages.first().text, message);
    }
    // Refusing changes nothing.
    QCOMPARE(s.site->childControl(), occupied ? s.fader : nullptr);
    QVERIFY(!s.site->canAcceptDrop(nullptr, parameter));
}

void TestWDropSite::takesAControl()
{
    Site s;
    QCOMPARE(s.site->getControlType(), QStringLiteral("Slider"));
    s.site->setChildControl(s.fader);
    QCOMPARE(s.site->childControl(), s.fader);
    QVERIFY(s.site->hasChildControl());
    QCOMPARE(s.site->widgetId(), quint32(s.fader->id()));
    QVERIFY(!s.site->widgetProperty("enableDrop").toBool());
    QVERIFY(s.site->widgetProperty("enableProperties").toBool()); // a fader has binding settings
    QCOMPARE(s.caption(), QStringLiteral("Level 1"));
    QCOMPARE(s.fader->dropSite(), s.control);
    // An occupied site with its drop switch still on takes a drop without asking.
    s.site->setWidgetProperty("enableDrop", true);
    QVERIFY(s.site->canAcceptDrop(s.node, QStringLiteral("Level 1")));
    QVERIFY(s.messages.isEmpty());

    // Taking another lets the first go its own way again.
    s.site->setChildControl(s.button);
    QVERIFY(!s.site->widgetProperty("enableProperties").toBool());
    QCOMPARE(s.caption(), QStringLiteral("Mute"));
    QCOMPARE(s.button->dropSite(), s.control);
    QVERIFY(!s.fader->dropSite());
    QVERIFY(s.fx.panel()->contains(s.fader));
}

// A released control leaves its panel alive: whoever released it (a drop
// command) keeps it, and no list of the panel holds it any more.
void TestWDropSite::releasesItsControlWithoutDestroyingIt()
{
    Site s;
    s.site->setChildControl(s.fader);
    s.fx.model()->setModified(false);
    QPointer<CControl> pFader = s.fader;
    s.site->setChildControl(nullptr);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(pFader);
    QVERIFY(!s.fx.panel()->contains(s.fader));
    QVERIFY(!s.fader->dropSite());
    QVERIFY(!s.site->childControl());
    QVERIFY(!s.site->hasChildControl());
    QCOMPARE(s.site->widgetId(), 0u);
    QVERIFY(s.site->widgetProperty("enableDrop").toBool());
    QVERIFY(!s.site->widgetProperty("enableProperties").toBool());
    QCOMPARE(s.caption(), QStringLiteral("Title"));
    QVERIFY(s.fx.model()->isModified());
    // Released twice: nothing more happens.
    s.site->deleteChild();
    QCOMPARE(s.fx.panel()->childCount(), 2);
    s.fader->clear();
    delete s.fader;
}

void TestWDropSite::forgetsADestroyedControl()
{
    Site s;
    s.site->setChildControl(s.fader);
    s.fx.panel()->removeChild(s.fader, true);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!s.site->childControl());
    QVERIFY(!s.site->hasChildControl());
    QVERIFY(!WidgetFixture::names(WidgetFixture::saved(s.site)).contains(QStringLiteral("child")));
    QCOMPARE(s.site->getToolTip(true), QString());
    s.site->moveBy(QPointF(1, 1));
    s.site->properties();
    s.site->deleteChild();
    QVERIFY(s.site->widgetProperty("enableDrop").toBool());
}

void TestWDropSite::movesItsControlAlong()
{
    Site s;
    s.site->setChildControl(s.fader);
    const QRectF faderBefore = s.fader->bounds();
    const QRectF siteBefore = s.site->widgetRect();
    s.control->moveBy(QPointF(10, -5));
    QCOMPARE(s.site->widgetRect(), siteBefore.translated(10, -5));
    QCOMPARE(s.fader->bounds(), faderBefore.translated(10, -5));
    // The held control does not move on its own.
    s.fader->moveBy(QPointF(30, 30));
    QCOMPARE(s.fader->bounds(), faderBefore.translated(10, -5));
}

void TestWDropSite::toolTipAndProperties()
{
    Site s;
    QCOMPARE(s.site->getToolTip(true), QString());
    s.site->setChildControl(s.fader);
    QCOMPARE(s.site->getToolTip(true), QStringLiteral("Zone 1"));
    QCOMPARE(s.site->getToolTip(false), QString());
    // Through the meta-object, as QML calls it.
    QString tip;
    QVERIFY(QMetaObject::invokeMethod(s.site, "getToolTip", Q_RETURN_ARG(QString, tip), Q_ARG(bool, true)));
    QCOMPARE(tip, QStringLiteral("Zone 1"));
    s.site->properties(); // a fader stores its binding silently
    QCOMPARE(s.site->createPropertiesDialog(nullptr), nullptr);
}

void TestWDropSite::savesAndLoads()
{
    Site s;
    QVERIFY(s.site->processElement(QStringLiteral("scale"), QStringLiteral("1.5")));
    s.site->setChildControl(s.fader);
    const Settings saved = WidgetFixture::saved(s.site);
    const QString childId = QString::number(quint32(s.fader->id()));
    QCOMPARE(WidgetFixture::names(saved), (QStringList{"id", "x", "y", "width", "height", "z", "xfract", "yfract",
                                                       "widthfract", "heightfract", "title", "type", "child"}));
    QCOMPARE(WidgetFixture::valueOf(saved, "id"), childId);
    QCOMPARE(WidgetFixture::valueOf(saved, "child"), childId);
    QCOMPARE(WidgetFixture::valueOf(saved, "title"), QStringLiteral("Fader"));
    QCOMPARE(WidgetFixture::valueOf(saved, "type"), QStringLiteral("Slider"));

    auto *pLoaded = qobject_cast<WDropSite *>(s.fx.reload(s.site));
    QVERIFY(pLoaded);
    QCOMPARE(pLoaded->widgetId(), quint32(s.fader->id()));
    QCOMPARE(pLoaded->controlType(), QStringLiteral("Slider"));
    QCOMPARE(pLoaded->siteTitle(), QStringLiteral("Fader"));
    QCOMPARE(pLoaded->widgetProperty("label").toString(), QStringLiteral("<i>Fader</i>"));
    QCOMPARE(pLoaded->widgetProperty("textFormat").toInt(), int(Qt::RichText));
    QCOMPARE(pLoaded->widgetRect(), QRectF(100, 50, 80, 360));
    // Only "child" gives the id back; the control itself comes when the panel links up.
    QVERIFY(!pLoaded->childControl());
    // A site keeps its fractions.
    QVERIFY(!pLoaded->processElement(QStringLiteral("xfract"), QStringLiteral("0.5")));
    QCOMPARE(pLoaded->xFract(), 0.0);
    QVERIFY(pLoaded->processElement(QStringLiteral("child"), QStringLiteral("-3")));
    QCOMPARE(pLoaded->widgetId(), 0u);
}

void TestWDropSite::emptySiteWritesNoChild()
{
    Site s;
    const QStringList names = WidgetFixture::names(WidgetFixture::saved(s.site));
    QVERIFY(!names.contains(QStringLiteral("child")));
    QVERIFY(!names.contains(QStringLiteral("id")));
}

// The panel document links the widgets up after reading: a site whose id is
// a control's id gets that control.
void TestWDropSite::getsItsControlBackAfterLoading()
{
    Site s;
    CControl *pPlace = s.fx.addControl(QStringLiteral("Loaded place"), QStringLiteral("DropSite"));
    s.fx.readWidget(pPlace, QStringLiteral("label"), {{"text", "Title"}});
    auto *pSite = qobject_cast<WDropSite *>(s.fx.readWidget(
        pPlace, QStringLiteral("dropsite"),
        {{"type", "Slider"}, {"child", QString::number(quint32(s.fader->id()))}}));
    QVERIFY(pSite);
    pPlace->initialize();
    QCOMPARE(pSite->childControl(), s.fader);
    QCOMPARE(s.fader->dropSite(), pPlace);
    QCOMPARE(pPlace->findWidget(QStringLiteral("label"))->text(), QStringLiteral("Level 1"));
}

VVB_TEST_MAIN(TestWDropSite)
#include "tst_wdropsite.moc"
