#include "xml/XmlHandler.h"

#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

#include "support/TestMain.h"

namespace {

// Records what a reader sees at each element, through the base's own stack.
class RecordingHandler : public XmlHandler
{
public:
    bool startElement(const QString &uri, const QString &localName, const QString &qName,
                      const QXmlAttributes &attributes) override
    {
        XmlHandler::startElement(uri, localName, qName, attributes);
        seen << QStringLiteral("%1:%2/%3").arg(depth()).arg(parentElement(), currentElement());
        if (localName == QLatin1String("probe"))
            probe = attributeValue(attributes, QStringLiteral("x"));
        return true;
    }
    bool endElement(const QString &uri, const QString &localName, const QString &qName) override
    {
        XmlHandler::endElement(uri, localName, qName);
        depthsAfterEnd << depth();
        return true;
    }
    bool characters(const QString &text) override
    {
        if (!text.trimmed().isEmpty())
            texts << text;
        return true;
    }

    QStringList seen;
    QList<int> depthsAfterEnd;
    QStringList texts;
    QString probe;
};

int g_fatalWarnings = 0;
QtMessageHandler g_previousHandler = nullptr;

void countingHandler(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type == QtWarningMsg && message.startsWith(QLatin1String("Fatal error on line")))
        ++g_fatalWarnings;
    if (g_previousHandler)
        g_previousHandler(type, context, message);
}

QByteArray nested(int levels)
{
    QByteArray open, close;
    for (int i = 0; i < levels; ++i) {
        open += "<e" + QByteArray::number(i) + ">";
        close.prepend("</e" + QByteArray::number(i) + ">");
    }
    return "<?xml version=\"1.0\"?>" + open + close;
}

} // namespace

class TestXmlHandler : public QObject
{
    Q_OBJECT

private slots:
    void emptyDocumentEndsAtDepthZero()
    {
        RecordingHandler handler;
        QVERIFY(XmlHandler::parseData("<?xml version=\"1.0\"?><VMD/>", &handler));
        QCOMPARE(handler.seen, QStringList{QStringLiteral("1:/VMD")});
        QCOMPARE(handler.depth(), 0);
    }

    void currentAndParentFollowTheStack()
    {
        RecordingHandler handler;
        QVERIFY(XmlHandler::parseData("<VMD><Scenes><Control/></Scenes><Canvas/></VMD>", &handler));
        const QStringList expected{QStringLiteral("1:/VMD"), QStringLiteral("2:VMD/Scenes"),
                                   QStringLiteral("3:Scenes/Control"), QStringLiteral("2:VMD/Canvas")};
        QCOMPARE(handler.seen, expected);
        QCOMPARE(handler.depthsAfterEnd, (QList<int>{2, 1, 1, 0}));
    }

    void namesAreLocalNames()
    {
        RecordingHandler handler;
        QVERIFY(XmlHandler::parseData("<a:VMD xmlns:a=\"urn:x\"><a:Node/></a:VMD>", &handler));
        QCOMPARE(handler.seen.last(), QStringLiteral("2:VMD/Node"));
    }

    void attributeLookup_data()
    {
        QTest::addColumn<QByteArray>("xml");
        QTest::addColumn<QString>("expected");
        QTest::newRow("present") << QByteArray("<probe x=\"42\" y=\"1\"/>") << QStringLiteral("42");
        QTest::newRow("absent") << QByteArray("<probe y=\"1\"/>") << QString();
        QTest::newRow("empty value") << QByteArray("<probe x=\"\"/>") << QString();
        QTest::newRow("case-sensitive") << QByteArray("<probe X=\"1\"/>") << QString();
        QTest::newRow("first of two local names")
            << QByteArray("<probe xmlns:a=\"urn:a\" xmlns:b=\"urn:b\" a:x=\"first\" b:x=\"second\"/>")
            << QStringLiteral("first");
    }

