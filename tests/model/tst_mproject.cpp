#include "model/MProject.h"
#include "support/TestMain.h"
#include "support/XmlLeafReader.h"
#include "xml/XmlWriter.h"

#include <QXmlAttributes>
#include <QtTest>

namespace {

// Plain UTF-8 text, or a whole document as a project file holds it.
QByteArray written(const MProject &project, bool asProjectFile = false)
{
    QByteArray bytes;
    {
        XmlWriter writer;
        writer.setByteArray(&bytes);
        if (asProjectFile) {
            writer.setEncoding(XmlEncodingUtf16BE);
            writer.writeDeclaration();
        }
        project.writeXml(&writer);
        writer.flush();
    }
    return bytes;
}

// Feeds the texts of a written "Project" block back, as the project reader does.
void readBack(const QByteArray &bytes, MProject &project)
{
    XmlLeafReader reader;
    QVERIFY2(reader.read(bytes), bytes.constData());
    for (const XmlLeafReader::Leaf &leaf : reader.leaves)
        project.characters(leaf.parent, leaf.element, leaf.text);
}

QStringList fields(const MProject &p)
{
    QStringList all{p.facilityName(), p.businessName(), p.businessEmail(), p.businessTel(),
                    p.engineerName(), p.engineerEmail(), p.engineerTel(), p.customerName(),
                    p.customerAddress(), p.customerEmail(), p.customerTel()};
    for (int i = 1; i <= 6; ++i)
        all << p.comment(i);
    return all;
}

} // namespace

class TestMProject : public QObject
{
    Q_OBJECT

private slots:
    void init() { MProject::setExitPin(QString()); }
    void cleanupTestCase() { MProject::setExitPin(QString()); }

    void freshRecord();
    void resetKeepsPin();
    void writeLayout();
    void roundTripKeepsSpecialCharactersAndSpaces();
    void emptyFacilityIsWrittenAsNone();
    void projectWithoutPinClearsPreviousPin();
    void emptyElementLeavesFieldUnchanged();
    void unknownElementsAreIgnored();
    void designFileAttributes();
};

void TestMProject::freshRecord()
{
    const MProject project;
    QCOMPARE(project.facilityName(), QStringLiteral("SITE NAME"));
    const QStringList all = fields(project);
    for (int i = 1; i < all.size(); ++i)
        QVERIFY2(all.at(i).isEmpty(), qPrintable(QString::number(i)));
    QCOMPARE(project.comment(0), QString());
    QCOMPARE(project.comment(7), QString());
    QVERIFY(project.projectInfoString().startsWith(QStringLiteral("Facility\nSITE NAME\n\n")));
}

void TestMProject::resetKeepsPin()
{
    MProject project;
    project.characters(QStringLiteral("Engineer"), QStringLiteral("name"), QStringLiteral("Ann"));
    project.characters(QStringLiteral("Comments"), QStringLiteral("comment3"), QStringLiteral("c"));
    MProject::setExitPin(QStringLiteral("1234"));
    project.reset();
    QCOMPARE(project.engineerName(), QString());
    QCOMPARE(project.comment(3), QString());
    QCOMPARE(project.facilityName(), QStringLiteral("SITE NAME"));
    QCOMPARE(MProject::exitPin(), QStringLiteral("1234"));
}

