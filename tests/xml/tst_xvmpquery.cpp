#include "xml/XVMPQuery.h"

#include <QStringEncoder>
#include <QtTest>

#include "support/TestMain.h"

namespace {

// Amplifiers 50 ("AZR 4400") and 60 ("AZR 8400"); channels 51, 52 of the
// first and 61 of the second; a channel 70 whose module names no amplifier.
QByteArray design(const QByteArray &assignment, const QByteArray &label = "Amp",
                  const QByteArray &declaration = "<?xml version=\"1.0\" encoding=\"Windows-1252\"?>")
{
    // A target right below the document element has no module.
    return declaration + "\r\n<VMD><Property name=\"nodeID\" value=\"80\"/><Project version=\"4.2\"><Nodes>"
           "<Node className=\"KRX\"><Property name=\"title\" value=\"KRX 880\"/>"
           "<Property name=\"index\" value=\"61\"/></Node>"
           "<Node className=\"Zindle\"><Property name=\"label\" value=\"" + label + "\"/>"
           "<Property name=\"title\" value=\"AZR 4400\"/><Property name=\"nodeID\" value=\"50\"/></Node>"
           "<Node className=\"Zindle\"><Property name=\"nodeID\" value=\"60\"/>"
           "<Group><Property name=\"title\" value=\"AZR 8400\"/></Group></Node>"
           "</Nodes><Modules>"
           "<Module tarvoNodeID=\"50\"><Channel><Property name=\"nodeID\" value=\"51\"/></Channel>"
           "<Channel><Property name=\"nodeID\" value=\"52\"/></Channel></Module>"
           "<Module tarvoNodeID=\"60\"><Channel><Property name=\"nodeID\" value=\"61\"/></Channel></Module>"
           "<Module><Channel><Property name=\"nodeID\" value=\"70\"/></Channel></Module>"
           "</Modules>" + assignment + "</Project></VMD>";
}

} // namespace

class TestXVMPQuery : public QObject
{
    Q_OBJECT

private slots:
    void titles_data();
    void titles();
    void malformed();
    void encodings_data();
    void encodings();
};

void TestXVMPQuery::titles_data()
{
    QTest::addColumn<QByteArray>("assignment");
    QTest::addColumn<QString>("group");
    QTest::addColumn<QStringList>("titles");
    QTest::newRow("targets in order")
        << QByteArray("<Assignment><Group id=\"7\"><Assign targetID=\"61\"/><x><Assign targetID=\"51\"/></x>"
                      "</Group></Assignment>")
        << "7" << QStringList{"AZR 8400", "AZR 4400"};
    QTest::newRow("same target once")
        << QByteArray("<Assignment><Group id=\"7\"><Assign targetID=\"51\"/><Assign targetID=\"51\"/>"
                      "<Assign targetID=\"\"/></Group></Assignment>")
        << "7" << QStringList{"AZR 4400"};
    QTest::newRow("same amplifier twice")
        << QByteArray("<Assignment><Group id=\"7\"><Assign targetID=\"51\"/><Assign targetID=\"52\"/>"
                      "</Group></Assignment>")
        << "7" << QStringList{"AZR 4400", "AZR 4400"};
    QTest::newRow("module names no amplifier")
        << QByteArray("<Assignment><Group id=\"7\"><Assign targetID=\"70\"/><Assign targetID=\"51\"/>"
                      "</Group></Assignment>")
        << "7" << QStringList{"AZR 4400"};
    QTest::newRow("unknown target") << QByteArray("<Assignment><Group id=\"7\"><Assign targetID=\"99\"/></Group></Assignment>")
                                    << "7" << QStringList();
    QTest::newRow("group without entry") << QByteArray("<Assignment><Group id=\"8\"/></Assignment>") << "7"
                                         << QStringList();
    QTest::newRow("no assign") << QByteArray("<Assignment><Group id=\"7\"/></Assignment>") << "7" << QStringList();
    QTest::newRow("no assignment") << QByteArray() << "7" << QStringList();
    QTest::newRow("target without module") << QByteArray("<Assignment><Group id=\"7\"><Assign targetID=\"80\"/></Group></Assignment>")
                                           << "7" << QStringList();
    QTest::newRow("nested groups, outer")
        << QByteArray("<Assignment><Group id=\"7\"><Assign targetID=\"61\"/><Group id=\"8\"><Assign targetID=\"51\"/>"
                      "</Group></Group></Assignment>")
        << "7" << QStringList{"AZR 8400", "AZR 4400"};
    QTest::newRow("nested groups, inner")
        << QByteArray("<Assignment><Group id=\"7\"><Assign targetID=\"61\"/><Group id=\"8\"><Assign targetID=\"51\"/>"
                      "</Group></Group></Assignment>")
        << "8" << QStringList{"AZR 4400"};
    QTest::newRow("only the first assignment section")
        << QByteArray("<Assignment/><Assignment><Group id=\"7\"><Assign targetID=\"51\"/></Group></Assignment>")
        << "7" << QStringList();
    QTest::newRow("first group of the id")
        << QByteArray("<Assignment><Group id=\"7\"><Assign targetID=\"61\"/></Group>"
                      "<Group id=\"7\"><Assign targetID=\"51\"/></Group></Assignment>")
        << "7" << QStringList{"AZR 8400"};
}

