#include "dialogs/DPropDialog.h"
#include "model/CControl.h"
#include "support/FaderFixture.h"
#include "support/TestMain.h"
#include "transforms/TTransform.h"
#include "widgets/WLabel.h"
#include "widgets/WSlider.h"
#include "widgets/WTextEdit.h"

#include <QColor>
#include <QSignalSpy>
#include <QXmlAttributes>
#include <QtTest>

#include <memory>

namespace {

using Settings = WidgetFixture::Settings;

using Fader = FaderFixture;

Settings range(const QString &minimum, const QString &maximum, const QString &step,
               const QString &units = QString())
{
    return FaderFixture::range(minimum, maximum, step, units);
}

QXmlAttributes faderDesignProperty(const QString &name, const QString &value, const QString &max = QString(),
                              const QString &min = QString())
{
    QXmlAttributes attributes;
    attributes.append(QStringLiteral("name"), QString(), QStringLiteral("name"), name);
    attributes.append(QStringLiteral("value"), QString(), QStringLiteral("value"), value);
    if (!max.isNull())
        attributes.append(QStringLiteral("max"), QString(), QStringLiteral("max"), max);
    if (!min.isNull())
        attributes.append(QStringLiteral("min"), QString(), QStringLiteral("min"), min);
    return attributes;
}

// A block whose design file gives its level the range -60 to 12, so the
// fader's limits are those.
FakeNode *levelNode()
{
    auto *pNode = new FakeNode;
    pNode->setTitle(QStringLiteral("Gain"));
    pNode->parseAttributes(faderDesignProperty(QStringLiteral("level"), QString(), QStringLiteral("12"),
                                          QStringLiteral("-60")));
    return pNode;
}

bool near(const QRectF &a, const QRectF &b)
{
    return qAbs(a.x() - b.x()) < 1e-3 && qAbs(a.y() - b.y()) < 1e-3 && qAbs(a.width() - b.width()) < 1e-3
           && qAbs(a.height() - b.height()) < 1e-3;
}

// Long enough for several send delays to pass.
void letDelaysPass()
{
    QTest::qWait(5 * WSlider::SendDelay);
}

} // namespace

class TestWSlider : public QObject
{
    Q_OBJECT

private slots:
    // values out
    void burstOfMovesSendsTheLatestOnce();
    void equalMoveIsNotQueued();
    void moveBackToTheSentValueSendsNothing();
    void firstMoveToZeroIsSent();
    void positionsMapThroughTheStep_data();
    void positionsMapThroughTheStep();
    void nothingGoesOutWithoutSendNeeded();

    // values in
    void replyMovesTheKnobWithoutEcho();
    void replyIsClampedToTheRange();
    void subscribedReplyClearsSendNeeded();
    void replyDuringADragIsNotSentBack();
    void valueInsideTheSendDelayKeepsTheMove_data();
    void valueInsideTheSendDelayKeepsTheMove();
    void linkedValueMovesTheKnobOnce();

    // set-up, range and limits
    void setupFromTheBinding_data();
    void setupFromTheBinding();
    void lastValueStaysInUnitsWithHalfSteps();
    void rangeEdits_data();
    void rangeEdits();
    void limitsFromTheNode_data();
    void limitsFromTheNode();
    void unitsEdit();
    void propertyReads();

    // companions
    void captionPlaceholders_data();
    void captionPlaceholders();
    void turningLaysOutTheCompanions();

    // settings
    void savesAndLoads();
    void rotationReadsWholeDegreesOnly();
};

// ---------------------------------------------------------------- values out

