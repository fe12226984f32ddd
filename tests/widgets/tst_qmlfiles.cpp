#include "support/QmlCanvasFixture.h"
#include "support/TestMain.h"
#include "support/TestSupport.h"

#include <QDirIterator>
#include <QQuickItem>
#include <QRegularExpression>
#include <QtTest>

namespace {

// Every QML file of the resources, as "qrc:" URLs.
QStringList qmlFiles()
{
    QStringList urls;
    for (const QString &folder : {QStringLiteral(":/qml"), QStringLiteral(":/qmlcontrol")}) {
        QDirIterator it(folder, {QStringLiteral("*.qml")}, QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext())
            urls.append(QStringLiteral("qrc") + it.next());
    }
    urls.sort();
    return urls;
}

// Image file names written as string literals in a QML file.
QStringList imageLiterals(const QString &qrcUrl)
{
    const QString text = QString::fromUtf8(TestSupport::readAll(qrcUrl.mid(3)));
    const QRegularExpression literal(QStringLiteral("\"([^\"]+\\.(?:png|jpg|jpeg|svg|gif))\""),
                                     QRegularExpression::CaseInsensitiveOption);
    QStringList paths;
    auto it = literal.globalMatch(text);
    while (it.hasNext())
        paths.append(it.next().captured(1));
    return paths;
}

// The resource a path names when it is resolved against the QML file, as QML does.
QString resolvedResource(const QString &qrcUrl, const QString &path)
{
    const QUrl resolved = QUrl(qrcUrl).resolved(QUrl(path));
    return resolved.scheme() == QLatin1String("qrc") ? QLatin1Char(':') + resolved.path() : QString();
}

} // namespace

class TestQmlFiles : public QObject
{
    Q_OBJECT

private slots:
    void filesExist();
    void everyFileLoadsWithoutWarnings_data();
    void everyFileLoadsWithoutWarnings();
    void someImagesAreNamed();
    void relativeImagePathsResolve_data();
    void relativeImagePathsResolve();
};

void TestQmlFiles::filesExist()
{
    const QStringList files = qmlFiles();
    QVERIFY(files.contains(QStringLiteral("qrc:/qml/QmlInterface.qml")));
    QVERIFY(files.contains(QStringLiteral("qrc:/qmlcontrol/QmlSelect.qml")));
    QVERIFY(files.contains(QStringLiteral("qrc:/qmlcontrol/QmlFrame.qml")));
    // The canvas frame and the files others name by path.
    for (const char *name : {"QmlDesktop.qml", "objects/QmlToolBarObject.qml", "objects/QmlMinToolBarObject.qml",
                             "objects/QmlStatusBarObject.qml", "objects/QmlControlObject.qml",
                             "objects/QmlMessageDialog.qml", "objects/QmlAboutDialog.qml",
                             "objects/QmlPopupMenu.qml", "objects/QmlReceiveDialog.qml"})
        QVERIFY2(files.contains(QStringLiteral("qrc:/qml/") + QLatin1String(name)), name);
}

void TestQmlFiles::everyFileLoadsWithoutWarnings_data()
{
    QTest::addColumn<QString>("url");
    for (const QString &url : qmlFiles())
        QTest::newRow(qPrintable(url)) << url;
}

// Each file is created under the canvas, shown and hidden again (which runs
// its visibility handlers); any QML warning fails.
void TestQmlFiles::everyFileLoadsWithoutWarnings()
{
    QFETCH(QString, url);
    QmlCanvasFixture fx;
    QVERIFY2(fx.intrf(), qPrintable(fx.warnings().join(QLatin1Char('\n'))));
    QObject *pObject = fx.create(QUrl(url));
    QVERIFY2(pObject, qPrintable(fx.warnings().join(QLatin1Char('\n'))));
    if (auto *pItem = qobject_cast<QQuickItem *>(pObject)) {
        pItem->setVisible(true);
        pItem->setSize(QSizeF(120, 40));
        pItem->setVisible(false);
    }
    QCoreApplication::processEvents();
    QVERIFY2(fx.warnings().isEmpty(), qPrintable(fx.warnings().join(QLatin1Char('\n'))));
}

// The path test below must not pass on nothing.
void TestQmlFiles::someImagesAreNamed()
{
    int count = 0;
    for (const QString &url : qmlFiles())
        count += int(imageLiterals(url).size());
    QVERIFY(count > 0);
    // A path that leaves the resources is caught.
    QCOMPARE(resolvedResource(QStringLiteral("qrc:/qml/A.qml"), QStringLiteral("../../images/x.png")),
             QStringLiteral(":/images/x.png"));
    QCOMPARE(resolvedResource(QStringLiteral("qrc:/qml/A.qml"), QStringLiteral("file:///x.png")), QString());
}

void TestQmlFiles::relativeImagePathsResolve_data()
{
    QTest::addColumn<QString>("url");
    QTest::addColumn<QString>("path");
    for (const QString &url : qmlFiles()) {
        for (const QString &path : imageLiterals(url))
            QTest::newRow(qPrintable(url + QLatin1Char(' ') + path)) << url << path;
    }
}

void TestQmlFiles::relativeImagePathsResolve()
{
    QFETCH(QString, url);
    QFETCH(QString, path);
    const QString resource = resolvedResource(url, path);
    QVERIFY2(!resource.isEmpty(), qPrintable(path));
    QVERIFY2(QFile::exists(resource), qPrintable(resource));
}

VVB_TEST_MAIN(TestQmlFiles)
#include "tst_qmlfiles.moc"