    void attributeLookup()
    {
        QFETCH(QByteArray, xml);
        QFETCH(QString, expected);
        RecordingHandler handler;
        handler.probe = QStringLiteral("untouched");
        QVERIFY(XmlHandler::parseData(xml, &handler));
        QCOMPARE(handler.probe, expected);
        QVERIFY(!handler.probe.isNull() || expected.isEmpty());
    }

    void deepNestingIsCountedButNotStored()
    {
        RecordingHandler handler;
        QVERIFY(XmlHandler::parseData(nested(16), &handler));
        QCOMPARE(handler.seen.at(11), QStringLiteral("12:e10/e11"));
        // Level 12 and deeper: counted, names not kept, lookups stay inside the stack.
        QCOMPARE(handler.seen.at(12), QStringLiteral("13:e11/"));
        QCOMPARE(handler.seen.at(13), QStringLiteral("14:/"));
        QCOMPARE(handler.depthsAfterEnd.size(), 16);
        QCOMPARE(handler.depthsAfterEnd.at(4), 11);
        QCOMPARE(handler.depth(), 0);
    }

    void stackReadsOutsideTheKeptLevelsAreEmpty()
    {
        XmlHandler handler;
        QVERIFY(handler.elementAt(-1).isEmpty());
        QVERIFY(handler.currentElement().isEmpty());
        handler.popElement();
        QCOMPARE(handler.depth(), 0);
        for (int i = 0; i < 20; ++i)
            handler.pushElement(QStringLiteral("n%1").arg(i));
        QCOMPARE(handler.elementAt(11), QStringLiteral("n11"));
        QVERIFY(handler.elementAt(12).isEmpty());
        QVERIFY(handler.elementAt(100).isEmpty());
    }

    void malformedInputGivesOneFatalWarning_data()
    {
        QTest::addColumn<QByteArray>("xml");
        QTest::newRow("unclosed") << QByteArray("<VMD><Scenes></VMD>");
        QTest::newRow("garbage") << QByteArray("\x01\x02 not xml at all");
        QTest::newRow("truncated") << QByteArray("<VMD><Scenes name=\"a");
        QTest::newRow("two roots") << QByteArray("<a/><b/>");
    }

    void malformedInputGivesOneFatalWarning()
    {
        QFETCH(QByteArray, xml);
        g_fatalWarnings = 0;
        g_previousHandler = qInstallMessageHandler(countingHandler);
        RecordingHandler handler;
        const bool parsed = XmlHandler::parseData(xml, &handler);
        qInstallMessageHandler(g_previousHandler);
        QVERIFY(!parsed);
        QCOMPARE(g_fatalWarnings, 1);
    }

    void decodesDeclaredWindows1252()
    {
        RecordingHandler handler;
        QByteArray xml("<?xml version=\"1.0\" encoding=\"Windows-1252\"?><VMD>caf\xe9 \x80</VMD>");
        QVERIFY(XmlHandler::parseData(xml, &handler));
        QCOMPARE(handler.texts.join(QString()), QString::fromUtf8("caf\xc3\xa9 \xe2\x82\xac"));
    }

    void readsUtf16BigEndianFileInBinaryMode()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("p.cpf"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        const QString text = QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-16\"?>\r\n<VMD>\u00e9\r\n\u20ac</VMD>\n");
        QByteArray bytes("\xfe\xff", 2);
        for (QChar c : text) {
            bytes.append(char(c.unicode() >> 8));
            bytes.append(char(c.unicode() & 0xff));
        }
        file.write(bytes);
        file.close();
        RecordingHandler handler;
        QVERIFY(XmlHandler::parseFile(path, &handler));
        QVERIFY(handler.texts.join(QString()).contains(QStringLiteral("\u00e9\r\n\u20ac")));
    }

    void missingFileFails()
    {
        RecordingHandler handler;
        QVERIFY(!XmlHandler::parseFile(QStringLiteral("/nonexistent/file.xml"), &handler));
        QVERIFY(!XmlHandler::parseData("<a/>", nullptr));
    }
};

VVB_TEST_GUILESS_MAIN(TestXmlHandler)
#include "tst_xmlhandler.moc"
