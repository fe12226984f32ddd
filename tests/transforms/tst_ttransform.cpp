#include "model/CAttributes.h"
#include "transforms/TTransform.h"
#include "transforms/TTransformFactory.h"

#include <QtTest>

#include "support/TestMain.h"

class TestTTransform : public QObject
{
    Q_OBJECT

private slots:
    void factoryMakesKindsByExactName_data();
    void factoryMakesKindsByExactName();
    void registryKeepsControls();
    void indexesFallBackToTheBinding();
    void indexesWithoutBinding();
    void pollDueCountsDown_data();
    void pollDueCountsDown();
    void setPollDividerRestartsTheCount();
    void linkWithoutLinkedControlLeavesNextEmpty();
    void linkModeOnePointsFollowerAtChainHead();
    void chainHeadSurvivesACycle();
    void sharedFieldsStartNeutral();
    void useCountNeverGoesBelowZero();
};

void TestTTransform::factoryMakesKindsByExactName_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("typeName");
    QTest::newRow("bin8") << "bin8" << "Bin8";
    QTest::newRow("idx8 is bin8") << "idx8" << "Bin8";
    QTest::newRow("strV") << "strV" << "StrV";
    QTest::newRow("grpV") << "grpV" << "GrpV";
    QTest::newRow("chrL") << "chrL" << "ChrL";
    QTest::newRow("hexL") << "hexL" << "HexL";
    QTest::newRow("strL") << "strL" << "StrL";
    QTest::newRow("text") << "text" << "Text";
    QTest::newRow("passThrough") << "passThrough" << "PassThrough";
    QTest::newRow("capital letter") << "Bin8" << "";
    QTest::newRow("empty") << "" << "";
    QTest::newRow("unknown") << "float" << "";
    QTest::newRow("trailing blank") << "text " << "";
}

void TestTTransform::factoryMakesKindsByExactName()
{
    QFETCH(QString, name);
    QFETCH(QString, typeName);
    std::unique_ptr<TTransform> pTransform(TTransformFactory().createTransform(name));
    QCOMPARE(pTransform ? pTransform->typeName() : QString(), typeName);
}

void TestTTransform::registryKeepsControls()
{
    TTransformFactory factory;
    auto *pA = reinterpret_cast<CControl *>(quintptr(0x10));
    auto *pB = reinterpret_cast<CControl *>(quintptr(0x20));
    const int before = int(factory.transforms().size());
    factory.registerTransform(nullptr);
    factory.registerTransform(pA);
    factory.registerTransform(pB);
    factory.registerTransform(pA);
    QCOMPARE(factory.transforms().size(), before + 3);
    // One call removes the first occurrence only.
    factory.unregisterTransform(pA);
    QCOMPARE(factory.transforms().mid(before), (QList<CControl *>{pB, pA}));
    factory.unregisterTransform(reinterpret_cast<CControl *>(quintptr(0x30)));
    QCOMPARE(factory.transforms().size(), before + 2);
    // Another factory sees the same process-wide list.
    QCOMPARE(TTransformFactory().transforms(), factory.transforms());
    factory.unregisterTransform(pA);
    factory.unregisterTransform(pB);
    QCOMPARE(factory.transforms().size(), before);
}

void TestTTransform::indexesFallBackToTheBinding()
{
    CAttributes attributes;
    attributes.setAttribute(QStringLiteral("list"), QStringLiteral("index1"), QStringLiteral("7"));
    attributes.setAttribute(QStringLiteral("list"), QStringLiteral("index2"), QStringLiteral("9"));
    TTransform transform;
    transform.setAttributes(&attributes);
    QCOMPARE(transform.firstIndex(), 7);
    QCOMPARE(transform.secondIndex(), 9);
    QCOMPARE(transform.thirdIndex(), 7);
    QCOMPARE(transform.fourthIndex(), 9);

    transform.setIndexes(3, 4, 0);
    QCOMPARE(transform.firstIndex(), 3);
    QCOMPARE(transform.secondIndex(), 4);
    QCOMPARE(transform.thirdIndex(), 7);
    QCOMPARE(transform.fourthIndex(), 9);
    QCOMPARE(transform.thirdValue(), 0);

    transform.setThirdIndex(5);
    transform.setFourthIndex(0);
    QCOMPARE(transform.thirdIndex(), 5);
    QCOMPARE(transform.fourthIndex(), 0);

    // -1 gives the binding back.
    transform.setIndexes(-1, -1, 2);
    QCOMPARE(transform.firstIndex(), 7);
    QCOMPARE(transform.secondIndex(), 9);
    QCOMPARE(transform.thirdValue(), 2);
}

