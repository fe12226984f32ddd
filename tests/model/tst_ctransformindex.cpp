#include "model/PanelFixture.h"

#include "model/CTransformIndex.h"
#include "transforms/TTransform.h"
#include "transforms/TTransformFactory.h"

#include <QPointer>
#include <QtTest>

#include "support/TestMain.h"

namespace {

// What the whole list holds for a binding or a transform, in list order.
QList<CControl *> listedWith(const CControl *pLike)
{
    QList<CControl *> found;
    for (CControl *pEntry : TTransformFactory().transforms()) {
        if (pEntry && pEntry->transform() && pEntry->node() == pLike->node() && pEntry->name() == pLike->name()
            && pEntry->type() == pLike->type())
            found.append(pEntry);
    }
    return found;
}

QList<CControl *> listedUsing(const TTransform *pTransform)
{
    QList<CControl *> found;
    for (CControl *pEntry : TTransformFactory().transforms()) {
        if (pEntry && pEntry->transform() == pTransform)
            found.append(pEntry);
    }
    return found;
}

} // namespace

class TestCTransformIndex : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        PanelFixture::flushDeletes();
        QVERIFY(TTransformFactory().transforms().isEmpty());
    }

    void onlyTheFirstIsActive()
    {
        QVERIFY(!CTransformIndex::active());
        {
            CTransformIndex outer;
            QCOMPARE(CTransformIndex::active(), &outer);
            {
                CTransformIndex inner;
                QCOMPARE(CTransformIndex::active(), &outer);
            }
            QCOMPARE(CTransformIndex::active(), &outer);
        }
        QVERIFY(!CTransformIndex::active());
    }

    // Built from the list at its first question, then kept in step with it.
    void followsTheList()
    {
        PanelFixture fx;
        FakeNode &node = *fx.node();
        CControl *pA = fx.control(QStringLiteral("Gain"), QStringLiteral("Slider"), &node);
        CControl *pB = fx.control(QStringLiteral("Mute"), QStringLiteral("Button"), &node);
        pA->initialize();
        pB->initialize();

        CTransformIndex index;
        QCOMPARE(index.sameBinding(pA), listedWith(pA));
        QCOMPARE(index.users(pB->transform()), QList<CControl *>{pB});
        CControl *pC = fx.control(QStringLiteral("Gain"), QStringLiteral("Slider"), &node);
        pC->initialize();
        QCOMPARE(pC->transform(), pA->transform());
        QCOMPARE(index.sameBinding(pA), (QList<CControl *>{pA, pC}));
        QCOMPARE(index.users(pA->transform()), listedUsing(pA->transform()));

        TTransform *pShared = pA->transform();
        fx.panel.removeChild(pA, true);
        PanelFixture::flushDeletes();
        QCOMPARE(index.sameBinding(pC), QList<CControl *>{pC});
        QCOMPARE(index.users(pShared), QList<CControl *>{pC});
        // A control that was never listed changes nothing.
        delete fx.control(QStringLiteral("Gain"), QStringLiteral("Slider"), &node, QStringLiteral("bin8"), false);
        QCOMPARE(index.users(pShared), QList<CControl *>{pC});
    }

    // Several transforms for one binding (a control renamed onto another's
    // name): the one listed last is shared, indexed or not.
    void lastListedTransformIsShared_data()
    {
        QTest::addColumn<bool>("indexed");
        QTest::newRow("one by one") << false;
        QTest::newRow("indexed") << true;
    }

    void lastListedTransformIsShared()
    {
        QFETCH(bool, indexed);
        PanelFixture fx;
        FakeNode &node = *fx.node();
        CControl *pA = fx.control(QStringLiteral("Gain"), QStringLiteral("Slider"), &node);
        CControl *pB = fx.control(QStringLiteral("Trim"), QStringLiteral("Slider"), &node);
        pA->initialize();
        pB->initialize();
        pB->setName(QStringLiteral("Gain"));
        QVERIFY(pA->transform() != pB->transform());

        CControl *pC = fx.control(QStringLiteral("Gain"), QStringLiteral("Slider"), &node);
        if (indexed)
            fx.panel.initialize();
        else
            pC->initialize();
        QCOMPARE(pC->transform(), pB->transform());
    }

    // Clearing a composite lets go of every transform its controls held: a
    // transform another composite still uses stays, reading a survivor's
    // attributes; one nobody else uses goes.
    void clearingKeepsWhatOthersUse()
    {
        PanelFixture fx;
        FakeNode &node = *fx.node();
        CComposite other;
        auto *pKept = new CControl;
        pKept->setKind(QStringLiteral("Control"));
        pKept->setName(QStringLiteral("Gain"));
        pKept->setType(QStringLiteral("Slider"));
        pKept->setNode(&node);
        pKept->setAttribute(QStringLiteral("list"), QStringLiteral("transform"), QStringLiteral("bin8"));
        other.addChild(pKept);
        pKept->initialize();
        CControl *pFirst = fx.control(QStringLiteral("Gain"), QStringLiteral("Slider"), &node);
        CControl *pOwn = fx.control(QStringLiteral("Solo"), QStringLiteral("Button"), &node);
        fx.panel.initialize();
        QPointer<TTransform> pShared = pFirst->transform();
        QPointer<TTransform> pAlone = pOwn->transform();
        QCOMPARE(pKept->transform(), pShared.data());
        QCOMPARE(pShared->attributes(), &pFirst->attributes());

        fx.panel.clear();
        PanelFixture::flushDeletes();
        QVERIFY(pShared);
        QVERIFY(!pAlone);
        QCOMPARE(pShared->attributes(), &pKept->attributes());
        QCOMPARE(pShared->useCount(), 1);
        QCOMPARE(TTransformFactory().transforms(), QList<CControl *>{pKept});
        other.clear();
        PanelFixture::flushDeletes();
        QVERIFY(!pShared);
        QVERIFY(TTransformFactory().transforms().isEmpty());
    }
};

VVB_TEST_MAIN(TestCTransformIndex)
#include "tst_ctransformindex.moc"
