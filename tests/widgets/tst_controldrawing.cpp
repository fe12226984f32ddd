#include "model/CComposite.h"
#include "model/CControl.h"
#include "model/MModel.h"
#include "support/DesignFixture.h"
#include "support/EditorFixture.h"
#include "support/TestMain.h"
#include "widgets/WWidget.h"

#include <QFont>
#include <QQuickItem>
#include <QQuickStyle>
#include <QtTest>

#include <cmath>
#include <memory>

namespace {

QString rectText(const QRectF &r)
{
    return QStringLiteral("%1,%2 %3x%4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
}

bool isText(const QQuickItem *pItem)
{
    return pItem->inherits("QQuickText");
}

// What the item draws, in the coordinates of `pOwner`: a text its laid-out
// lines, anything else its own rectangle.
QRectF drawnRect(const QQuickItem *pItem, const QQuickItem *pOwner)
{
    const QRectF local = isText(pItem) ? pItem->boundingRect() : QRectF(0, 0, pItem->width(), pItem->height());
    return pItem->mapRectToItem(pOwner, local);
}

// The shown texts and images under the widget's item that reach outside it,
// each as "what: drawn rect".
QStringList drawnOutside(const WWidget *pWidget)
{
    QStringList found;
    auto *pOwner = qobject_cast<QQuickItem *>(pWidget->widget());
    if (!pOwner)
        return {QStringLiteral("no item")};
    const QRectF bounds = QRectF(0, 0, pOwner->width(), pOwner->height()).adjusted(-0.5, -0.5, 0.5, 0.5);
    for (QQuickItem *pItem : pOwner->findChildren<QQuickItem *>()) {
        if (!pItem->isVisible() || pItem->opacity() == 0.0)
            continue;
        const bool text = isText(pItem) && !pItem->property("text").toString().isEmpty();
        const bool image = pItem->inherits("QQuickImage") && !pItem->property("source").toString().isEmpty();
        if (!text && !image)
            continue;
        const QRectF drawn = drawnRect(pItem, pOwner);
        if (!bounds.contains(drawn)) {
            found << QStringLiteral("%1 \"%2\": %3 in %4")
                         .arg(pWidget->typeName(), text ? pItem->property("text").toString() : QStringLiteral("image"),
                              rectText(drawn), rectText(bounds));
        }
    }
    return found;
}

// The design of the shared fixture, its gain with the level range that
// the design tool writes, so that its level can be placed as level buttons.
DesignFixture rangedDesign()
{
    DesignFixture design;
    const int gain = design.indexOf("Lobby Gain");
    if (gain >= 0)
        design.nodes[gain].replace("\t</Node>", "\t\t<Property name=\"level\" max=\"12\" min=\"-60\"/>\r\n\t</Node>");
    return design;
}

// The contrast ratio of two colours by their relative luminance: 1 for the
// same colour, 21 for black on white.
qreal contrast(const QColor &a, const QColor &b)
{
    const auto luminance = [](const QColor &c) {
        const auto channel = [](qreal v) { return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
        return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
    };
    const qreal la = luminance(a);
    const qreal lb = luminance(b);
    return (qMax(la, lb) + 0.05) / (qMin(la, lb) + 0.05);
}

} // namespace

// What the controls draw on the editor's canvas, placed as a user places
// them from an imported design.
class TestControlDrawing : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void drawingStaysInside_data();
    void drawingStaysInside();
    void shorterFaderStaysReadable_data();
    void shorterFaderStaysReadable();
    void faderTextsReadOnTheirFrame_data();
    void faderTextsReadOnTheirFrame();
};

void TestControlDrawing::initTestCase()
{
    QQuickStyle::setStyle(QStringLiteral("Basic"));
}

void TestControlDrawing::drawingStaysInside_data()
{
    QTest::addColumn<QString>("kind");       // the text of the item in the project tree
    QTest::addColumn<QVariantMap>("settings"); // choosing the templates
    QTest::addColumn<QSize>("size");          // resized to this after the drop; empty keeps the template's
    const QVariantMap none;
    const QVariantMap levelButtons{{QStringLiteral("Level"), QStringLiteral("button")}};
    const QVariantMap imageMeters{{QStringLiteral("Meter"), QStringLiteral("image")}};
    QTest::newRow("mute button") << "Mute" << none << QSize();
    QTest::newRow("fader") << "Lobby Gain/Level" << none << QSize();
    QTest::newRow("level buttons") << "Lobby Gain/Level" << levelButtons << QSize();
    QTest::newRow("bar meter") << "Meter" << none << QSize();
    QTest::newRow("image meter") << "Meter" << imageMeters << QSize();
    QTest::newRow("mute button, wider") << "Mute" << none << QSize(150, 50);
    QTest::newRow("image meter, narrower") << "Meter" << imageMeters << QSize(45, 90);
}

// Texts and images keep inside the widget that shows them, so that nothing
// hangs over a neighbour or is cut at the canvas's edge.
void TestControlDrawing::drawingStaysInside()
{
    QFETCH(QString, kind);
    QFETCH(QVariantMap, settings);
    QFETCH(QSize, size);
    EditorFixture editor(settings);
    QVERIFY(editor.isReady());
    const QPointer<CControl> pControl = editor.dropFromDesign(kind, 60, 60, rangedDesign());
    QVERIFY(pControl);
    if (size.isValid()) {
        editor.resize(pControl, size);
        const QSizeF now = pControl->bounds().size();
        QVERIFY2(std::abs(now.width() - size.width()) < 10 && std::abs(now.height() - size.height()) < 10,
                 qPrintable(rectText(pControl->bounds())));
    }
    QStringList outside;
    for (const QPointer<WWidget> &pWidget : pControl->widgets()) {
        if (pWidget)
            outside << drawnOutside(pWidget);
    }
    QVERIFY2(outside.isEmpty(), qPrintable(outside.join(QStringLiteral("; "))));
}

void TestControlDrawing::shorterFaderStaysReadable_data()
{
    QTest::addColumn<int>("height");
    QTest::newRow("244 high") << 244;
    QTest::newRow("200 high") << 200;
}

// A fader made shorter with its handle keeps a caption and a value that can
// be read, inside their rows, and its knob where its value says.
void TestControlDrawing::shorterFaderStaysReadable()
{
    QFETCH(int, height);
    EditorFixture editor;
    QVERIFY(editor.isReady());
    const QPointer<CControl> pFader = editor.dropFromDesign(QStringLiteral("Lobby Gain/Level"), 60, 40, rangedDesign());
    QVERIFY(pFader);
    editor.resize(pFader, QSizeF(pFader->bounds().width(), height));
    QVERIFY2(std::abs(pFader->bounds().height() - height) < 10, qPrintable(rectText(pFader->bounds())));

    for (const char *type : {"label", "textedit"}) {
        const WWidget *pWidget = pFader->findWidget(QLatin1String(type));
        QVERIFY(pWidget);
        const QStringList outside = drawnOutside(pWidget);
        QVERIFY2(outside.isEmpty(), qPrintable(outside.join(QStringLiteral("; "))));
        const QQuickItem *pText = nullptr;
        for (const QQuickItem *pItem : qobject_cast<QQuickItem *>(pWidget->widget())->findChildren<QQuickItem *>()) {
            if (isText(pItem) && !pItem->property("text").toString().isEmpty())
                pText = pItem;
        }
        if (!pText && isText(qobject_cast<QQuickItem *>(pWidget->widget())))
            pText = qobject_cast<QQuickItem *>(pWidget->widget());
        QVERIFY2(pText, type);
        // The canvas's standard text is 12 px at this scale; rows of 16 px hold 11 px.
        const int pixels = pText->property("font").value<QFont>().pixelSize();
        QVERIFY2(pixels >= 11, qPrintable(QStringLiteral("%1: %2 px").arg(QLatin1String(type)).arg(pixels)));
    }

    // The knob sits as far along its travel as the value lies in its range.
    auto *pTrack = qobject_cast<QQuickItem *>(pFader->findWidget(QStringLiteral("slider"))->widget());
    QVERIFY(pTrack);
    const qreal knobSize = pTrack->property("knobSize").toReal();
    const qreal travel = pTrack->property("rHeight").toReal() - knobSize;
    const qreal minimum = pTrack->property("minimumValue").toReal();
    const qreal maximum = pTrack->property("maximumValue").toReal();
    QVERIFY(travel > 0 && maximum > minimum);
    const qreal expected = (pTrack->property("value").toReal() - minimum) / (maximum - minimum);
    const QQuickItem *pKnob = nullptr;
    for (const QQuickItem *pItem : pTrack->findChildren<QQuickItem *>()) {
        if (qFuzzyCompare(pItem->width(), knobSize) && qFuzzyCompare(pItem->height(), knobSize)
            && pItem->property("radius").toReal() > 0)
            pKnob = pItem;
    }
    QVERIFY(pKnob);
    QTRY_VERIFY2(std::abs(1.0 - pKnob->y() / travel - expected) < 0.02,
                 qPrintable(QStringLiteral("knob at %1 of %2, value at %3").arg(pKnob->y()).arg(travel).arg(expected)));
}

void TestControlDrawing::faderTextsReadOnTheirFrame_data()
{
    QTest::addColumn<QString>("skin");
    QTest::addColumn<bool>("skinFirst"); // the skin chosen before the fader is placed
    QTest::newRow("Light") << "Light" << false;
    QTest::newRow("Dark, chosen first") << "Dark" << true;
    QTest::newRow("Dark, chosen later") << "Dark" << false;
}

// The caption and the value sit on the fader's frame, so they must read on
// the frame's colour whatever the canvas around it.
void TestControlDrawing::faderTextsReadOnTheirFrame()
{
    QFETCH(QString, skin);
    QFETCH(bool, skinFirst);
    EditorFixture editor;
    QVERIFY(editor.isReady());
    if (skinFirst)
        QVERIFY(editor.setSkin(skin));
    QPointer<CControl> pFader = editor.dropFromDesign(QStringLiteral("Lobby Gain/Level"), 60, 40, rangedDesign());
    QVERIFY(pFader);
    if (!skinFirst) {
        QVERIFY(editor.setSkin(skin));
        pFader = editor.panel()->children().last();
        QVERIFY(pFader);
    }
    const WWidget *pFrame = pFader->findWidget(QStringLiteral("frame"));
    QVERIFY(pFrame);
    const QColor ground = pFrame->widget()->property("color").value<QColor>();
    for (const char *type : {"label", "textedit"}) {
        const WWidget *pWidget = pFader->findWidget(QLatin1String(type));
        QVERIFY(pWidget);
        QList<const QQuickItem *> texts{qobject_cast<QQuickItem *>(pWidget->widget())};
        for (const QQuickItem *pItem : texts.first()->findChildren<QQuickItem *>())
            texts << pItem;
        for (const QQuickItem *pText : texts) {
            if (!isText(pText))
                continue;
            const QColor ink = pText->property("color").value<QColor>();
            QVERIFY2(contrast(ink, ground) >= 3.0,
                     qPrintable(QStringLiteral("%1: %2 on %3").arg(QLatin1String(type), ink.name(), ground.name())));
        }
    }
}

VVB_TEST_MAIN(TestControlDrawing)
#include "tst_controldrawing.moc"