void TestXVMPQuery::titles()
{
    QFETCH(QByteArray, assignment);
    QFETCH(QString, group);
    QFETCH(QStringList, titles);
    XVMPQuery query(design(assignment));
    QCOMPARE(query.findGroupAmpTitles(group), titles);
    QCOMPARE(query.findGroupAmpTitles(group), titles); // asked again: same answer
    QVERIFY(query.isParsed());
}

void TestXVMPQuery::malformed()
{
    QByteArray bytes = design("<Assignment><Group id=\"7\"><Assign targetID=\"51\"/></Group></Assignment>");
    bytes.chop(10);
    XVMPQuery query(bytes);
    QTest::ignoreMessage(QtDebugMsg,
                         QRegularExpression(QStringLiteral("^Failed to parse raw XML of vmp file at line: \\d+, col: \\d+ : ")));
    QVERIFY(query.findGroupAmpTitles(QStringLiteral("7")).isEmpty());
    QVERIFY(!query.isParsed());
    QVERIFY(XVMPQuery(QByteArray()).findGroupAmpTitles(QStringLiteral("7")).isEmpty());
}

void TestXVMPQuery::encodings_data()
{
    const QByteArray assignment = "<Assignment><Group id=\"7\"><Assign targetID=\"51\"/></Group></Assignment>";
    const QString label = QString::fromUtf8("Caf\u00e9 \u20ac \u201cA\u201d");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("label");
    QTest::newRow("windows-1252") << design(assignment, "Caf\xe9 \x80 \x93" "A\x94") << label;
    QTest::newRow("utf-8 declared") << design(assignment, label.toUtf8(), "<?xml version=\"1.0\" encoding=\"UTF-8\"?>")
                                    << label;
    QTest::newRow("utf-8 undeclared") << design(assignment, label.toUtf8(), "<?xml version=\"1.0\"?>") << label;
    QStringEncoder toUtf16(QStringEncoder::Utf16BE);
    const QString text = QString::fromUtf8(design(assignment, label.toUtf8(), "<?xml version=\"1.0\" encoding=\"UTF-16\"?>"));
    QTest::newRow("utf-16 with mark") << QByteArray("\xFE\xFF") + QByteArray(toUtf16(text)) << label;
}

void TestXVMPQuery::encodings()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, label);
    QVERIFY(XVMPQuery::decode(bytes).contains(QStringLiteral("value=\"") + label + QLatin1Char('"')));
    XVMPQuery query(bytes);
    QCOMPARE(query.findGroupAmpTitles(QStringLiteral("7")), QStringList{"AZR 4400"});
}

VVB_TEST_MAIN(TestXVMPQuery)
#include "tst_xvmpquery.moc"
