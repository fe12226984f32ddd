#include "support/TestMain.h"
#include "support/TestSupport.h"
#include "utility/ULogger.h"

#include <QRegularExpression>
#include <QStandardPaths>
#include <QThread>
#include <QtTest>

#include <thread>
#include <vector>

// Log line formats, the start line of a run and the size trim of the log file.
class TestULogger : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void startLineFollowsEarlierRuns();
    void lineFormats_data();
    void lineFormats();
    void byteTextStopsAtNul();
    void trim_data();
    void trim();
    void trimTimerSlotTrims();
    void missingFileIsLeftAlone();
    void unwritableFileFailsAndNextLineRecovers();
    void setPathKeepsLogging();
    void concurrentLinesStayWhole();

private:
    static QString logPath();
    static QByteArray lastLine();
    static QByteArray lines(int count, int length, char fill);

    QByteArray m_earlier;
    QByteArray m_afterStart;
};

static const qint64 Max = ULogger::MaxLogSize;

QString TestULogger::logPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)
        + QStringLiteral("/vmrlog.txt");
}

QByteArray TestULogger::lastLine()
{
    QByteArray content = TestSupport::readAll(logPath());
    if (!content.endsWith('\n'))
        return QByteArray("<no final newline>");
    content.chop(1);
    return content.mid(content.lastIndexOf('\n') + 1);
}

// count lines of exactly length bytes each, newline included.
QByteArray TestULogger::lines(int count, int length, char fill)
{
    QByteArray line(length - 1, fill);
    line += '\n';
    return line.repeated(count);
}

void TestULogger::initTestCase()
{
    // A log left by an earlier run, before this process first uses the logger.
    m_earlier = "old | 01:02:3 | first\nold | 01:02:4 | second\n";
    QVERIFY(TestSupport::writeAll(logPath(), m_earlier));
    QVERIFY(ULogger::instance());
    m_afterStart = TestSupport::readAll(logPath());
}

void TestULogger::startLineFollowsEarlierRuns()
{
    QVERIFY(m_afterStart.startsWith(m_earlier));
    const QByteArray start = m_afterStart.mid(m_earlier.size());
    const QRegularExpression pattern(QStringLiteral(
        "^INFO \\| \\d\\d:\\d\\d:\\d\\d\\.\\d{3} \\| [0-9a-f]+ \\| START LOG\\n$"));
    QVERIFY2(pattern.match(QString::fromUtf8(start)).hasMatch(), start.constData());
    QCOMPARE(ULogger::instance(), ULogger::instance());
}

void TestULogger::lineFormats_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("tag");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("pattern");

    const QString tagTime = QStringLiteral(" \\| \\d\\d:\\d\\d:\\d+ \\| ");
    const QString thread =
        QString::number(reinterpret_cast<quintptr>(QThread::currentThreadId()), 16);
    QTest::newRow("tagged")
        << "tagged" << "sendStruct10:" << "SSV 1,2,3"
        << "^sendStruct10:" + tagTime + "SSV 1,2,3$";
    QTest::newRow("tag ending in blank keeps both blanks")
        << "tagged" << "Received: " << "6" << "^Received:  \\| \\d\\d:\\d\\d:\\d+ \\| 6$";
    QTest::newRow("tagged bytes")
        << "bytes" << "dialer state = " << "Zürich ok"
        << "^dialer state = " + tagTime + "Zürich ok$";
    QTest::newRow("info")
        << "info" << "" << "Test Log Write Success"
        << "^INFO \\| \\d\\d:\\d\\d:\\d\\d\\.\\d{3} \\| " + thread + " \\| Test Log Write Success$";
    QTest::newRow("raw") << "raw" << "" << "just | this" << "^just \\| this$";
    QTest::newRow("raw empty") << "raw" << "" << "" << "^$";
}

void TestULogger::lineFormats()
{
    QFETCH(QString, kind);
    QFETCH(QString, tag);
    QFETCH(QString, text);
    QFETCH(QString, pattern);

    ULogger *logger = ULogger::instance();
    bool ok = false;
    if (kind == QLatin1String("tagged"))
        ok = logger->logTagged(tag, text);
    else if (kind == QLatin1String("bytes"))
        ok = logger->logTagged(tag, text.toUtf8());
    else if (kind == QLatin1String("info"))
        ok = logger->logInfo(text);
    else
        ok = logger->logRaw(text);
    QVERIFY(ok);

    const QByteArray line = lastLine();
    QVERIFY2(QRegularExpression(pattern).match(QString::fromUtf8(line)).hasMatch(),
             line.constData());
}

void TestULogger::byteTextStopsAtNul()
{
    QVERIFY(ULogger::instance()->logTagged(QStringLiteral("Received: "),
                                           QByteArray("GS 1\0garbage", 12)));
    QVERIFY(lastLine().endsWith(" | GS 1"));
    QVERIFY(ULogger::instance()->logTagged(QStringLiteral("sendStruct1:"), "plain"));
    QVERIFY(lastLine().endsWith(" | plain"));
}

