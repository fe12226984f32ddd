#include "dialogs/DCanvasDialog.h"
#include "dialogs/DMessageBox.h"
#include "dialogs/DModalDialog.h"
#include "model/CCanvas.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

#include "support/TestMain.h"

// Compiled into the library with its resources; lets a test take the
// built-in data away and put it back.
int qCleanupResources_vvb_data();
int qInitResources_vvb_data();

namespace {

const char kKiosk[] = "Kiosk\t10.100\t1.600\t16.000:10.000\n";

// The dialog opened on a canvas, as the canvas opens it.
struct Opened
{
    explicit Opened(CCanvas *canvas)
    {
        dialog.setCanvas(canvas);
        dialog.initialize();
        dialog.show();
    }
    template<typename T>
    T *find(const char *name) { return dialog.findChild<T *>(QLatin1String(name)); }
    QComboBox *box(const char *name) { return find<QComboBox>(name); }
    QLineEdit *size() { return find<QLineEdit>("m_pSizeEdit"); }
    void typeSize(const QString &text)
    {
        size()->selectAll();
        QTest::keyClick(size(), Qt::Key_Backspace);
        QTest::keyClicks(size(), text);
    }
    void pressOk()
    {
        QTest::mouseClick(find<QDialogButtonBox>("m_pButtonBox")->button(QDialogButtonBox::Ok), Qt::LeftButton);
    }
    QStringList items(const char *name)
    {
        QStringList texts;
        for (int i = 0; i < box(name)->count(); ++i)
            texts << box(name)->itemText(i);
        return texts;
    }
    bool sizeIsRed() { return size()->palette().color(QPalette::Text) == QColor(Qt::red); }

    DCanvasDialog dialog;
};

} // namespace

// The canvas setup dialog: which device, size and ratio it shows for a
// canvas, what the user's choices write into the canvas and the settings,
// and what a missing table, custom devices or a decimal-comma locale change.
class TestDCanvasDialog : public QObject
{
    Q_OBJECT

private:
    static QSettings settings() { return DCanvasDialog::appSettings(); }