void TestMProject::writeLayout()
{
    MProject project;
    MProject::setExitPin(QStringLiteral("42"));
    const QString text = QString::fromUtf8(written(project));
    const QString expected = QStringLiteral(
        "<Project>\n"
        "\t<Property name=\"attributes\">\n"
        "\t\t<Facility>\n\t\t\t<name>SITE NAME</name>\n\t\t</Facility>\n"
        "\t\t<BusinessManeger>\n\t\t\t<name></name>\n\t\t\t<email></email>\n\t\t\t<tel></tel>\n"
        "\t\t</BusinessManeger>\n"
        "\t\t<Engineer>\n\t\t\t<name></name>\n\t\t\t<email></email>\n\t\t\t<tel></tel>\n"
        "\t\t</Engineer>\n"
        "\t\t<Customer>\n\t\t\t<name></name>\n\t\t\t<address></address>\n\t\t\t<email></email>\n"
        "\t\t\t<tel></tel>\n\t\t</Customer>\n"
        "\t\t<Comments>\n\t\t\t<comment1></comment1>\n\t\t\t<comment2></comment2>\n"
        "\t\t\t<comment3></comment3>\n\t\t\t<comment4></comment4>\n\t\t\t<comment5></comment5>\n"
        "\t\t\t<comment6></comment6>\n\t\t</Comments>\n"
        "\t\t<ExitCode>\n\t\t\t<exitPIN>42</exitPIN>\n\t\t</ExitCode>\n"
        "\t</Property>\n"
        "</Project>\n");
    QCOMPARE(text, expected);

    MProject::setExitPin(QString());
    QVERIFY(written(project).contains("\t\t<ExitCode>\n\t\t</ExitCode>\n"));
    QVERIFY(!project.writeXml(nullptr));
}

void TestMProject::roundTripKeepsSpecialCharactersAndSpaces()
{
    const QStringList values{QStringLiteral("Hall & <Annex> \"B\""),
                             QStringLiteral("  two  spaces  "),
                             QStringLiteral("a@b.example"),
                             QStringLiteral("+1 555 0100"),
                             QStringLiteral("Eng"),
                             QStringLiteral("e@x"),
                             QStringLiteral("0"),
                             QStringLiteral("Customer \"Co\""),
                             QStringLiteral("1 Road <north>"),
                             QStringLiteral("c@y"),
                             QStringLiteral("9"),
                             QStringLiteral("first & last"),
                             QStringLiteral("x"),
                             QStringLiteral(" lead"),
                             QStringLiteral("trail "),
                             QStringLiteral("<>"),
                             QStringLiteral("\"")};
    MProject original;
    const QList<QPair<QString, QString>> places{
        {"Facility", "name"}, {"BusinessManeger", "name"}, {"BusinessManeger", "email"},
        {"BusinessManeger", "tel"}, {"Engineer", "name"}, {"Engineer", "email"},
        {"Engineer", "tel"}, {"Customer", "name"}, {"Customer", "address"},
        {"Customer", "email"}, {"Customer", "tel"}, {"Comments", "comment1"},
        {"Comments", "comment2"}, {"Comments", "comment3"}, {"Comments", "comment4"},
        {"Comments", "comment5"}, {"Comments", "comment6"}};
    for (int i = 0; i < places.size(); ++i)
        original.characters(places.at(i).first, places.at(i).second, values.at(i));
    // The facility group clears the PIN, so it is set after.
    MProject::setExitPin(QStringLiteral("987654321"));
    QCOMPARE(fields(original), values);

    const QByteArray bytes = written(original);
    QVERIFY(bytes.contains("Hall &#38; &#60;Annex&#62; &#34;B&#34;"));

    MProject::setExitPin(QStringLiteral("stale"));
    MProject copy;
    readBack(bytes, copy);
    QCOMPARE(fields(copy), values);
    QCOMPARE(MProject::exitPin(), QStringLiteral("987654321"));
    QCOMPARE(written(copy), bytes);

    // The same through the project file's UTF-16 form.
    const QByteArray utf16 = written(original, true);
    QVERIFY(utf16.startsWith("\xfe\xff"));
    MProject::setExitPin(QString());
    MProject fromFile;
    readBack(utf16, fromFile);
    QCOMPARE(fields(fromFile), values);
    QCOMPARE(MProject::exitPin(), QStringLiteral("987654321"));
}

void TestMProject::emptyFacilityIsWrittenAsNone()
{
    MProject project;
    project.characters(QStringLiteral("Facility"), QStringLiteral("name"), QStringLiteral("None"));
    QCOMPARE(project.facilityName(), QString());
    const QByteArray bytes = written(project);
    QVERIFY(bytes.contains("<name>None</name>"));
    MProject copy;
    readBack(bytes, copy);
    QCOMPARE(copy.facilityName(), QString());
}

