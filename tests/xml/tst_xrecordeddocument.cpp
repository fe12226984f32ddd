#include "xml/XRecordedDocument.h"
#include "xml/XmlHandler.h"

#include "support/TestMain.h"
#include "support/TestSupport.h"

#include <QTemporaryDir>
#include <QXmlDefaultHandler>
#include <QtTest>

namespace {

// Every call the reader makes, as text.
class EventLog : public QXmlDefaultHandler
{
public:
    bool startDocument() override { return add(QStringLiteral("document")); }
    bool endDocument() override { return add(QStringLiteral("/document")); }
    bool startPrefixMapping(const QString &prefix, const QString &uri) override
    {
        return add(QStringLiteral("prefix %1=%2").arg(prefix, uri));
    }
    bool endPrefixMapping(const QString &prefix) override { return add(QStringLiteral("/prefix ") + prefix); }
    bool startElement(const QString &uri, const QString &localName, const QString &qName,
                      const QXmlAttributes &attributes) override
    {
        QString line = QStringLiteral("<%1|%2|%3").arg(uri, localName, qName);
        for (int i = 0; i < attributes.count(); ++i)
            line += QStringLiteral(" %1|%2|%3=%4")
                        .arg(attributes.uri(i), attributes.localName(i), attributes.qName(i), attributes.value(i));
        return add(line) && ++m_nStarts != refuseAt;
    }
    bool endElement(const QString &uri, const QString &localName, const QString &qName) override
    {
        return add(QStringLiteral("</%1|%2|%3").arg(uri, localName, qName));
    }
    bool characters(const QString &text) override { return add(QStringLiteral("text ") + text); }
    bool ignorableWhitespace(const QString &text) override { return add(QStringLiteral("space ") + text); }
    bool processingInstruction(const QString &target, const QString &data) override
    {
        return add(QStringLiteral("pi %1 %2").arg(target, data));
    }
    bool skippedEntity(const QString &name) override { return add(QStringLiteral("skipped ") + name); }
    bool fatalError(const QXmlParseException &exception) override
    {
        fatalErrors.append(exception.message());
        return false;
    }
    QString errorString() const override { return QStringLiteral("refused"); }

    QStringList events;
    QStringList fatalErrors;
    // The start element, counted from 1, that is refused; 0 refuses none.
    int refuseAt = 0;

private:
    bool add(const QString &event)
    {
        events.append(event);
        return true;
    }

    int m_nStarts = 0;
};

QByteArray utf16BigEndian(const QString &text)
{
    QByteArray bytes("\xfe\xff", 2);
    for (QChar c : text) {
        bytes.append(char(c.unicode() >> 8));
        bytes.append(char(c.unicode() & 0xff));
    }
    return bytes;
}

} // namespace

