#include "interfaces/ITcpReplyBuffer.h"

#include <QtTest>

#include "support/TestMain.h"

using Pieces = QList<QByteArray>;

class TestITcpReplyBuffer : public QObject
{
    Q_OBJECT

private slots:
    void framing_data()
    {
        QTest::addColumn<Pieces>("reads");
        QTest::addColumn<Pieces>("expected");
        QTest::addColumn<int>("tail");

        QTest::newRow("two lines in one read stay one piece")
            << Pieces{"A=1\rB=2\r"} << Pieces{"A=1\rB=2"} << 0;
        QTest::newRow("replies split at ;") << Pieces{"X;Y;"} << Pieces{"X", "Y"} << 0;
        QTest::newRow("a lone CR gives nothing") << Pieces{"\r"} << Pieces{} << 0;
        QTest::newRow("empty pieces count") << Pieces{"a;;b\r"} << Pieces{"a", "", "b"} << 0;
        QTest::newRow("CR before ;") << Pieces{"X\r;Y\r"} << Pieces{"X\r", "Y"} << 0;
        QTest::newRow("reply split over two reads")
            << Pieces{"GA\"Gain 1\">1", "=-12.0\r"} << Pieces{"GA\"Gain 1\">1=-12.0"} << 0;
        QTest::newRow("reply split after its CR-less part")
            << Pieces{"S 1", "f\r"} << Pieces{"S 1f"} << 0;
        QTest::newRow("lone ACK") << Pieces{"\x06"} << Pieces{"\x06"} << 0;
        QTest::newRow("lone NAK") << Pieces{"\x15"} << Pieces{"\x15"} << 0;
        QTest::newRow("ACK then a reply in a later read")
            << Pieces{"\x06", "GA\"x\">1=5\r"} << Pieces{"\x06", "GA\"x\">1=5"} << 0;
        QTest::newRow("ACK and a split reply")
            << Pieces{"\x06GA\"x\"", ">1=5\r"} << Pieces{"\x06GA\"x\">1=5"} << 0;
        QTest::newRow("ACK after a line end") << Pieces{"X\r\x06"} << Pieces{"X\r\x06"} << 0;
        QTest::newRow("unterminated text waits") << Pieces{"a;b"} << Pieces{"a"} << 1;
        QTest::newRow("tail completed later")
            << Pieces{"a;b", "c\r"} << Pieces{"a", "bc"} << 0;
    }

    void framing()
    {
        QFETCH(Pieces, reads);
        QFETCH(Pieces, expected);
        QFETCH(int, tail);
        ITcpReplyBuffer buffer;
        Pieces pieces;
        for (const QByteArray &read : reads)
            pieces += buffer.take(read);
        QCOMPARE(pieces, expected);
        QCOMPARE(buffer.tailSize(), tail);
    }

    void garbageWithoutLineEndsStaysBounded()
    {
        ITcpReplyBuffer buffer;
        const QByteArray junk(4096, 'x');
        for (int i = 0; i < 100; ++i) {
            QVERIFY(buffer.take(junk).isEmpty());
            QVERIFY(buffer.tailSize() <= ITcpReplyBuffer::MaxTail);
        }
        QVERIFY(buffer.droppedBytes() > 0);
        // The stream recovers at the next whole reply.
        buffer.clear();
        QCOMPARE(buffer.take("GS\r"), Pieces{"GS"});
    }

    void binaryGarbageGivesBoundedPieces()
    {
        ITcpReplyBuffer buffer;
        QByteArray junk;
        for (int i = 0; i < 70000; ++i)
            junk.append(char(i * 37 % 256));
        const Pieces pieces = buffer.take(junk);
        QVERIFY(buffer.tailSize() <= ITcpReplyBuffer::MaxTail);
        qsizetype total = 0;
        for (const QByteArray &piece : pieces)
            total += piece.size();
        QVERIFY(total <= junk.size());
    }
};

VVB_TEST_GUILESS_MAIN(TestITcpReplyBuffer)
#include "tst_itcpreplybuffer.moc"