void TestULogger::trim_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QByteArray>("expected");

    const QByteArray exact = lines(Max / 64, 64, 'a');
    QCOMPARE(exact.size(), Max);
    QTest::newRow("exactly the limit is left alone") << exact << exact;

    const QByteArray oneOver = "012345678\n" + lines(Max / 64, 64, 'b').mid(9);
    QCOMPARE(oneOver.size(), Max + 1);
    QTest::newRow("one byte over drops the first whole line")
        << oneOver << oneOver.mid(10);

    const QByteArray fitsAfterOneByteLine = "\n" + exact;
    QTest::newRow("dropping a blank first line leaves exactly the limit")
        << fitsAfterOneByteLine << exact;

    // 100-byte lines: 10485 of them fit (1048500), 10486 do not.
    const QByteArray big = lines(3 * 10486, 100, 'c') + lines(10485, 100, 'd');
    QTest::newRow("three times over keeps the newest lines that fit")
        << big << lines(10485, 100, 'd');

    const QByteArray unterminated = lines(10486, 100, 'e') + "tail";
    QTest::newRow("unterminated last line is kept with the lines that fit")
        << unterminated << lines(10485, 100, 'e') + "tail";

    const QByteArray longLast = "short\n" + QByteArray(Max, 'f') + '\n';
    QTest::newRow("last line alone too long empties the file") << longLast << QByteArray();

    const QByteArray longUnterminated = "a\n" + QByteArray(Max + 1, 'g');
    QTest::newRow("unterminated last line too long empties the file")
        << longUnterminated << QByteArray();

    const QByteArray noNewline(Max + 5, 'h');
    QTest::newRow("one huge line without newline empties the file")
        << noNewline << QByteArray();
}

void TestULogger::trim()
{
    QFETCH(QByteArray, content);
    QFETCH(QByteArray, expected);

    QVERIFY(TestSupport::writeAll(logPath(), content));
    QVERIFY(ULogger::instance()->trim());
    const QByteArray after = TestSupport::readAll(logPath());
    QCOMPARE(after.size(), expected.size());
    QVERIFY(after == expected);
    QVERIFY(after.size() <= Max);
}

void TestULogger::trimTimerSlotTrims()
{
    const QByteArray content = "x\n" + lines(Max / 64, 64, 'i');
    QVERIFY(TestSupport::writeAll(logPath(), content));
    QVERIFY(QMetaObject::invokeMethod(ULogger::instance(), "_onLogTrimLoopTick"));
    QVERIFY(TestSupport::readAll(logPath()) == content.mid(2));

    // The trimmed file still takes new lines at its end.
    QVERIFY(ULogger::instance()->logRaw(QStringLiteral("after trim")));
    QCOMPARE(lastLine(), QByteArray("after trim"));
}

void TestULogger::missingFileIsLeftAlone()
{
    QVERIFY(QFile::remove(logPath()));
    QVERIFY(ULogger::instance()->trim());
    QVERIFY(!QFile::exists(logPath()));
    QVERIFY(ULogger::instance()->logRaw(QStringLiteral("recreated")));
    QCOMPARE(TestSupport::readAll(logPath()), QByteArray("recreated\n"));
}

void TestULogger::unwritableFileFailsAndNextLineRecovers()
{
    // A folder in place of the log file: the line is lost, nothing crashes.
    QFile::remove(logPath());
    QVERIFY(QDir().mkpath(logPath()));
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("^Could not open file at ")));
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("^Log write failed: ")));
    QVERIFY(!ULogger::instance()->logRaw(QStringLiteral("lost")));
    QTest::ignoreMessage(QtWarningMsg,
                         QRegularExpression(QStringLiteral("^Could not open log file for truncation")));
    QVERIFY(!ULogger::instance()->trim());

    QVERIFY(QDir(logPath()).removeRecursively());
    QVERIFY(ULogger::instance()->logRaw(QStringLiteral("next")));
    QCOMPARE(TestSupport::readAll(logPath()), QByteArray("next\n"));
}

void TestULogger::setPathKeepsLogging()
{
    QVERIFY(TestSupport::writeAll(logPath(), "before\n"));
    QVERIFY(ULogger::instance()->setPath());
    // setPath leaves the file open; the next line must still reach it.
    QVERIFY(ULogger::instance()->logRaw(QStringLiteral("after")));
    QCOMPARE(TestSupport::readAll(logPath()), QByteArray("before\nafter\n"));
    QVERIFY(ULogger::instance()->trim());
}

void TestULogger::concurrentLinesStayWhole()
{
    QVERIFY(TestSupport::writeAll(logPath(), QByteArray()));
    ULogger *logger = ULogger::instance();
    const int threads = 4;
    const int perThread = 200;
    const QByteArray body(80, 'z');
    std::vector<std::thread> workers;
    for (int t = 0; t < threads; ++t) {
        workers.emplace_back([logger, t, &body] {
            for (int i = 0; i < perThread; ++i) {
                if (i % 50 == 0)
                    logger->trim();
                logger->logRaw(QStringLiteral("%1-%2-").arg(t).arg(i) + QString::fromLatin1(body));
            }
        });
    }
    for (std::thread &worker : workers)
        worker.join();

    const QList<QByteArray> written = TestSupport::readAll(logPath()).split('\n');
    QCOMPARE(written.size(), threads * perThread + 1);
    QVERIFY(written.last().isEmpty());
    const QRegularExpression whole(QStringLiteral("^\\d-\\d+-z{80}$"));
    for (int i = 0; i < written.size() - 1; ++i)
        QVERIFY2(whole.match(QString::fromLatin1(written.at(i))).hasMatch(), written.at(i).constData());
}

VVB_TEST_GUILESS_MAIN(TestULogger)
#include "tst_ulogger.moc"
