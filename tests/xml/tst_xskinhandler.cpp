#include "utility/SkinFiles.h"
#include "xml/XSkinHandler.h"
#include "xml/XmlHandler.h"

#include <QColor>
#include <QImage>
#include <QRegularExpression>
#include <QUrl>
#include <QtTest>

#include "support/TestMain.h"

namespace {

const QStringList ThemeProperties{
    "textColor", "canvasColor", "nullRegionColor", "statusBarColor", "statusBarShadow",
    "statusBarTextColor", "toolBarColor", "toolBarShadow", "toolBarTextColor", "grooveColor1",
    "borderColor", "pageInActive", "linkInActive", "rightArrow", "leftArrow", "setupButton",
    "connectInd", "muteOn", "harloLogo", "vmrLogo"};
const QStringList AccentProperties{"accentColor", "downArrow", "muteOff"};
const QStringList Accents{"Black", "Blue", "Green", "Pink", "Red", "White", "Yellow"};

QStringList propertyNames(const QObject &object)
{
    QStringList names;
    for (const QByteArray &name : object.dynamicPropertyNames())
        names << QString::fromLatin1(name);
    names.sort();
    return names;
}

QStringList sorted(QStringList list)
{
    list.sort();
    return list;
}

QString text(const QObject &object, const char *name)
{
    return object.property(name).toString();
}

// A skin image path is relative to the QML files under "qrc:/qml/objects/".
QString resourceOf(const QString &relativePath)
{
    const QUrl url = QUrl(QStringLiteral("qrc:/qml/objects/Any.qml")).resolved(QUrl(relativePath));
    return QLatin1Char(':') + url.path();
}

bool parse(const QByteArray &xml, QObject *target)
{
    XSkinHandler handler(target);
    return XmlHandler::parseData(xml, &handler);
}

} // namespace

class TestXSkinHandler : public QObject
{
    Q_OBJECT

private slots:
    void lists();
    void readLinesFailures();
    void darkThenAccent();
    void everySkinFile_data();
    void everySkinFile();
    void unknownAccentLoadsLight();
    void laterLoadOverwritesSameNames();
    void malformedFileKeepsWhatWasRead();
    void sectionsOtherThanStringSetNothing();
    void declaredEncodingIsHonoured();
    void longPropertyNameIsSkipped();
    void nullTargetIsHarmless();
};

void TestXSkinHandler::lists()
{
    QStringList skins;
    QVERIFY(SkinFiles::readLines(QStringLiteral(":/skins/SkinList.txt"), &skins));
    // The list ends without a line end and uses CR LF.
    QCOMPARE(skins, (QStringList{"Light", "Dark"}));

    QStringList accents{QStringLiteral("kept")};
    QVERIFY(SkinFiles::readLines(QStringLiteral(":/skins/AccentList.txt"), &accents));
    QCOMPARE(accents, QStringList{QStringLiteral("kept")} + Accents);
}

void TestXSkinHandler::readLinesFailures()
{
    QStringList list{QStringLiteral("a")};
    QVERIFY(!SkinFiles::readLines(QStringLiteral(":/skins/Missing.txt"), &list));
    QCOMPARE(list, QStringList{QStringLiteral("a")});
    QVERIFY(!SkinFiles::readLines(QStringLiteral(":/skins/SkinList.txt"), nullptr));
}

void TestXSkinHandler::darkThenAccent()
{
    QObject target;
    SkinFiles files(&target);
    QString skin = QStringLiteral("Dark");
    QString accent = QStringLiteral("Blue");
    QVERIFY(files.loadSkin(skin));
    QVERIFY(files.loadSkin(accent));
    QCOMPARE(skin, QStringLiteral("Dark"));
    QCOMPARE(accent, QStringLiteral("Blue"));

    QCOMPARE(propertyNames(target), sorted(ThemeProperties + AccentProperties));
    QCOMPARE(text(target, "textColor"), QStringLiteral("#FFFFFF"));
    QCOMPARE(text(target, "canvasColor"), QStringLiteral("#464949"));
    QCOMPARE(text(target, "nullRegionColor"), QStringLiteral("#C0231F20"));
    QCOMPARE(text(target, "toolBarShadow"), QStringLiteral("#1A231F20"));
    QCOMPARE(text(target, "pageInActive"), QStringLiteral("#A8AAAD"));
    QCOMPARE(text(target, "muteOn"), QStringLiteral("../../images/skins/Dark/mute_off.png"));
    QCOMPARE(text(target, "connectInd"), QStringLiteral("../../images/skins/Dark/indicator_red.png"));
    QCOMPARE(text(target, "accentColor"), QStringLiteral("#1D98D5"));
    QCOMPARE(text(target, "downArrow"), QStringLiteral("../../images/skins/Accent/Blue/arrow_down.png"));
    QCOMPARE(text(target, "muteOff"), QStringLiteral("../../images/skins/Accent/Blue/mute_on.png"));
}

void TestXSkinHandler::everySkinFile_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QStringList>("properties");
    QTest::newRow("Light") << "Light" << ThemeProperties;
    QTest::newRow("Dark") << "Dark" << ThemeProperties;
    for (const QString &accent : Accents)
        QTest::newRow(qPrintable(accent)) << accent << AccentProperties;
}