void TestWSlider::burstOfMovesSendsTheLatestOnce()
{
    Fader f(range("-60", "12", "0.5"));
    f.drag({10, 11, 12});
    QVERIFY(f.fader->isSendPending());
    QVERIFY(f.protocol.sentValues().isEmpty()); // held back by the send delay
    QTRY_COMPARE(f.protocol.sentTexts(), QStringList{QStringLiteral("6.0")});
    letDelaysPass();
    QCOMPARE(f.protocol.sentValues().size(), 1);
    QCOMPARE(f.protocol.sentValues().first(), f.control->transform());
    QCOMPARE(f.fader->lastValue(), 6.0f);
    // The linked value text follows what was sent.
    QCOMPARE(f.shownText(), QStringLiteral("6.0"));

    // The next burst goes out on its own.
    f.drag({-3, -4});
    QTRY_COMPARE(f.protocol.sentTexts(), (QStringList{QStringLiteral("6.0"), QStringLiteral("-2.0")}));
    QCOMPARE(f.shownText(), QStringLiteral("-2.0"));
}

void TestWSlider::equalMoveIsNotQueued()
{
    Fader f(range("-60", "12", "0.5"));
    f.drag({12});
    QTRY_COMPARE(f.protocol.sentValues().size(), 1);
    f.drag({12});
    QVERIFY(!f.fader->isSendPending());
    letDelaysPass();
    QCOMPARE(f.protocol.sentValues().size(), 1);
}

// A drag that comes back to where the device already is leaves nothing stale
// to send after the knob stopped.
void TestWSlider::moveBackToTheSentValueSendsNothing()
{
    Fader f(range("-60", "12", "0.5"));
    f.drag({12});
    QTRY_COMPARE(f.protocol.sentValues().size(), 1);
    f.drag({14, 12});
    QVERIFY(!f.fader->isSendPending());
    letDelaysPass();
    QCOMPARE(f.protocol.sentTexts(), QStringList{QStringLiteral("6.0")});
}

void TestWSlider::firstMoveToZeroIsSent()
{
    Fader f(range("-10", "10", "1"));
    f.drag({0});
    QTRY_COMPARE(f.protocol.sentTexts(), QStringList{QStringLiteral("0.0")});
}

void TestWSlider::positionsMapThroughTheStep_data()
{
    QTest::addColumn<QString>("step");
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("sent");
    QTest::addColumn<float>("lastValue");
    QTest::newRow("step 1") << "1" << 5 << "5.0" << 5.0f;
    QTest::newRow("step 0.5") << "0.5" << 5 << "2.5" << 2.5f;
    QTest::newRow("step 2, negative") << "2" << -3 << "-6.0" << -6.0f;
    QTest::newRow("step below 0.02 is 1") << "0.01" << 5 << "5.0" << 5.0f;
    QTest::newRow("no step is 1") << "0" << 7 << "7.0" << 7.0f;
}

void TestWSlider::positionsMapThroughTheStep()
{
    QFETCH(QString, step);
    QFETCH(int, position);
    QFETCH(QString, sent);
    QFETCH(float, lastValue);
    Fader f(range("-20", "20", step));
    f.drag({position});
    QTRY_COMPARE(f.protocol.sentTexts(), QStringList{sent});
    QCOMPARE(f.fader->lastValue(), lastValue);
    QCOMPARE(f.shownText(), sent);
}

// QML says no send is needed when the value was set from outside: the
// transform takes it, the device does not.
void TestWSlider::nothingGoesOutWithoutSendNeeded()
{
    Fader f(range("-60", "12", "1"));
    f.fader->setIsSendNeeded(false);
    f.fader->outputValue(4);
    QTRY_VERIFY(!f.fader->isSendPending());
    letDelaysPass();
    QVERIFY(f.protocol.sentValues().isEmpty());
    QCOMPARE(f.fader->lastValue(), 4.0f);
    QCOMPARE(f.control->transform()->valueText(), QStringLiteral("4.0"));
}

// ---------------------------------------------------------------- values in

