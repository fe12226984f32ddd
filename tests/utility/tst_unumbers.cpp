#include "utility/UNumbers.h"

#include <QtTest>

#include <cmath>
#include <limits>

#include "support/TestMain.h"

class TestUNumbers : public QObject
{
    Q_OBJECT

private slots:
    void finiteFloat_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<float>("value");
        QTest::addColumn<bool>("ok");
        QTest::newRow("integer") << "40" << 40.0f << true;
        QTest::newRow("negative decimal") << "-12.5" << -12.5f << true;
        QTest::newRow("leading dot") << ".25" << 0.25f << true;
        QTest::newRow("trailing dot") << "7." << 7.0f << true;
        QTest::newRow("leading zeros") << "007.50" << 7.5f << true;
        QTest::newRow("negative zero") << "-0" << -0.0f << true;
        QTest::newRow("spaces around") << " 1.5 " << 1.5f << true;
        QTest::newRow("exponent") << "1e3" << 1000.0f << true;
        QTest::newRow("plus sign") << "+2" << 2.0f << true;
        QTest::newRow("empty") << "" << 0.0f << false;
        QTest::newRow("sign only") << "-" << 0.0f << false;
        QTest::newRow("dot only") << "." << 0.0f << false;
        QTest::newRow("two dots") << "1.2.3" << 0.0f << false;
        QTest::newRow("inner minus") << "1-2" << 0.0f << false;
        QTest::newRow("comma") << "1,5" << 0.0f << false;
        QTest::newRow("text") << "abc" << 0.0f << false;
        QTest::newRow("not a number") << "nan" << 0.0f << false;
        QTest::newRow("infinity") << "inf" << 0.0f << false;
        QTest::newRow("beyond float") << "1e39" << 0.0f << false;
        QTest::newRow("beyond float, plain") << "340282356779733661637539395458142568448" << 0.0f << false;
        QTest::newRow("arabic-indic digits") << QString::fromUtf8("\xd9\xa1\xd9\xa2") << 0.0f << false;
    }

    void finiteFloat()
    {
        QFETCH(QString, text);
        QFETCH(float, value);
        QFETCH(bool, ok);
        bool parsed = !ok;
        const float result = UNumbers::finiteFloat(text, &parsed);
        QCOMPARE(parsed, ok);
        QCOMPARE(result, value);
        QCOMPARE(std::signbit(result), std::signbit(value));
    }

    // Plain decimals take a shorter way: they read exactly as QString reads them.
    void plainDecimalsReadAsQStringReadsThem()
    {
        const QString alphabet = QStringLiteral("0123456789.-");
        for (int n = 0; n < 20000; ++n) {
            QString text;
            for (int length = 1 + n % 33, i = 0; i < length; ++i)
                text += alphabet.at((n * 7 + i * 13 + (n >> 3) * i) % alphabet.size());
            bool expectedOk = false;
            const double expected = text.toDouble(&expectedOk);
            const bool finite = expectedOk && std::isfinite(expected)
                                && std::fabs(expected) <= double(std::numeric_limits<float>::max());
            bool ok = false;
            const float value = UNumbers::finiteFloat(text, &ok);
            QVERIFY2(ok == finite, qPrintable(text));
            QVERIFY2(value == (finite ? float(expected) : 0.0f), qPrintable(text));
        }
    }

    void isPositive()
    {
        QVERIFY(UNumbers::isPositive(0.5f));
        QVERIFY(!UNumbers::isPositive(0.0f));
        QVERIFY(!UNumbers::isPositive(-1.0f));
        QVERIFY(!UNumbers::isPositive(std::numeric_limits<float>::infinity()));
        QVERIFY(!UNumbers::isPositive(std::numeric_limits<float>::quiet_NaN()));
    }
};

VVB_TEST_MAIN(TestUNumbers)
#include "tst_unumbers.moc"