    QTemporaryDir m_settingsDir;
    QStringList m_warnings;

private slots:
    void initTestCase()
    {
        QVERIFY(m_settingsDir.isValid());
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_settingsDir.path());
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, m_settingsDir.path());
    }

    void init()
    {
        settings().clear();
        m_warnings.clear();
        QLocale::setDefault(QLocale::c());
        DMessageBox::setResponder([this](const QString &title, const QString &text) {
            m_warnings << title + QLatin1Char('|') + text;
            return int(QMessageBox::Ok);
        });
    }

    void cleanup()
    {
        DMessageBox::setResponder({});
        DModalDialog::setResponder({});
        QLocale::setDefault(QLocale::c());
    }

    void formatNumber_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("decimals");
        QTest::addColumn<QString>("text");
        QTest::newRow("whole") << 24.0 << 3 << "24";
        QTest::newRow("half") << 2.5 << 3 << "2.5";
        QTest::newRow("zero") << 0.0 << 3 << "0";
        QTest::newRow("rounded") << 15.23999 << 2 << "15.24";
        QTest::newRow("ten thousand, no group separator") << 10000.0 << 3 << "10000";
    }

    void formatNumber()
    {
        QFETCH(double, value);
        QFETCH(int, decimals);
        QFETCH(QString, text);
        QCOMPARE(DCanvasDialog::formatNumber(value, decimals), text);
    }

    void deviceOrder()
    {
        CCanvas canvas;
        Opened opened(&canvas);
        const QStringList names = opened.items("m_pDeviceBox");
        QCOMPARE(names.size(), 30);
        QCOMPARE(names.first(), QStringLiteral("User Defined"));
        const int seven = int(names.indexOf(QStringLiteral("Amazon Fire (7 Inch)")));
        QCOMPARE(names.mid(seven, 3), QStringList({QStringLiteral("Amazon Fire (7 Inch)"),
                                                   QStringLiteral("Amazon Fire (8 Inch)"),
                                                   QStringLiteral("Amazon Fire (10 Inch)")}));
        QVERIFY(names.indexOf(QStringLiteral("iPad Air")) < names.indexOf(QStringLiteral("iPhone 8")));
        // Names keep their blanks.
        QVERIFY(names.contains(QStringLiteral("Google Pixel C ")));
        // The user-defined ratio comes first and decides "16:9".
        QCOMPARE(opened.box("m_pAspectBox")->itemText(0), QStringLiteral("16:9"));
        QCOMPARE(opened.box("m_pAspectBox")->itemData(0).toFloat(), 1.778f);
        QCOMPARE(opened.dialog.windowTitle(), QStringLiteral("Canvas Setup"));
        QVERIFY(!(opened.dialog.windowFlags() & Qt::WindowContextHelpButtonHint));
    }

    // Which entry the canvas's device selects, and what the size field and
    // the ratio box then offer.
    void deviceOfTheCanvas_data()
    {
        QTest::addColumn<QString>("device");
        QTest::addColumn<float>("size");
        QTest::addColumn<float>("aspect");
        QTest::addColumn<QString>("customDevices");
        QTest::addColumn<int>("selected");
        QTest::addColumn<bool>("editable");
        QTest::addColumn<QString>("sizeText");
        QTest::addColumn<QString>("ratio");
        QTest::addColumn<bool>("listed");
        QTest::newRow("user defined") << "User Defined" << 7.5f << 1.6f << "" << 0 << true << "7.5" << "16:10"
                                      << true;
        QTest::newRow("unknown device") << "Mystery" << 6.0f << 1.778f << "" << 0 << true << "6" << "16:9"
                                        << false;
        // The canvas's own diagonal, not the table's 9.7.
        QTest::newRow("table device") << "iPad Air" << 9.0f << 1.333f << "" << 16 << false << "9" << "4:3"
                                      << true;
        QTest::newRow("custom device named like a table device, the later wins")
            << "iPad Air" << 10.1f << 1.6f << "iPad Air\t10.100\t1.600\t16.000:10.000\n" << 30 << false << "10.1"
            << "16:10" << true;
    }

    void deviceOfTheCanvas()
    {
        QFETCH(QString, device);
        QFETCH(float, size);
        QFETCH(float, aspect);
        QFETCH(QString, customDevices);
        QFETCH(int, selected);
        QFETCH(bool, editable);
        QFETCH(QString, sizeText);
        QFETCH(QString, ratio);
        QFETCH(bool, listed);
        if (!customDevices.isEmpty())
            settings().setValue(QStringLiteral("CustomDevices"), customDevices);
        CCanvas canvas;
        canvas.setDeviceName(device);
        canvas.setSize(size);
        canvas.setAspect(aspect);
        Opened opened(&canvas);
        QCOMPARE(opened.box("m_pDeviceBox")->currentIndex(), selected);
        QCOMPARE(opened.box("m_pDeviceBox")->currentText(), selected == 0 ? QStringLiteral("User Defined") : device);
        QCOMPARE(opened.size()->isEnabled(), editable);
        QCOMPARE(opened.box("m_pAspectBox")->isEnabled(), editable);
        QCOMPARE(opened.size()->text(), sizeText);
        QCOMPARE(opened.box("m_pAspectBox")->currentText(), ratio);
        QCOMPARE(canvas.isListedDevice(), listed);
        QCOMPARE(opened.find<QLabel>("m_pUnitsLabel")->text(), QStringLiteral("inches"));
    }

    // Picking entries: a table device shows its own size, disabled; the
    // user-defined entry then keeps that text and enables it.
    void pickingDevices()
    {
        CCanvas canvas;
        canvas.setDeviceName(QStringLiteral("User Defined"));
        Opened opened(&canvas);
        QComboBox *pDevice = opened.box("m_pDeviceBox");
        pDevice->setCurrentIndex(pDevice->findText(QStringLiteral("Galaxy Tab S3")));
        QCOMPARE(opened.size()->text(), QStringLiteral("9.7"));
        QVERIFY(!opened.size()->isEnabled());
        QCOMPARE(opened.box("m_pAspectBox")->currentText(), QStringLiteral("4:3"));
        QVERIFY(!opened.box("m_pAspectBox")->isEnabled());
        QVERIFY(!settings().contains(QStringLiteral("UserAspectText")));
        // "iPhone 8" (1.779) selects the "16:9" the user-defined entry brings.
        pDevice->setCurrentIndex(pDevice->findText(QStringLiteral("iPhone 8")));
        QCOMPARE(opened.box("m_pAspectBox")->currentIndex(), 0);
        QCOMPARE(opened.size()->text(), QStringLiteral("4.7"));
        pDevice->setCurrentIndex(0);
        QCOMPARE(opened.size()->text(), QStringLiteral("4.7"));
        QVERIFY(opened.size()->isEnabled());
        QVERIFY(opened.box("m_pAspectBox")->isEnabled());

        pDevice->setCurrentIndex(pDevice->findText(QStringLiteral("iPhone 8")));
        opened.pressOk();
        QCOMPARE(opened.dialog.result(), int(QDialog::Accepted));
        QCOMPARE(canvas.deviceName(), QStringLiteral("iPhone 8"));
        QCOMPARE(canvas.size(), 4.7f);
        QCOMPARE(canvas.aspect(), 1.778f);
    }

    // A table device receives the value of the first entry with the nearest
    // ratio text, not its own aspect.
    void tableDeviceTakesTheRatioItemValue()
    {
        CCanvas canvas;
        canvas.setDeviceName(QStringLiteral("iPad Pro (11 Inch)"));
        canvas.setAspect(1.433f);
        Opened opened(&canvas);
        QCOMPARE(opened.box("m_pAspectBox")->currentText(), QStringLiteral("1.42:1"));
        opened.pressOk();
        QCOMPARE(canvas.aspect(), 1.422f);
    }

    void unitsRoundTrip()
    {
        CCanvas canvas;
        canvas.setDeviceName(QStringLiteral("User Defined"));
        canvas.setSize(6.0f);
        Opened opened(&canvas);
        QCOMPARE(opened.size()->text(), QStringLiteral("6"));
        opened.find<QRadioButton>("m_pCentimetersRadioButton")->click();
        QCOMPARE(opened.size()->text(), QStringLiteral("15.24"));
        QCOMPARE(opened.find<QLabel>("m_pUnitsLabel")->text(), QStringLiteral("cm"));
        QCOMPARE(settings().value(QStringLiteral("UnitsType")).toString(), QStringLiteral("Metric"));
        QVERIFY(!opened.sizeIsRed());
        opened.find<QRadioButton>("m_pInchesRadioButton")->click();
        QCOMPARE(opened.size()->text(), QStringLiteral("6"));
        QCOMPARE(opened.find<QLabel>("m_pUnitsLabel")->text(), QStringLiteral("inches"));
        QCOMPARE(settings().value(QStringLiteral("UnitsType")).toString(), QStringLiteral("Imperial"));

        // The next opening starts in the unit last chosen; cm are written back as inches.
        opened.find<QRadioButton>("m_pCentimetersRadioButton")->click();
        Opened again(&canvas);
        QVERIFY(again.find<QRadioButton>("m_pCentimetersRadioButton")->isChecked());
        QCOMPARE(again.size()->text(), QStringLiteral("15.24"));
        again.typeSize(QStringLiteral("25.4"));
        again.pressOk();
        QCOMPARE(canvas.size(), 10.0f);
    }

    // Typed sizes: red while the inches validator refuses them, clamped on OK.
    void typedSize_data()
    {
        QTest::addColumn<bool>("metric");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("red");
        QTest::addColumn<float>("written");
        QTest::newRow("in range") << false << "7.25" << false << 7.25f;
        QTest::newRow("above the limit") << false << "30" << true << 24.0f;
        QTest::newRow("empty") << false << "" << true << 2.5f;
        QTest::newRow("below the limit") << false << "2" << true << 2.5f;
        QTest::newRow("6.35 cm is the least") << true << "6.35" << false << 2.5f;
        QTest::newRow("6.3 cm is too small") << true << "6.3" << true << 2.5f;
    }

    void typedSize()
    {
        QFETCH(bool, metric);
        QFETCH(QString, typed);
        QFETCH(bool, red);
        QFETCH(float, written);
        settings().setValue(QStringLiteral("UnitsType"), metric ? "Metric" : "Imperial");
        CCanvas canvas;
        canvas.setDeviceName(QStringLiteral("User Defined"));
        Opened opened(&canvas);
        opened.typeSize(typed);
        QCOMPARE(opened.size()->text(), typed);
        QCOMPARE(opened.sizeIsRed(), red);
        opened.pressOk();
        QVERIFY(qAbs(canvas.size() - written) < 0.001f);
    }

    // The user-defined ratio is remembered at once, even on Cancel; the
    // canvas is left as it was.
    void cancelKeepsTheCanvas()
    {
        CCanvas canvas;
        canvas.setDeviceName(QStringLiteral("User Defined"));
        canvas.setSize(6.0f);
        canvas.setAspect(1.778f);
        Opened opened(&canvas);
        QComboBox *pAspect = opened.box("m_pAspectBox");
        pAspect->setCurrentIndex(pAspect->findText(QStringLiteral("16:10")));
        QCOMPARE(settings().value(QStringLiteral("UserAspectRatio")).toString(), QStringLiteral("1.600"));
        QCOMPARE(settings().value(QStringLiteral("UserAspectText")).toString(), QStringLiteral("16:10"));
        opened.find<QRadioButton>("m_pCentimetersRadioButton")->click();
        opened.typeSize(QStringLiteral("20"));
        QTest::mouseClick(opened.find<QDialogButtonBox>("m_pButtonBox")->button(QDialogButtonBox::Cancel),
                          Qt::LeftButton);
        QCOMPARE(opened.dialog.result(), int(QDialog::Rejected));
        QCOMPARE(canvas.size(), 6.0f);
        QCOMPARE(canvas.aspect(), 1.778f);
        QCOMPARE(settings().value(QStringLiteral("UnitsType")).toString(), QStringLiteral("Metric"));

        // The next opening offers the remembered ratio first.
        Opened again(&canvas);
        QCOMPARE(again.box("m_pAspectBox")->itemText(0), QStringLiteral("16:10"));
    }

    // OK warns when neither slot holds a tool bar, and accepts all the same.
    void slotsAndWarning_data()
    {
        QTest::addColumn<QString>("top");
        QTest::addColumn<QString>("bottom");
        QTest::addColumn<bool>("warned");
        QTest::newRow("standard on top") << "Standard Toolbar" << "None" << false;
        QTest::newRow("minimum at the bottom") << "Statusbar" << "Minimum Toolbar" << false;
        QTest::newRow("status bar and none") << "Statusbar" << "None" << true;
        QTest::newRow("none and none") << "None" << "None" << true;
    }

    void slotsAndWarning()
    {
        QFETCH(QString, top);
        QFETCH(QString, bottom);
        QFETCH(bool, warned);
        CCanvas canvas;
        canvas.setDeviceName(QStringLiteral("Galaxy S9"));
        canvas.setSize(5.8f);
        canvas.setAspect(2.056f);
        Opened opened(&canvas);
        QCOMPARE(opened.items("m_pTopSlotBox"), QStringList({QStringLiteral("Standard Toolbar"),
                                                             QStringLiteral("Minimum Toolbar"),
                                                             QStringLiteral("Statusbar"), QStringLiteral("None")}));
        QCOMPARE(opened.box("m_pTopSlotBox")->currentText(), QStringLiteral("Standard Toolbar"));
        opened.box("m_pTopSlotBox")->setCurrentText(top);
        opened.box("m_pBottomSlotBox")->setCurrentText(bottom);
        opened.box("m_pOrientBox")->setCurrentText(QStringLiteral("Landscape"));
        opened.box("m_pSkinBox")->setCurrentText(QStringLiteral("Dark"));
        opened.box("m_pAccentBox")->setCurrentText(QStringLiteral("Green"));
        opened.find<QCheckBox>("m_pCenter")->setChecked(false);
        QVERIFY(opened.find<QLabel>("m_pCenteringWillBeAppliedLabel")->isHidden());
        opened.pressOk();
        QCOMPARE(m_warnings.size(), warned ? 1 : 0);
        if (warned)
            QVERIFY(m_warnings.first().startsWith(QStringLiteral("Warning|This Canvas does not include a toolbar.")));
        QCOMPARE(opened.dialog.result(), int(QDialog::Accepted));
        QCOMPARE(canvas.deviceName(), QStringLiteral("Galaxy S9"));
        QCOMPARE(canvas.size(), 5.8f);
        QCOMPARE(canvas.aspect(), 2.056f);
        QCOMPARE(canvas.orientation(), 2u);
        QCOMPARE(canvas.skin(), QStringLiteral("Dark"));
        QCOMPARE(canvas.accent(), QStringLiteral("Green"));
        QVERIFY(!canvas.isHorizCenter());
    }

    // The skin, accent and orientation of the canvas are preselected.
    void canvasChoicesPreselected()
    {
        CCanvas canvas;
        canvas.loadSkinList(QStringLiteral("Dark"));
        canvas.setAccent(QStringLiteral("Pink"));
        canvas.setOrientation(2);
        canvas.setHorizCenter(true);
        Opened opened(&canvas);
        QCOMPARE(opened.box("m_pSkinBox")->currentText(), QStringLiteral("Dark"));
        QCOMPARE(opened.box("m_pAccentBox")->currentText(), QStringLiteral("Pink"));
        QCOMPARE(opened.box("m_pOrientBox")->currentText(), QStringLiteral("Landscape"));
        QVERIFY(opened.find<QCheckBox>("m_pCenter")->isChecked());
        QVERIFY(!opened.find<QLabel>("m_pCenteringWillBeAppliedLabel")->isHidden());
    }

    // Custom devices follow the table in stored order; lines of another
    // shape are skipped; each custom ratio also stands normalised.
    void customDevices()
    {
        settings().setValue(QStringLiteral("CustomDevices"),
                            QString::fromLatin1(kKiosk) + QStringLiteral("Broken\t5\n\nWall\t12.000\t2.000\t2.000:1.000\n"));
        CCanvas canvas;
        canvas.setDeviceName(QStringLiteral("Wall"));
        Opened opened(&canvas);
        const QStringList names = opened.items("m_pDeviceBox");
        QCOMPARE(names.size(), 32);
        QCOMPARE(names.mid(30), QStringList({QStringLiteral("Kiosk"), QStringLiteral("Wall")}));
        QCOMPARE(opened.box("m_pDeviceBox")->currentIndex(), 31);
        const QStringList ratios = opened.items("m_pAspectBox");
        QVERIFY(ratios.contains(QStringLiteral("16.000:10.000")));
        QCOMPARE(ratios.mid(ratios.size() - 2), QStringList({QStringLiteral("16:10"), QStringLiteral("2:1")}));
        opened.box("m_pDeviceBox")->setCurrentIndex(30);
        QCOMPARE(opened.size()->text(), QStringLiteral("10.1"));
        QVERIFY(!opened.size()->isEnabled());
        opened.pressOk();
        QCOMPARE(canvas.deviceName(), QStringLiteral("Kiosk"));
        QCOMPARE(canvas.size(), 10.1f);
        QCOMPARE(canvas.aspect(), 1.6f);
        // The user-defined ratio was not touched by picking devices.
        QVERIFY(!settings().contains(QStringLiteral("UserAspectRatio")));
    }

    // Without the built-in table the user-defined entry and the custom
    // devices are still offered.
    void missingTable()
    {
        settings().setValue(QStringLiteral("CustomDevices"), QString::fromLatin1(kKiosk));
        QVERIFY(qCleanupResources_vvb_data());
        QVERIFY(!QFile::exists(QStringLiteral(":/data/Velmora/Devices.txt")));
        CCanvas canvas;
        canvas.setDeviceName(QStringLiteral("iPad Air"));
        {
            Opened opened(&canvas);
            QCOMPARE(opened.items("m_pDeviceBox"), QStringList({QStringLiteral("User Defined"), QStringLiteral("Kiosk")}));
            QCOMPARE(opened.box("m_pDeviceBox")->currentIndex(), 0);
            QVERIFY(opened.size()->isEnabled());
        }
        qInitResources_vvb_data();
        QVERIFY(QFile::exists(QStringLiteral(":/data/Velmora/Devices.txt")));
    }

    // In a decimal-comma locale the fields use commas; settings keep dots.
    void decimalComma()
    {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        settings().setValue(QStringLiteral("CustomDevices"), QString::fromLatin1(kKiosk));
        CCanvas canvas;
        canvas.setDeviceName(QStringLiteral("User Defined"));
        canvas.setSize(6.5f);
        Opened opened(&canvas);
        QCOMPARE(opened.size()->text(), QStringLiteral("6,5"));
        QVERIFY(opened.items("m_pAspectBox").contains(QStringLiteral("16:10")));
        opened.find<QRadioButton>("m_pCentimetersRadioButton")->click();
        QCOMPARE(opened.size()->text(), QStringLiteral("16,51"));
        QVERIFY(!opened.sizeIsRed());
        opened.typeSize(QStringLiteral("15,24"));
        QVERIFY(!opened.sizeIsRed());
        // A dot is a group separator here and is refused.
        opened.typeSize(QStringLiteral("15.24"));
        QVERIFY(opened.size()->text() != QStringLiteral("15.24"));
        opened.typeSize(QStringLiteral("15,24"));
        QComboBox *pAspect = opened.box("m_pAspectBox");
        pAspect->setCurrentIndex(pAspect->findText(QStringLiteral("4:3")));
        QCOMPARE(settings().value(QStringLiteral("UserAspectRatio")).toString(), QStringLiteral("1.333"));
        opened.pressOk();
        QCOMPARE(canvas.size(), 6.0f);
        QCOMPARE(canvas.aspect(), 1.333f);
    }

    // The custom devices editor opened from the dialog: the lists follow
    // only when it returns Accepted.
    void customizeRebuildsTheLists_data()
    {
        QTest::addColumn<bool>("closed");
        QTest::addColumn<int>("devices");
        QTest::newRow("close after save") << true << 31;
        QTest::newRow("escape") << false << 30;
    }

    void customizeRebuildsTheLists()
    {
        QFETCH(bool, closed);
        QFETCH(int, devices);
        CCanvas canvas;
        canvas.setDeviceName(QStringLiteral("User Defined"));
        canvas.setSize(6.0f);
        Opened opened(&canvas);
        bool metricEditor = true;
        DModalDialog::setResponder([&](DModalDialog *pEditor) {
            metricEditor = pEditor->findChild<QLabel *>(QStringLiteral("m_pUnitsLabel"))->text() == QLatin1String("cm");
            pEditor->findChild<QLineEdit *>(QStringLiteral("m_pNameEdit"))->setText(QStringLiteral("Kiosk"));
            pEditor->findChild<QLineEdit *>(QStringLiteral("m_pDiagonalLengthEdit"))->setText(QStringLiteral("10.1"));
            pEditor->findChild<QLineEdit *>(QStringLiteral("m_pHeightEdit"))->setText(QStringLiteral("16"));
            pEditor->findChild<QLineEdit *>(QStringLiteral("m_pWidthEdit"))->setText(QStringLiteral("10"));
            QTest::mouseClick(pEditor->findChild<QPushButton *>(QStringLiteral("m_pAddButton")), Qt::LeftButton);
            auto *pBox = pEditor->findChild<QDialogButtonBox *>(QStringLiteral("m_pDialogButtonBox"));
            QTest::mouseClick(pBox->button(QDialogButtonBox::Save), Qt::LeftButton);
            if (closed)
                QTest::mouseClick(pBox->button(QDialogButtonBox::Close), Qt::LeftButton);
            else
                QTest::keyClick(pEditor, Qt::Key_Escape);
            return pEditor->result() == QDialog::Accepted ? 1 : 0;
        });
        QTest::mouseClick(opened.find<QPushButton>("m_pCustomizeDeviceListButton"), Qt::LeftButton);
        QVERIFY(!metricEditor);
        QCOMPARE(opened.box("m_pDeviceBox")->count(), devices);
        QCOMPARE(opened.box("m_pDeviceBox")->currentIndex(), 0);
        QCOMPARE(opened.size()->text(), QStringLiteral("6"));
        QCOMPARE(settings().value(QStringLiteral("CustomDevices")).toString(), QString::fromLatin1(kKiosk));
    }
};

VVB_TEST_MAIN(TestDCanvasDialog)
#include "tst_dcanvasdialog.moc"
