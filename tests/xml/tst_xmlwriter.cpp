#include "utility/UArchive.h"
#include "xml/XmlHandler.h"
#include "xml/XmlWriter.h"

#include <QBuffer>
#include <QTemporaryDir>
#include <QtTest>

#include "support/TestMain.h"

namespace {

QString utf8(const QByteArray &bytes)
{
    return QString::fromUtf8(bytes);
}

// Collects element texts and attribute values as a reader sees them.
class TextCollector : public XmlHandler
{
public:
    bool startElement(const QString &uri, const QString &localName, const QString &qName,
                      const QXmlAttributes &attributes) override
    {
        XmlHandler::startElement(uri, localName, qName, attributes);
        const QString name = attributeValue(attributes, QStringLiteral("name"));
        if (!name.isEmpty())
            values << name;
        m_text.clear();
        return true;
    }
    bool characters(const QString &text) override
    {
        m_text += text;
        return true;
    }
    bool endElement(const QString &uri, const QString &localName, const QString &qName) override
    {
        if (!m_text.trimmed().isEmpty())
            values << m_text;
        m_text.clear();
        return XmlHandler::endElement(uri, localName, qName);
    }

    QStringList values;

private:
    QString m_text;
};

} // namespace

class TestXmlWriter : public QObject
{
    Q_OBJECT

private slots:
    void escape_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        QTest::newRow("four characters") << QStringLiteral("a<b & \"c\">")
                                         << QStringLiteral("a&#60;b &#38; &#34;c&#34;&#62;");
        QTest::newRow("reference not escaped twice") << QStringLiteral("&&") << QStringLiteral("&#38;&#38;");
        QTest::newRow("existing reference") << QStringLiteral("&#38;") << QStringLiteral("&#38;#38;");
        QTest::newRow("apostrophe and non-ASCII kept") << QStringLiteral("it's \u00e9\u20ac")
                                                       << QStringLiteral("it's \u00e9\u20ac");
        QTest::newRow("tab, line feed, return kept") << QStringLiteral("a\tb\nc\rd")
                                                     << QStringLiteral("a\tb\nc\rd");
        QTest::newRow("C0 controls dropped") << QStringLiteral("a\x01\x08" "b\x1f" "c") << QStringLiteral("abc");
        QTest::newRow("NUL dropped") << QString(QStringLiteral("a%1b")).arg(QChar(0)) << QStringLiteral("ab");
        QTest::newRow("FFFE and FFFF dropped") << QStringLiteral("a\ufffe\uffffb") << QStringLiteral("ab");
        QTest::newRow("lone high surrogate dropped") << QString(QStringLiteral("a%1b")).arg(QChar(0xd800))
                                                     << QStringLiteral("ab");
        QTest::newRow("lone low surrogate dropped") << QString(QStringLiteral("a%1b")).arg(QChar(0xdc00))
                                                    << QStringLiteral("ab");
        QTest::newRow("surrogate pair kept") << QStringLiteral("a\U0001F3B5b") << QStringLiteral("a\U0001F3B5b");
        QTest::newRow("empty") << QString() << QString();
    }

    void escape()
    {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        QCOMPARE(XmlWriter::escape(text), expected);
    }

    void layoutIndentsOneTabPerLevel()
    {
        QByteArray bytes;
        {
            XmlWriter writer;
            writer.setByteArray(&bytes);
            QVERIFY(writer.writeStartElement(QStringLiteral("VMD")));
            QVERIFY(writer.writeStartElementNamed(QStringLiteral("Control"), QStringLiteral("a<b & \"c\">")));
            QVERIFY(writer.writeTextElement(QStringLiteral("title"), QStringLiteral("Lobby")));
            QVERIFY(writer.writeIntElement(QStringLiteral("x"), -12));
            QVERIFY(writer.writeEndElement(QStringLiteral("Control")));
            QVERIFY(writer.writeTextElement(QStringLiteral("empty"), QString()));
            QVERIFY(writer.writeEndElement(QStringLiteral("VMD")));
            QVERIFY(writer.flush());
        }
        QCOMPARE(utf8(bytes), QStringLiteral("<VMD>\n"
                                             "\t<Control name=\"a&#60;b &#38; &#34;c&#34;&#62;\">\n"
                                             "\t\t<title>Lobby</title>\n"
                                             "\t\t<x>-12</x>\n"
                                             "\t</Control>\n"
                                             "\t<empty></empty>\n"
                                             "</VMD>\n"));
    }

    void typedAndIndexedStartElements_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("expected");
        QTest::newRow("text and index") << QStringLiteral("Chassis") << 7
                                        << QStringLiteral("<Connection name=\"Chassis|||7\">\n");
        QTest::newRow("index zero") << QStringLiteral("Chassis") << 0
                                    << QStringLiteral("<Connection name=\"fall&#38;back\">\n");
        QTest::newRow("negative index") << QStringLiteral("Chassis") << -3
                                        << QStringLiteral("<Connection name=\"fall&#38;back\">\n");
        QTest::newRow("empty text") << QString() << 4 << QStringLiteral("<Connection name=\"fall&#38;back\">\n");
        QTest::newRow("escaped text") << QStringLiteral("A&B") << 1
                                      << QStringLiteral("<Connection name=\"A&#38;B|||1\">\n");
    }

    void typedAndIndexedStartElements()
    {
        QFETCH(QString, text);
        QFETCH(int, index);
        QFETCH(QString, expected);
        QByteArray bytes;
        {
            XmlWriter writer;
            writer.setByteArray(&bytes);
            QVERIFY(writer.writeStartElementIndexed(QStringLiteral("Connection"), text,
                                                    QStringLiteral("fall&back"), index));
            writer.flush();
        }
        QCOMPARE(utf8(bytes), expected);
    }

    void typedStartElement()
    {
        QByteArray bytes;
        {
            XmlWriter writer;
            writer.setByteArray(&bytes);
            QVERIFY(writer.writeStartElementTyped(QStringLiteral("Control"), QStringLiteral("Gain"),
                                                  QStringLiteral("slider")));
            writer.flush();
        }
        QCOMPARE(utf8(bytes), QStringLiteral("<Control name=\"Gain\" type=\"slider\">\n"));
    }

    void emptyNamesWriteNothing()
    {
        QByteArray bytes;
        {
            XmlWriter writer;
            writer.setByteArray(&bytes);
            QVERIFY(!writer.writeStartElement(QString()));
            QVERIFY(!writer.writeStartElementNamed(QString(), QStringLiteral("n")));
            QVERIFY(writer.writeStartElement(QStringLiteral("a")));
            QVERIFY(!writer.writeEndElement(QString()));
            QVERIFY(writer.writeTextElement(QStringLiteral("b"), QStringLiteral("1")));
            writer.flush();
        }
        QCOMPARE(utf8(bytes), QStringLiteral("<a>\n\t<b>1</b>\n"));
    }

    void withoutTargetEveryWriteFails()
    {
        XmlWriter writer;
        QVERIFY(!writer.writeDeclaration());
        QVERIFY(!writer.writeStartElement(QStringLiteral("a")));
        QVERIFY(!writer.writeTextElement(QStringLiteral("a"), QStringLiteral("b")));
        QVERIFY(!writer.writeFloatElement(QStringLiteral("a"), 1.0f));
        QVERIFY(!writer.flush());
    }

    void floats_data()
    {
        QTest::addColumn<float>("value");
        QTest::addColumn<QString>("expected");
        QTest::newRow("six significant digits") << 1.7777778f << QStringLiteral("1.77778");
        QTest::newRow("whole number") << 6.0f << QStringLiteral("6");
        QTest::newRow("half") << 0.5f << QStringLiteral("0.5");
        QTest::newRow("negative") << -2.25f << QStringLiteral("-2.25");
        QTest::newRow("large uses scientific") << 123456789.0f << QStringLiteral("1.23457e+08");
        QTest::newRow("small uses scientific") << 0.0000001f << QStringLiteral("1e-07");
    }

    void floats()
    {
        QFETCH(float, value);
        QFETCH(QString, expected);
        QByteArray bytes;
        {
            XmlWriter writer;
            writer.setByteArray(&bytes);
            writer.writeFloatElement(QStringLiteral("f"), value);
            writer.writeUIntElement(QStringLiteral("u"), 4294967295u);
            writer.flush();
        }
        QCOMPARE(utf8(bytes), QStringLiteral("<f>%1</f>\n<u>4294967295</u>\n").arg(expected));
    }

    void encodings_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QByteArray>("expected");
        QTest::addColumn<QString>("name");
        const QByteArray declaration8("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<a>\xc3\xa9</a>\n");
        QByteArray declaration16("\xfe\xff", 2);
        for (QChar c : QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-16\"?>\n<a>\u00e9</a>\n")) {
            declaration16.append(char(c.unicode() >> 8));
            declaration16.append(char(c.unicode() & 0xff));
        }
        QTest::newRow("UTF-8, no mark") << int(XmlEncodingUtf8) << declaration8 << QStringLiteral("UTF-8");
        QTest::newRow("UTF-16 big-endian with mark") << int(XmlEncodingUtf16BE) << declaration16
                                                     << QStringLiteral("UTF-16");
    }

    void encodings()
    {
        QFETCH(int, mode);
        QFETCH(QByteArray, expected);
        QFETCH(QString, name);
        QByteArray bytes;
        {
            XmlWriter writer;
            writer.setByteArray(&bytes);
            writer.setEncoding(mode);
            QCOMPARE(writer.encodingName(), name);
            QVERIFY(writer.writeDeclaration());
            writer.writeTextElement(QStringLiteral("a"), QStringLiteral("\u00e9"));
            writer.flush();
        }
        QCOMPARE(bytes, expected);
    }

    void otherModesAreStoredAsSystem()
    {
        XmlWriter writer;
        writer.setEncoding(7);
        QCOMPARE(writer.encoding(), int(XmlEncodingSystem));
        QCOMPARE(writer.encodingName(), QStringLiteral("UTF-8"));
    }

    // Everything written to a file survives a close right after flush(), and reads back.
    void roundTripThroughTheReader()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("p.cpf"));
        const QString nasty = QStringLiteral("  two  spaces & <tags> \"quoted\" \u00e9\u20ac\U0001F3B5 ");
        const QString withControls = QStringLiteral("bell\x07" "and\x1b" "escape");
        {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            XmlWriter writer;
            writer.setDevice(&file);
            writer.setEncoding(XmlEncodingUtf16BE);
            writer.writeDeclaration();
            writer.writeStartElement(QStringLiteral("VMD"));
            writer.writeStartElementNamed(QStringLiteral("Control"), nasty);
            writer.writeTextElement(QStringLiteral("text"), nasty);
            writer.writeTextElement(QStringLiteral("text"), withControls);
            writer.writeEndElement(QStringLiteral("Control"));
            writer.writeEndElement(QStringLiteral("VMD"));
            QVERIFY(writer.flush());
            file.close();
        }
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(file.readAll().startsWith(QByteArray("\xfe\xff\x00<", 4)));
        TextCollector reader;
        QVERIFY(XmlHandler::parseFile(path, &reader));
        QCOMPARE(reader.values, (QStringList{nasty, nasty, QStringLiteral("bellandescape")}));
    }

    // A save registers its files through the writer, packs them, then drops the loose project file.
    void archiveHooksPackTheSave()
    {
        QTemporaryDir dir;
        const QString project = dir.filePath(QStringLiteral("Lobby.cpf"));
        const QString design = dir.filePath(QStringLiteral("Lobby.vmp"));
        QFile designFile(design);
        QVERIFY(designFile.open(QIODevice::WriteOnly));
        designFile.write("<VMD version=\"4.2\"/>");
        designFile.close();
        {
            QFile file(project);
            QVERIFY(file.open(QIODevice::WriteOnly));
            XmlWriter writer;
            writer.setDevice(&file);
            writer.addArchiveFile(project);
            QCOMPARE(writer.archiveFilePath(project, QString()), project);
            QCOMPARE(writer.archiveFilePath(design, QStringLiteral("project")), design);
            writer.writeStartElement(QStringLiteral("VMD"));
            writer.writeEndElement(QStringLiteral("VMD"));
            QVERIFY(writer.flush());
            file.close();
            QVERIFY(writer.finalizeArchive());
        }
        QVERIFY(!QFile::exists(project));
        QVERIFY(UArchive::isArchiveFile(dir.filePath(QStringLiteral("Lobby.cpz"))));
        // The writer's end empties the list, so the next save starts clean.
        QVERIFY(UArchive::instance()->findLocalPath(QStringLiteral(".vmp")).isEmpty());
        QVERIFY(UArchive::instance()->read(dir.filePath(QStringLiteral("Lobby.cpz"))));
        QVERIFY(!UArchive::instance()->findLocalPath(QStringLiteral(".cpf")).isEmpty());
        QVERIFY(!UArchive::instance()->findLocalPath(QStringLiteral(".vmp")).isEmpty());
    }

    void failedArchiveKeepsTheProjectFile()
    {
        QTemporaryDir dir;
        const QString project = dir.filePath(QStringLiteral("Lobby.cpf"));
        {
            QFile file(project);
            QVERIFY(file.open(QIODevice::WriteOnly));
            XmlWriter writer;
            writer.setDevice(&file);
            writer.addArchiveFile(project);
            writer.archiveFilePath(project, QString());
            writer.archiveFilePath(dir.filePath(QStringLiteral("missing.vmp")), QStringLiteral("project"));
            writer.writeStartElement(QStringLiteral("VMD"));
            writer.writeEndElement(QStringLiteral("VMD"));
            writer.flush();
            file.close();
            QVERIFY(!writer.finalizeArchive());
        }
        QVERIFY(QFile::exists(project));
        QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("Lobby.cpz"))));
    }

    void flushReportsAClosedDevice()
    {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        XmlWriter writer;
        writer.setDevice(&buffer);
        writer.writeStartElement(QStringLiteral("a"));
        buffer.close();
        QVERIFY(!writer.flush());
    }
};

VVB_TEST_GUILESS_MAIN(TestXmlWriter)
#include "tst_xmlwriter.moc"
