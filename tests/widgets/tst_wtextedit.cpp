#include "model/CControl.h"
#include "support/FaderFixture.h"
#include "support/TestMain.h"
#include "transforms/TTransform.h"
#include "widgets/WSlider.h"
#include "widgets/WTextEdit.h"

#include <QtTest>

namespace {

using Settings = WidgetFixture::Settings;

Settings halfSteps()
{
    return FaderFixture::range(QStringLiteral("-60"), QStringLiteral("12"), QStringLiteral("0.5"));
}

} // namespace

class TestWTextEdit : public QObject
{
    Q_OBJECT

private slots:
    void showsTheDisplayTextOfALinkedValue();
    void linkedTextIsNotSentBack();
    void sendsItsText();
    void sendsNothingWhileUpdatingOrUnbound();
    void takesACurrentTextWithoutSending();
    void typedValueMovesTheLinkedFader();
    void savesAndLoadsOnlyTheCommonSettings();
};

void TestWTextEdit::showsTheDisplayTextOfALinkedValue()
{
    FaderFixture f(halfSteps());
    TTransform *pTransform = f.control->transform();
    pTransform->setDisplayValue(2.5f);
    f.text->linkValue(f.fader);
    QCOMPARE(f.text->text(), QStringLiteral("2.5"));
    QCOMPARE(f.text->lastText(), QStringLiteral("2.5"));
    QVERIFY(!f.text->isUpdating());
    pTransform->setDisplayValue(-1.0f);
    f.text->linkValue(f.fader);
    QCOMPARE(f.text->text(), QStringLiteral("-1.0"));
    // From itself: nothing.
    pTransform->setDisplayValue(4.0f);
    f.text->linkValue(f.text);
    QCOMPARE(f.text->text(), QStringLiteral("-1.0"));
}

// The text a linked value put there is the text last shown: the text
// entry's own change report does not send it back out.
void TestWTextEdit::linkedTextIsNotSentBack()
{
    FaderFixture f(halfSteps());
    f.control->transform()->setDisplayValue(3.0f);
    f.text->linkValue(f.fader);
    f.text->onTextChanged();
    QVERIFY(f.protocol.sentValues().isEmpty());
}

void TestWTextEdit::sendsItsText()
{
    FaderFixture f(halfSteps());
    f.text->setText(QStringLiteral("-3.5"));
    f.text->onTextChanged();
    QCOMPARE(f.protocol.sentTexts(), QStringList{QStringLiteral("-3.5")});
    QCOMPARE(f.protocol.sentValues().first(), f.control->transform());
    QCOMPARE(f.text->lastText(), QStringLiteral("-3.5"));
    // The same text again sends nothing.
    f.text->onTextChanged();
    QCOMPARE(f.protocol.sentValues().size(), 1);
    f.text->setText(QStringLiteral("4"));
    f.text->onTextChanged();
    QCOMPARE(f.protocol.sentTexts(), (QStringList{QStringLiteral("-3.5"), QStringLiteral("4")}));
}

void TestWTextEdit::sendsNothingWhileUpdatingOrUnbound()
{
    FaderFixture f(halfSteps());
    f.text->setText(QStringLiteral("1.5"));
    f.text->setUpdating(true);
    f.text->onTextChanged();
    f.text->setUpdating(false);
    f.text->setOutputEnabled(false);
    f.text->onTextChanged();
    QVERIFY(f.protocol.sentValues().isEmpty());
    f.text->setOutputEnabled(true);

    FaderFixture unbound(halfSteps(), QStringLiteral("Level"), QStringLiteral("Level"), nullptr);
    unbound.text->setText(QStringLiteral("2"));
    unbound.text->onTextChanged();
    QCOMPARE(unbound.text->lastText(), QStringLiteral("2"));
}

void TestWTextEdit::takesACurrentTextWithoutSending()
{
    FaderFixture f(halfSteps());
    f.text->outputCurrentText(QStringLiteral("7"));
    QCOMPARE(f.text->lastText(), QStringLiteral("7"));
    QVERIFY(f.protocol.sentValues().isEmpty());
}

// A text sent by the value text reaches the fader through the link: the knob
// moves and nothing more goes out.
void TestWTextEdit::typedValueMovesTheLinkedFader()
{
    FaderFixture f(halfSteps());
    f.text->setText(QStringLiteral("-3.5"));
    f.text->onTextChanged();
    QCOMPARE(f.position(), -7);
    QCOMPARE(f.fader->lastValue(), -3.5f);
    QTest::qWait(5 * WSlider::SendDelay);
    QCOMPARE(f.protocol.sentValues().size(), 1);
}

void TestWTextEdit::savesAndLoadsOnlyTheCommonSettings()
{
    FaderFixture f(halfSteps());
    const Settings saved = WidgetFixture::saved(f.text);
    QCOMPARE(WidgetFixture::names(saved), (QStringList{"id", "link", "x", "y", "width", "height", "z", "xfract",
                                                       "yfract", "widthfract", "heightfract"}));
    auto *pLoaded = qobject_cast<WTextEdit *>(f.fx.reload(f.text));
    QVERIFY(pLoaded);
    QCOMPARE(pLoaded->widgetId(), 2u);
    QCOMPARE(pLoaded->link(), 1u);
    QCOMPARE(pLoaded->widgetRect(), QRectF(8, 28.8f, 64, 28.8f));
    QCOMPARE(WidgetFixture::saved(pLoaded), saved);
    QVERIFY(!pLoaded->processElement(QStringLiteral("text"), QStringLiteral("x")));
    QVERIFY(!pLoaded->processElement(QStringLiteral("title"), QStringLiteral("x")));
    QCOMPARE(pLoaded->createPropertiesDialog(nullptr), nullptr);
}

VVB_TEST_MAIN(TestWTextEdit)
#include "tst_wtextedit.moc"