void TestWSlider::replyMovesTheKnobWithoutEcho()
{
    Fader f(range("-60", "12", "0.5"));
    const float lastValue = f.fader->lastValue();
    f.control->transform()->deliverReply(QStringLiteral("3.5"));
    QCOMPARE(f.position(), 7);
    QCOMPARE(f.shownText(), QStringLiteral("3.5"));
    QVERIFY(f.fader->isOutputEnabled());
    QVERIFY(!f.fader->isUpdating());
    // Whatever QML makes of the new value, nothing goes back out.
    QVERIFY(!f.fader->isSendPending());
    letDelaysPass();
    QVERIFY(f.protocol.sentValues().isEmpty());
    QCOMPARE(f.fader->lastValue(), lastValue);
    QVERIFY(f.fader->isSendNeeded() == false); // QML saw a value it did not drag to
}

void TestWSlider::replyIsClampedToTheRange()
{
    Fader f(range("-60", "12", "0.5"));
    f.control->transform()->deliverReply(QStringLiteral("99"));
    QCOMPARE(f.position(), 24);
    QCOMPARE(f.shownText(), QStringLiteral("12.0"));
    f.control->transform()->deliverReply(QStringLiteral("-99"));
    QCOMPARE(f.position(), -120);
    QCOMPARE(f.shownText(), QStringLiteral("-60.0"));
}

void TestWSlider::subscribedReplyClearsSendNeeded()
{
    Fader f(range("-60", "12", "1"));
    f.protocol.setSubscribed(true);
    f.fader->setIsSendNeeded(true);
    f.fader->updateFromTransform();
    QVERIFY(!f.fader->isSendNeeded());
}

// QML reports every value change of a drag as a move; one that a reply
// caused is not the user's and does not go out.
void TestWSlider::replyDuringADragIsNotSentBack()
{
    Fader f(range("-60", "12", "0.5"));
    QObject *pDragArea = nullptr;
    for (QObject *pChild : f.fader->widget()->findChildren<QObject *>()) {
        if (pChild->property("dragging").isValid() && pChild->property("grabOffset").isValid())
            pDragArea = pChild;
    }
    QVERIFY(pDragArea);
    pDragArea->setProperty("dragging", true);
    f.control->transform()->deliverReply(QStringLiteral("2"));
    QCOMPARE(f.position(), 4);
    QVERIFY(!f.fader->isSendPending());
    letDelaysPass();
    QVERIFY(f.protocol.sentValues().isEmpty());
    // The user's own next move still goes out.
    f.fader->widget()->setProperty("value", 6);
    QTRY_COMPARE(f.protocol.sentTexts(), QStringList{QStringLiteral("3.0")});
}

// The value text tells the fader of a typed value; the fader moves once and
// the ring of links ends at its source.
void TestWSlider::valueInsideTheSendDelayKeepsTheMove_data()
{
    QTest::addColumn<bool>("subscribed");
    QTest::addColumn<bool>("released");
    QTest::newRow("pushed while dragging") << true << false;
    QTest::newRow("pushed after the release") << true << true;
    QTest::newRow("polled while dragging") << false << false;
    QTest::newRow("polled after the release") << false << true;
}

// A value from the device that comes in while the user's move waits for its
// send is older than the move: the move goes out once and the knob stays.
void TestWSlider::valueInsideTheSendDelayKeepsTheMove()
{
    QFETCH(bool, subscribed);
    QFETCH(bool, released);
    Fader f(range("-60", "12", "0.5"));
    f.protocol.setSubscribed(subscribed);
    QObject *pDragArea = nullptr;
    for (QObject *pChild : f.fader->widget()->findChildren<QObject *>()) {
        if (pChild->property("dragging").isValid() && pChild->property("grabOffset").isValid())
            pDragArea = pChild;
    }
    QVERIFY(pDragArea);
    pDragArea->setProperty("dragging", true);
    f.fader->widget()->setProperty("value", 6);
    if (released)
        pDragArea->setProperty("dragging", false);
    QVERIFY(f.fader->isSendPending());
    f.control->transform()->deliverReply(QStringLiteral("-20"));

    QTRY_COMPARE(f.protocol.sentTexts(), QStringList{QStringLiteral("3.0")});
    letDelaysPass();
    QCOMPARE(f.protocol.sentTexts(), QStringList{QStringLiteral("3.0")});
    QCOMPARE(f.position(), 6);
    QCOMPARE(f.shownText(), QStringLiteral("3.0"));
    QCOMPARE(f.fader->lastValue(), 3.0f);
    // The next value from the device moves the knob again, without echo.
    f.control->transform()->deliverReply(QStringLiteral("-20"));
    QCOMPARE(f.position(), -40);
    letDelaysPass();
    QCOMPARE(f.protocol.sentTexts().size(), 1);
}