void TestTTransform::indexesWithoutBinding()
{
    TTransform transform;
    QCOMPARE(transform.firstIndex(), 0);
    QCOMPARE(transform.fourthIndex(), 0);
    transform.setIndexes(2, 1, 0);
    QCOMPARE(transform.firstIndex(), 2);
    QCOMPARE(transform.secondIndex(), 1);
}

void TestTTransform::pollDueCountsDown_data()
{
    QTest::addColumn<int>("divider");
    QTest::addColumn<QList<bool>>("due");
    QTest::newRow("default 4") << 4 << QList<bool>{true, false, false, false, true, false, false, false, true};
    QTest::newRow("1") << 1 << QList<bool>{true, true, true, true};
    QTest::newRow("0") << 0 << QList<bool>{true, true, true, true};
    QTest::newRow("2") << 2 << QList<bool>{true, false, true, false, true};
}

void TestTTransform::pollDueCountsDown()
{
    QFETCH(int, divider);
    QFETCH(QList<bool>, due);
    TTransform transform;
    if (divider != 4)
        transform.setPollDivider(divider);
    QList<bool> answers;
    for (qsizetype i = 0; i < due.size(); ++i)
        answers.append(transform.pollDue());
    QCOMPARE(answers, due);
}

void TestTTransform::setPollDividerRestartsTheCount()
{
    TTransform transform;
    QVERIFY(transform.pollDue());
    QVERIFY(!transform.pollDue());
    transform.setPollDivider(4);
    QVERIFY(transform.pollDue());
}

void TestTTransform::linkWithoutLinkedControlLeavesNextEmpty()
{
    CAttributes attributes;
    attributes.setAttribute(QStringLiteral("list"), QStringLiteral("link"), QStringLiteral("12"));
    TTransform transform;
    transform.setAttributes(&attributes);
    transform.linkNext(0);
    QVERIFY(!transform.next());
    QCOMPARE(transform.head(), &transform);
    TTransform bare;
    bare.linkNext(0);
    bare.linkNext(1);
    bare.linkNext(7);
    QVERIFY(!bare.next());
}

void TestTTransform::linkModeOnePointsFollowerAtChainHead()
{
    TTransform first;
    TTransform middle;
    TTransform last;
    middle.setHead(&first);
    middle.setNext(&last);
    middle.linkNext(1);
    QCOMPARE(last.head(), &first);
    QCOMPARE(last.chainHead(), &first);
    middle.dumpChain();
}

void TestTTransform::chainHeadSurvivesACycle()
{
    TTransform a;
    TTransform b;
    a.setHead(&b);
    b.setHead(&a);
    a.setNext(&b);
    b.setNext(&a);
    QVERIFY(a.chainHead());
    a.dumpChain();
    // A head that is gone reads as the transform itself.
    auto *pGone = new TTransform;
    a.setHead(pGone);
    delete pGone;
    QCOMPARE(a.head(), &a);
}

void TestTTransform::sharedFieldsStartNeutral()
{
    TTransform transform;
    QCOMPARE(transform.replyFirstIndex(), -1);
    QCOMPARE(transform.replySecondIndex(), -1);
    QVERIFY(transform.isLive());
    QCOMPARE(transform.meterChannelName(), QString());
    QCOMPARE(transform.meterChannelIndex(), -1);
    QCOMPARE(transform.meterIndexOffset(), 0);
    QCOMPARE(transform.useCount(), 0);
    QCOMPARE(transform.pollDivider(), 4);
    QCOMPARE(transform.typeName(), QStringLiteral("TTransform"));
    QCOMPARE(transform.valueLength(), 0);
    QVERIFY(transform.displayText().isEmpty());
    QVERIFY(transform.sourceText().isEmpty());
    // Getters of a form the kind does not have leave the argument alone.
    float f = 2.5f;
    QCOMPARE(transform.value(f), 2.5f);
    QCOMPARE(f, 2.5f);
    int reply = 9;
    QCOMPARE(transform.replyValue(reply), 9);
    QSignalSpy spy(&transform, &TTransform::replyValueReady);
    transform.deliverReply(QStringLiteral("1"));
    transform.setReplyText(QStringLiteral("1"));
    QCOMPARE(spy.count(), 0);
}

void TestTTransform::useCountNeverGoesBelowZero()
{
    TTransform transform;
    QCOMPARE(transform.addUse(), 1);
    QCOMPARE(transform.addUse(), 2);
    QCOMPARE(transform.releaseUse(), 1);
    QCOMPARE(transform.releaseUse(), 0);
    QCOMPARE(transform.releaseUse(), 0);
}

VVB_TEST_GUILESS_MAIN(TestTTransform)
#include "tst_ttransform.moc"