class TestXRecordedDocument : public QObject
{
    Q_OBJECT

private slots:
    // The handler hears from the recording what it hears from the reader.
    void replayTellsWhatTheReaderTells_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("root");
        QTest::newRow("project file in UTF-16")
            << utf16BigEndian(QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-16\"?>\n<VMD>\n\t<Scenes>\n"
                                             "\t\t<Scene name=\"Lounge\">\n\t\t\t<text> two  spaces \u00e9</text>\n"
                                             "\t\t</Scene>\n\t</Scenes>\n</VMD>\n"))
            << "VMD";
        QTest::newRow("references and CDATA")
            << QByteArray("<VMD><a x=\"1 &amp; 2\" y='&lt;&#65;'>t &amp; u<![CDATA[<z>]]>&#65;&#x42;&gt;</a></VMD>")
            << "VMD";
        QTest::newRow("line ends and attribute layout")
            << QByteArray("<VMD a=\"x\ty\r\nz\" b=\"&#9;&#10;\">l1\r\nl2\rl3&#13;</VMD>\r\n") << "VMD";
        QTest::newRow("layout around elements")
            << QByteArray("<?xml version=\"1.0\"?>\n<VMD>\n\t<a>  x  </a>\n\t<b/>\n\t<c>\n\t</c>\n</VMD>\n") << "VMD";
        QTest::newRow("instructions and comments")
            << QByteArray("<?xml version=\"1.0\"?><!-- head --><VMD><?target some data?><!-- note --><a/></VMD>")
            << "VMD";
        QTest::newRow("namespaces")
            << QByteArray("<p:VMD xmlns:z=\"urn:z\" xmlns:p=\"urn:p\" xmlns=\"urn:d\"><p:a p:x=\"1\" y=\"2\"/>"
                          "<b xmlns:q=\"urn:q\" xmlns:p=\"urn:p2\"><q:c xmlns=\"\"/></b></p:VMD>")
            << "VMD";
        QTest::newRow("standalone declaration")
            << QByteArray("<?xml version='1.0' encoding='UTF-8' standalone='yes' ?><VMD/>") << "VMD";
        QTest::newRow("Windows-1252")
            << QByteArray("<?xml version=\"1.0\" encoding=\"Windows-1252\"?><Design>caf\xe9 \x80</Design>")
            << "Design";
        QTest::newRow("undeclared entity") << QByteArray("<VMD>a&nothing;b</VMD>") << "VMD";
        QTest::newRow("internal entity")
            << QByteArray("<!DOCTYPE VMD [<!ENTITY e \"ee\">]><VMD>a&e;b</VMD>") << "VMD";
    }

    void replayTellsWhatTheReaderTells()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, root);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("document.xml"));
        QVERIFY(TestSupport::writeAll(path, bytes));
        EventLog read;
        QVERIFY(XmlHandler::parseFile(path, &read));

        XRecordedDocument document;
        QVERIFY(document.read(path));
        QCOMPARE(document.rootName(), root);
        EventLog replayed;
        QVERIFY(document.replay(&replayed));
        QCOMPARE(replayed.events, read.events);
        // A recording can be played again.
        EventLog again;
        QVERIFY(document.replay(&again));
        QCOMPARE(again.events, read.events);
    }

    void unreadableFileKeepsNothing_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("missing") << QByteArray();
        QTest::newRow("empty") << QByteArray("");
        QTest::newRow("not xml") << QByteArray("\x01\x02\x03 noise");
        QTest::newRow("truncated") << QByteArray("<?xml version=\"1.0\"?>\n<VMD>\n\t<Version>\n\t\t<fileVersion>9");
        QTest::newRow("mismatched tags") << QByteArray("<VMD><a></b></VMD>");
        QTest::newRow("two roots") << QByteArray("<a/><b/>");
    }

    void unreadableFileKeepsNothing()
    {
        QFETCH(QByteArray, bytes);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("document.xml"));
        if (!bytes.isNull())
            QVERIFY(TestSupport::writeAll(path, bytes));
        XRecordedDocument document;
        QVERIFY(!document.read(path));
        QVERIFY(document.rootName().isEmpty());
        EventLog replayed;
        QVERIFY(document.replay(&replayed));
        QCOMPARE(replayed.events, QStringList({QStringLiteral("document"), QStringLiteral("/document")}));
    }

    // A second read replaces the first.
    void readAgainKeepsOnlyTheNewDocument()
    {
        QTemporaryDir dir;
        const QString first = dir.filePath(QStringLiteral("first.xml"));
        const QString second = dir.filePath(QStringLiteral("second.xml"));
        QVERIFY(TestSupport::writeAll(first, "<VMD><a>one</a></VMD>"));
        QVERIFY(TestSupport::writeAll(second, "<Other><b>two</b></Other>"));
        XRecordedDocument document;
        QVERIFY(document.read(first));
        QVERIFY(document.read(second));
        QCOMPARE(document.rootName(), QStringLiteral("Other"));
        EventLog read;
        QVERIFY(XmlHandler::parseFile(second, &read));
        EventLog replayed;
        QVERIFY(document.replay(&replayed));
        QCOMPARE(replayed.events, read.events);
        QVERIFY(!document.read(dir.filePath(QStringLiteral("missing.xml"))));
        QVERIFY(document.rootName().isEmpty());
    }

    // A handler that refuses an element stops the replay there and is told
    // of the error, as the reader tells it.
    void refusalStopsTheReplay()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("document.xml"));
        QVERIFY(TestSupport::writeAll(path, "<VMD><a>one</a><b>two</b><c/></VMD>"));
        XRecordedDocument document;
        QVERIFY(document.read(path));
        EventLog replayed;
        replayed.refuseAt = 3;
        QVERIFY(!document.replay(&replayed));
        QCOMPARE(replayed.events.last(), QStringLiteral("<|b|b"));
        QCOMPARE(replayed.fatalErrors, QStringList{QStringLiteral("refused")});
        QVERIFY(!document.replay(nullptr));
    }
};

VVB_TEST_MAIN(TestXRecordedDocument)
#include "tst_xrecordeddocument.moc"