void TestWSlider::linkedValueMovesTheKnobOnce()
{
    Fader f(range("-60", "12", "0.5"));
    QCOMPARE(f.fader->linkedWidget(), f.text);
    QCOMPARE(f.text->linkedWidget(), f.fader);
    f.control->transform()->setValueText(QStringLiteral("-10.5"));
    QSignalSpy moves(f.fader->widget(), SIGNAL(valueChanged()));
    f.fader->linkValue(f.text);
    QCOMPARE(f.position(), -21);
    QCOMPARE(f.fader->lastValue(), -10.5f);
    f.fader->linkValue(f.text);
    f.fader->linkValue(f.fader); // from itself: nothing
    QCOMPARE(moves.count(), 1);
    letDelaysPass();
    QVERIFY(f.protocol.sentValues().isEmpty());
}

// ---------------------------------------------------------------- set-up, range and limits

void TestWSlider::setupFromTheBinding_data()
{
    QTest::addColumn<QString>("minimum");
    QTest::addColumn<QString>("maximum");
    QTest::addColumn<QString>("step");
    QTest::addColumn<qreal>("minPosition");
    QTest::addColumn<qreal>("maxPosition");
    QTest::addColumn<bool>("bipolar");
    QTest::newRow("symmetric") << "-10" << "10" << "1" << -10.0 << 10.0 << true;
    QTest::newRow("asymmetric") << "-10" << "12" << "1" << -10.0 << 12.0 << false;
    QTest::newRow("half steps") << "-60" << "12" << "0.5" << -120.0 << 24.0 << false;
    QTest::newRow("symmetric half steps") << "-6" << "6" << "0.5" << -12.0 << 12.0 << true;
}

void TestWSlider::setupFromTheBinding()
{
    QFETCH(QString, minimum);
    QFETCH(QString, maximum);
    QFETCH(QString, step);
    QFETCH(qreal, minPosition);
    QFETCH(qreal, maxPosition);
    QFETCH(bool, bipolar);
    Fader f(range(minimum, maximum, step));
    QCOMPARE(f.fader->widgetProperty("minimumValue").toReal(), minPosition);
    QCOMPARE(f.fader->widgetProperty("maximumValue").toReal(), maxPosition);
    QCOMPARE(f.fader->widgetProperty("bipolar").toBool(), bipolar);
    QVERIFY(f.fader->isOutputEnabled());
}

// The last value is a parameter value: positions are values divided by the
// step, for any step.
void TestWSlider::lastValueStaysInUnitsWithHalfSteps()
{
    // A range that excludes 0 starts the fader at its maximum.
    Fader f(range("10", "20", "0.5"));
    QCOMPARE(f.fader->lastValue(), 20.0f);
    QCOMPARE(f.position(), 40);

    // A new minimum above the last value sends the fader to its maximum.
    Fader g(range("-60", "12", "0.5"), QStringLiteral("Level"), QStringLiteral("*LABEL*"), levelNode());
    g.drag({12});
    QTRY_COMPARE(g.fader->lastValue(), 6.0f);
    g.fader->setPropertyValue(WidgetPropertyId::Minimum, QStringLiteral("8"));
    QCOMPARE(g.fader->lastValue(), 12.0f);
    QCOMPARE(g.position(), 24);
    QCOMPARE(g.fader->minPosition(), 16.0f);

    // A new maximum below the last value does the same with the new maximum.
    g.fader->setPropertyValue(WidgetPropertyId::Maximum, QStringLiteral("10"));
    QCOMPARE(g.fader->lastValue(), 10.0f);
    QCOMPARE(g.position(), 20);
}