void TestMProject::projectWithoutPinClearsPreviousPin()
{
    MProject project;
    MProject::setExitPin(QString());
    const QByteArray withoutPin = written(project);
    MProject::setExitPin(QStringLiteral("1111"));
    MProject next;
    readBack(withoutPin, next);
    QCOMPARE(MProject::exitPin(), QString());
}

void TestMProject::emptyElementLeavesFieldUnchanged()
{
    MProject source;
    source.characters(QStringLiteral("Customer"), QStringLiteral("name"), QStringLiteral("Zed"));
    const QByteArray bytes = written(source); // customer email is empty
    MProject target;
    target.characters(QStringLiteral("Customer"), QStringLiteral("email"), QStringLiteral("keep@x"));
    readBack(bytes, target);
    QCOMPARE(target.customerName(), QStringLiteral("Zed"));
    QCOMPARE(target.customerEmail(), QStringLiteral("keep@x"));
}

void TestMProject::unknownElementsAreIgnored()
{
    MProject project;
    const QStringList before = fields(project);
    MProject::setExitPin(QStringLiteral("5"));
    project.characters(QStringLiteral("Engineer"), QStringLiteral("address"), QStringLiteral("x"));
    project.characters(QStringLiteral("Comments"), QStringLiteral("comment7"), QStringLiteral("x"));
    project.characters(QStringLiteral("Comments"), QStringLiteral("comment0"), QStringLiteral("x"));
    project.characters(QStringLiteral("Other"), QStringLiteral("name"), QStringLiteral("x"));
    project.characters(QStringLiteral("ExitCode"), QStringLiteral("ExitPIN"), QStringLiteral("x"));
    QCOMPARE(fields(project), before);
    QCOMPARE(MProject::exitPin(), QStringLiteral("5"));
    // Any element of the facility group clears the PIN.
    project.characters(QStringLiteral("Facility"), QStringLiteral("other"), QStringLiteral("x"));
    QCOMPARE(MProject::exitPin(), QString());
    QCOMPARE(project.facilityName(), QStringLiteral("SITE NAME"));
}

void TestMProject::designFileAttributes()
{
    MProject project;
    project.characters(QStringLiteral("Customer"), QStringLiteral("tel"), QStringLiteral("old"));

    QXmlAttributes facility;
    facility.append(QStringLiteral("name"), QString(), QStringLiteral("name"), QStringLiteral("None"));
    QVERIFY(project.startElement(QStringLiteral("Facility"), facility));
    QCOMPARE(project.facilityName(), QStringLiteral("None")); // no "None" rule here

    QXmlAttributes customer;
    customer.append(QStringLiteral("name"), QString(), QStringLiteral("name"), QStringLiteral("C"));
    customer.append(QStringLiteral("address"), QString(), QStringLiteral("address"), QStringLiteral("A"));
    QVERIFY(project.startElement(QStringLiteral("Customer"), customer));
    QCOMPARE(project.customerName(), QStringLiteral("C"));
    QCOMPARE(project.customerAddress(), QStringLiteral("A"));
    QCOMPARE(project.customerTel(), QString()); // absent attributes are stored empty

    QXmlAttributes comments;
    comments.append(QStringLiteral("comment6"), QString(), QStringLiteral("comment6"), QStringLiteral("six"));
    QVERIFY(project.startElement(QStringLiteral("Comments"), comments));
    QCOMPARE(project.comment(6), QStringLiteral("six"));

    QXmlAttributes exitCode;
    exitCode.append(QStringLiteral("ExitPIN"), QString(), QStringLiteral("ExitPIN"), QStringLiteral("777"));
    QVERIFY(project.startElement(QStringLiteral("ExitCode"), exitCode));
    QCOMPARE(MProject::exitPin(), QStringLiteral("777"));

    QVERIFY(project.startElement(QStringLiteral("Unknown"), customer));
    QCOMPARE(project.customerName(), QStringLiteral("C"));

    const QString info = project.projectInfoString();
    QCOMPARE(info, QStringLiteral("Facility\nNone\n\nBusiness Manager\n\n\n\n\nEngineer\n\n\n\n\n"
                                  "Customer\nC\nA\n\n\n\n"));
}

VVB_TEST_GUILESS_MAIN(TestMProject)
#include "tst_mproject.moc"