void TestXSkinHandler::everySkinFile()
{
    QFETCH(QString, name);
    QFETCH(QStringList, properties);

    QObject target;
    QString loaded = name;
    QVERIFY(SkinFiles(&target).loadSkin(loaded));
    QCOMPARE(loaded, name);
    QCOMPARE(propertyNames(target), sorted(properties));

    for (const QString &property : properties) {
        const QString value = text(target, property.toLatin1().constData());
        if (value.endsWith(QLatin1String(".png"))) {
            // Each image sits in the skin's own folder and loads.
            QVERIFY2(value.contains(QLatin1Char('/') + name + QLatin1Char('/')), qPrintable(value));
            const QString resource = resourceOf(value);
            QVERIFY2(QFile::exists(resource), qPrintable(resource));
            QVERIFY2(!QImage(resource).isNull(), qPrintable(resource));
        } else {
            QVERIFY2(QColor::isValidColorName(value), qPrintable(property + "=" + value));
        }
    }
}

void TestXSkinHandler::unknownAccentLoadsLight()
{
    QObject target;
    SkinFiles files(&target);
    QString skin = QStringLiteral("Dark");
    QString accent = QStringLiteral("Purple");
    QVERIFY(files.loadSkin(skin));
    QVERIFY(files.loadSkin(accent));
    QCOMPARE(accent, QStringLiteral("Light"));
    QCOMPARE(text(target, "textColor"), QStringLiteral("#231F20"));
    QCOMPARE(propertyNames(target), sorted(ThemeProperties));
}

void TestXSkinHandler::laterLoadOverwritesSameNames()
{
    QObject target;
    target.setProperty("own", QStringLiteral("mine"));
    SkinFiles files(&target);
    QString red = QStringLiteral("Red");
    QString pink = QStringLiteral("Pink");
    QVERIFY(files.loadSkin(red));
    QVERIFY(files.loadSkin(pink));
    QCOMPARE(text(target, "accentColor"), QStringLiteral("#E91E63"));
    QCOMPARE(text(target, "own"), QStringLiteral("mine"));
}

void TestXSkinHandler::malformedFileKeepsWhatWasRead()
{
    QObject target;
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("^Fatal error on line")));
    QVERIFY(!parse("<?xml version=\"1.0\"?>\n<Skin><string>\n"
                   "<textColor>#111111</textColor>\n<borderColor>#222222</wrong>\n"
                   "<canvasColor>#333333</canvasColor></string></Skin>",
                   &target));
    QCOMPARE(text(target, "textColor"), QStringLiteral("#111111"));
    QVERIFY(!target.property("canvasColor").isValid());

    QObject other;
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("^Fatal error on line")));
    QVERIFY(!parse("not xml at all", &other));
    QVERIFY(other.dynamicPropertyNames().isEmpty());
}

void TestXSkinHandler::sectionsOtherThanStringSetNothing()
{
    QObject target;
    // Elements before Skin are passed over; "int" and unknown sections set nothing.
    QVERIFY(parse("<?xml version=\"1.0\"?>\n"
                  "<Skins><textColor>#000000</textColor>\n"
                  "<Skin>\n"
                  "  <int><size>12</size></int>\n"
                  "  <color><fill>#123456</fill></color>\n"
                  "  <string>\n    <canvasColor>#ABCDEF</canvasColor>\n  </string>\n"
                  "</Skin></Skins>",
                  &target));
    QCOMPARE(propertyNames(target), QStringList{QStringLiteral("canvasColor")});
    QCOMPARE(text(target, "canvasColor"), QStringLiteral("#ABCDEF"));
}

void TestXSkinHandler::declaredEncodingIsHonoured()
{
    QObject target;
    QVERIFY(parse("<?xml version=\"1.0\" encoding=\"windows-1252\"?>\n"
                  "<Skin><string><title>Caf\xe9 \x80</title>"
                  "<pair>a&amp;b&#60;c</pair></string></Skin>",
                  &target));
    QCOMPARE(text(target, "title"), QString::fromUtf8("Caf\xc3\xa9 \xe2\x82\xac"));
    // Character references inside a value come through whole.
    QCOMPARE(text(target, "pair"), QStringLiteral("a&b<c"));
}

void TestXSkinHandler::longPropertyNameIsSkipped()
{
    const QByteArray longName(64, 'a');
    const QByteArray okName(63, 'b');
    QObject target;
    QVERIFY(parse("<Skin><string><" + longName + ">x</" + longName + "><" + okName + ">y</"
                      + okName + "></string></Skin>",
                  &target));
    QCOMPARE(propertyNames(target), QStringList{QString::fromLatin1(okName)});
}

void TestXSkinHandler::nullTargetIsHarmless()
{
    QVERIFY(parse("<Skin><string><textColor>#000000</textColor></string></Skin>", nullptr));
    QString name = QStringLiteral("Dark");
    QVERIFY(SkinFiles(nullptr).loadSkin(name));
}

VVB_TEST_GUILESS_MAIN(TestXSkinHandler)
#include "tst_xskinhandler.moc"