void TestWSlider::rangeEdits_data()
{
    QTest::addColumn<int>("id");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("minimum");
    QTest::addColumn<QString>("maximum");
    const int minimum = WidgetPropertyId::Minimum;
    const int maximum = WidgetPropertyId::Maximum;
    QTest::newRow("minimum inside") << minimum << "-40" << "-40" << "12";
    QTest::newRow("minimum below the limit") << minimum << "-70" << "-60" << "12";
    QTest::newRow("minimum at the maximum") << minimum << "12" << "-60" << "12";
    QTest::newRow("minimum not a number") << minimum << "low" << "-60" << "12";
    QTest::newRow("maximum inside") << maximum << "6" << "-60" << "6";
    QTest::newRow("maximum above the limit") << maximum << "13" << "-60" << "12";
    QTest::newRow("maximum at the minimum") << maximum << "-60" << "-60" << "12";
    QTest::newRow("maximum below the minimum") << maximum << "-61" << "-60" << "12";
}

// Edits inside the limits and keeping minimum below maximum are taken; any
// other leaves the range as it was.
void TestWSlider::rangeEdits()
{
    QFETCH(int, id);
    QFETCH(QString, value);
    QFETCH(QString, minimum);
    QFETCH(QString, maximum);
    Fader f(range("-60", "12", "0.5"), QStringLiteral("Level"), QStringLiteral("*LABEL*"), levelNode());
    f.fader->setPropertyValue(WidgetPropertyId::Type(id), value);
    QCOMPARE(f.fader->propertyValue(WidgetPropertyId::Minimum).toString(), minimum);
    QCOMPARE(f.fader->propertyValue(WidgetPropertyId::Maximum).toString(), maximum);
    QCOMPARE(f.fader->widgetProperty("minimumValue").toReal(), minimum.toDouble() / 0.5);
    QCOMPARE(f.fader->widgetProperty("maximumValue").toReal(), maximum.toDouble() / 0.5);
    QVERIFY(f.fader->isOutputEnabled());
}

void TestWSlider::limitsFromTheNode_data()
{
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("property"); // design-file property with max and min
    QTest::addColumn<QString>("name");     // control name
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("channelLabel");
    QTest::addColumn<float>("upper");
    QTest::addColumn<float>("lower");
    QTest::addColumn<bool>("taken"); // the binding's limits become the node's

    QTest::newRow("link by channel digit") << "KRXLink" << "level2" << "Level 2" << "x" << "Ch2" << 6.0f << -40.0f << true;
    QTest::newRow("link by channel name") << "KRXLink" << "level2" << "Level 2" << "x" << "Mic B" << 6.0f << -40.0f
                                          << true;
    QTest::newRow("link, other channel") << "DivErov" << "level2" << "Level 1" << "x" << "Ch1" << 12.0f << -60.0f << false;
    QTest::newRow("tone band") << "Tone EQ" << "mid" << "Level 2" << "MID" << "" << 6.0f << -40.0f << true;
    QTest::newRow("tone band, high") << "DizoZU" << "high" << "Level 3" << "HIGH" << "" << 6.0f << -40.0f << true;
    QTest::newRow("router level") << "Conference Room Router" << "micMixLevel" << "Mic Mix Level" << "x" << ""
                                  << 6.0f << -40.0f << true;
    QTest::newRow("router, unknown name") << "Conference Room Router" << "micMixLevel" << "Gain" << "x" << ""
                                          << 12.0f << -60.0f << false;
    QTest::newRow("combiner level") << "Standard Room Combiner" << "bgmLevel" << "Background Music Level" << "x"
                                    << "" << 6.0f << -40.0f << true;
    QTest::newRow("group") << "Group" << "level" << "Level" << "x" << "" << 6.0f << -60.0f << true;
    QTest::newRow("other block") << "Gain" << "level" << "Level" << "x" << "" << 6.0f << -40.0f << true;
    QTest::newRow("other block without range") << "Gain" << "" << "Level" << "x" << "" << 0.0f << 0.0f << false;
}

