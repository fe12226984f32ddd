#include <QFile>
#include <QStandardPaths>
#include <QtTest>

#include "support/TestMain.h"

// The library's resources and the isolated test environment every test relies on.
class TestBuildSetup : public QObject
{
    Q_OBJECT

private slots:
    void libraryResourcesAreVisible()
    {
        QFile file(QStringLiteral(":/data/Velmora/Devices.txt"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(file.size() > 0);
    }

    void homeIsPrivate()
    {
        const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        QVERIFY(documents.startsWith(qEnvironmentVariable("HOME")));
        QVERIFY(qEnvironmentVariable("HOME").contains(QStringLiteral("vvb-test.")));
        QCOMPARE(qEnvironmentVariable("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    }
};

VVB_TEST_MAIN(TestBuildSetup)
#include "tst_buildsetup.moc"