void TestWSlider::limitsFromTheNode()
{
    QFETCH(QString, title);
    QFETCH(QString, property);
    QFETCH(QString, name);
    QFETCH(QString, caption);
    QFETCH(QString, channelLabel);
    QFETCH(float, upper);
    QFETCH(float, lower);
    QFETCH(bool, taken);
    auto *pNode = new FakeNode;
    pNode->setTitle(title);
    pNode->setChannels({QStringLiteral("Mic A"), QStringLiteral("Mic B")});
    const QXmlAttributes limits = faderDesignProperty(property, QString(), QStringLiteral("6"), QStringLiteral("-40"));
    if (property == QLatin1String("level"))
        pNode->parseAttributes(limits);
    else if (!property.isEmpty())
        pNode->addAttributePair(property, limits);
    Settings binding = range("-60", "12", "1");
    binding.append({"channelLabel", channelLabel});
    Fader f(binding, name, caption, pNode);
    QCOMPARE(f.fader->upperLimit(), upper);
    QCOMPARE(f.fader->lowerLimit(), lower);
    const CAttributes untouched;
    QCOMPARE(f.control->attributes().maxLimit(), taken ? upper : untouched.maxLimit());
    QCOMPARE(f.control->attributes().minLimit(), taken ? lower : untouched.minLimit());
    // A minimum just outside the limits is refused, one inside taken.
    f.fader->setPropertyValue(WidgetPropertyId::Minimum, QString::number(lower - 1));
    QCOMPARE(f.control->attributes().minimum(), -60.0f);
    if (upper != lower) {
        f.fader->setPropertyValue(WidgetPropertyId::Minimum, QString::number(lower));
        QCOMPARE(f.control->attributes().minimum(), lower);
    }
}

void TestWSlider::unitsEdit()
{
    Fader f(range("0", "10", "1"));
    QCOMPARE(f.fader->propertyValue(WidgetPropertyId::Units).toString(), QStringLiteral("dB"));
    f.drag({5});
    QTRY_COMPARE(f.shownText(), QStringLiteral("5.0"));
    f.fader->setPropertyValue(WidgetPropertyId::Units, QStringLiteral("Percent"));
    QVERIFY(f.fader->isPercent());
    QCOMPARE(f.control->attributes().units(), QStringLiteral("pct"));
    QCOMPARE(f.control->attributes().fractionDigits(), 0);
    QCOMPARE(f.fader->propertyValue(WidgetPropertyId::Units).toString(), QStringLiteral("Percent"));
    QCOMPARE(f.shownText(), QStringLiteral("50%")); // refreshed at once
    f.drag({10});
    QTRY_COMPARE(f.shownText(), QStringLiteral("100%"));
    f.fader->setPropertyValue(WidgetPropertyId::Units, QStringLiteral("dB"));
    QCOMPARE(f.control->attributes().units(), QString());
    QCOMPARE(f.control->attributes().fractionDigits(), 1);
    QCOMPARE(f.shownText(), QStringLiteral("10.0"));
}

void TestWSlider::propertyReads()
{
    auto *pNode = new FakeNode;
    pNode->setTitle(QStringLiteral("Tone EQ"));
    Fader f(range("-60.5", "12", "1", QStringLiteral("pct")), QStringLiteral("Level"), QStringLiteral("*LABEL*"),
            pNode);
    QCOMPARE(f.fader->propertyValue(WidgetPropertyId::Minimum).toString(), QStringLiteral("-60.5"));
    QCOMPARE(f.fader->propertyValue(WidgetPropertyId::Maximum).toString(), QStringLiteral("12"));
    QCOMPARE(f.fader->propertyValue(WidgetPropertyId::Units).toString(), QStringLiteral("Percent"));
    QCOMPARE(f.fader->propertyValue(WidgetPropertyId::Rotation).toReal(), 0.0);
    f.fader->setPropertyValue(WidgetPropertyId::KnobColor, QColor(Qt::red));
    QCOMPARE(f.fader->propertyValue(WidgetPropertyId::KnobColor).value<QColor>(), QColor(Qt::red));
    QVERIFY(f.fader->isDizoZuControl());
    QVERIFY(f.fader->property("isDizoZuControl").toBool());
    QVERIFY(f.fader->hasAttributes());
    f.fader->storeAttributes(&f.control->attributes()); // no warning box
    QVERIFY(f.fader->isType(QStringLiteral("slider")));
    QVERIFY(f.fader->isType(QStringLiteral("verticalslider")));
    QVERIFY(!f.fader->isType(QStringLiteral("label")));
    QCOMPARE(f.fader->chassisName(), QStringLiteral("???"));
    // Its own property page, bound to it.
    const std::unique_ptr<QObject> pPage(f.fader->createPropertiesDialog(nullptr));
    QVERIFY(pPage);
    QCOMPARE(QString::fromLatin1(pPage->metaObject()->className()), QStringLiteral("DPropSliderDialog"));
    // Percent mode shows the value as a share of the range, without decimals.
    f.drag({-24});
    QTRY_COMPARE(f.shownText(), QStringLiteral("50%"));
}

// ---------------------------------------------------------------- companions

void TestWSlider::captionPlaceholders_data()
{
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("title"); // node title; empty for no node
    QTest::addColumn<QString>("name");  // control name
    QTest::addColumn<QString>("shown");
    QTest::newRow("label") << "*LABEL*" << "Gain" << "Level" << "Zone 1";
    QTest::newRow("label and words") << "*LABEL* Input" << "Gain" << "Level" << "Zone 1 Input";
    QTest::newRow("title without node") << "*TITLE*" << "" << "Level 2" << "Level 2";
    QTest::newRow("title of a link channel") << "*TITLE*" << "KRXLink" << "Level 2" << "Mic B";
    QTest::newRow("title of a link channel, other maker") << "*TITLE*" << "DivErov 4" << "Level 1" << "Mic A";
    QTest::newRow("title, name without number") << "*TITLE*" << "KRXLink" << "Level x" << "";
    QTest::newRow("title, name of one word") << "*TITLE*" << "KRXLink" << "Level" << "";
    QTest::newRow("title of another node stays") << "*TITLE*" << "Gain" << "Level 2" << "*TITLE*";
    QTest::newRow("plain text stays") << "Volume" << "Gain" << "Level" << "Volume";
    QTest::newRow("meter marks stay") << "*CHLABEL*" << "KRXLink" << "Level 1" << "*CHLABEL*";
}

void TestWSlider::captionPlaceholders()
{
    QFETCH(QString, caption);
    QFETCH(QString, title);
    QFETCH(QString, name);
    QFETCH(QString, shown);
    FakeNode *pNode = nullptr;
    if (!title.isEmpty()) {
        pNode = new FakeNode;
        pNode->setTitle(title);
        pNode->setChannels({QStringLiteral("Mic A"), QStringLiteral("Mic B")});
    }
    Fader f(range("-60", "12", "1"), name, QStringLiteral("Caption"), pNode);
    f.label->setText(caption);
    f.fader->refresh();
    QCOMPARE(f.label->text(), shown);
}

// Turning the fader turns the control about its frame's centre and gives the
// companions their places for the orientation.
void TestWSlider::turningLaysOutTheCompanions()
{
    Fader f(range("-60", "12", "1"));
    WWidget *pFrame = f.control->findWidget(QStringLiteral("frame"));
    QVERIFY(pFrame);
    f.fader->setPropertyValue(WidgetPropertyId::Rotation, 90);
    QCOMPARE(f.fader->angle(), 90.0f);
    QCOMPARE(f.fader->widgetProperty("rotation").toReal(), 90.0);
    QVERIFY(f.control->isHorizontal());
    // Frame 80 x 360 at the origin: turned about its centre (40, 180).
    QVERIFY(near(f.fader->widgetRect(), QRectF(-140, 140 + 28.8, 288, 40)));
    QVERIFY(near(pFrame->widgetRect(), QRectF(-140, 140 + 28.8 - 40, 64 + 288, 1.2 * (28.8 + 40))));
    QCOMPARE(f.fader->xFract(), 0.0);
    QCOMPARE(f.fader->yFract(), 0.5);
    QCOMPARE(f.fader->widthFract(), 0.9);
    QCOMPARE(f.text->xFract(), 0.9);
    QCOMPARE(f.label->widthFract(), 0.2);

    f.fader->setPropertyValue(WidgetPropertyId::Rotation, 0);
    QVERIFY(!f.control->isHorizontal());
    QCOMPARE(f.fader->angle(), 0.0f);
    QCOMPARE(f.fader->xFract(), 0.25);
    QCOMPARE(f.fader->heightFract(), 0.8);
    QCOMPARE(f.text->yFract(), 0.08);
    QCOMPARE(f.label->heightFract(), 0.08);
}

// ---------------------------------------------------------------- settings

void TestWSlider::savesAndLoads()
{
    Fader f(range("-60", "12", "1"));
    f.fader->setPropertyValue(WidgetPropertyId::KnobColor, QColor(0x12, 0x34, 0x56));
    Settings saved = WidgetFixture::saved(f.fader);
    QCOMPARE(WidgetFixture::names(saved),
             (QStringList{"id", "link", "x", "y", "width", "height", "z", "xfract", "yfract", "widthfract",
                          "heightfract", "orient", "knobcolor"}));
    QCOMPARE(WidgetFixture::valueOf(saved, "orient"), QStringLiteral("vertical"));
    QCOMPARE(WidgetFixture::valueOf(saved, "knobcolor"), QStringLiteral("#ff123456"));

    f.fader->setPropertyValue(WidgetPropertyId::Rotation, 90);
    saved = WidgetFixture::saved(f.fader);
    QCOMPARE(WidgetFixture::valueOf(saved, "rotation"), QStringLiteral("90"));

    auto *pLoaded = qobject_cast<WSlider *>(f.fx.reload(f.fader));
    QVERIFY(pLoaded);
    QCOMPARE(pLoaded->angle(), 90.0f);
    QCOMPARE(pLoaded->widgetProperty("rotation").toReal(), 90.0);
    QVERIFY(pLoaded->control()->isHorizontal());
    QCOMPARE(pLoaded->widgetProperty("knobColor").value<QColor>(), QColor(0x12, 0x34, 0x56));
    QCOMPARE(pLoaded->widgetId(), 1u);
    QCOMPARE(pLoaded->link(), 2u);
    QVERIFY(near(pLoaded->widgetRect(), f.fader->widgetRect()));
    QCOMPARE(pLoaded->xFract(), 0.0);
    QCOMPARE(float(pLoaded->widthFract()), 0.9f);
    QCOMPARE(WidgetFixture::saved(pLoaded), saved);
}

void TestWSlider::rotationReadsWholeDegreesOnly()
{
    WidgetFixture fx;
    CControl *pControl = fx.addControl(QStringLiteral("Level"), QStringLiteral("Slider"));
    auto *pFader = qobject_cast<WSlider *>(
        fx.readWidget(pControl, QStringLiteral("slider"), {{"rotation", "90.5"}, {"orient", "horizontal"}}));
    QVERIFY(pFader);
    QCOMPARE(pFader->angle(), 0.0f);
    QVERIFY(!pControl->isHorizontal());
    QVERIFY(!WidgetFixture::names(WidgetFixture::saved(pFader)).contains(QStringLiteral("rotation")));
    QVERIFY(!pFader->processElement(QStringLiteral("Rotation"), QStringLiteral("90")));
}

VVB_TEST_MAIN(TestWSlider)
#include "tst_wslider.moc"
