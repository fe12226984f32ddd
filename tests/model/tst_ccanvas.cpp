#include "dialogs/DModalDialog.h"
#include "model/CCanvas.h"
#include "model/CCanvasRecord.h"
#include "support/TestMain.h"
#include "support/XmlLeafReader.h"
#include "xml/XmlWriter.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>
#include <QQuickView>
#include <QScreen>
#include <QSettings>
#include <QtTest>

#include <cmath>
#include <limits>

namespace {

QSettings settings()
{
    return QSettings(QStringLiteral("Harlo"), QStringLiteral("Velmora Viviza builder 3.0"));
}

QByteArray written(const CCanvas &canvas)
{
    QByteArray bytes;
    {
        XmlWriter writer;
        writer.setByteArray(&bytes);
        canvas.writeXml(&writer);
        writer.flush();
    }
    return bytes;
}

// The user of the setup dialog: picks the user-defined entry, types a size,
// picks a ratio and presses OK or Cancel.
struct DialogUser
{
    QString size;
    QString ratio;
    bool pressOk = false;
    int runs = 0;

    int operator()(DModalDialog *pDialog)
    {
        ++runs;
        auto *pDevice = pDialog->findChild<QComboBox *>(QStringLiteral("m_pDeviceBox"));
        auto *pSize = pDialog->findChild<QLineEdit *>(QStringLiteral("m_pSizeEdit"));
        auto *pAspect = pDialog->findChild<QComboBox *>(QStringLiteral("m_pAspectBox"));
        auto *pButtons = pDialog->findChild<QDialogButtonBox *>(QStringLiteral("m_pButtonBox"));
        if (!pDevice || !pSize || !pAspect || !pButtons)
            return 0;
        pDevice->setCurrentIndex(0);
        pSize->selectAll();
        QTest::keyClicks(pSize, size);
        pAspect->setCurrentIndex(pAspect->findText(ratio));
        QTest::mouseClick(pButtons->button(pressOk ? QDialogButtonBox::Ok : QDialogButtonBox::Cancel),
                          Qt::LeftButton);
        return pDialog->result() == QDialog::Accepted ? 1 : 0;
    }
};

} // namespace

class TestCCanvas : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void freshCanvas();
    void pixelSize_data();
    void pixelSize();
    void unusableSizesGiveEmptyCanvas_data();
    void unusableSizesGiveEmptyCanvas();
    void noViewGivesEmptyCanvas();
    void orientationChangeRecomputes();
    void settersKeepSavedValues();
    void scaleFlag_data();
    void scaleFlag();
    void skinList_data();
    void skinList();
    void properties_data();
    void properties();
    void deviceResetsSkinAndAccent();
    void writeAndReadBack();
    void resetReadsRememberedDevice();
    void resetWithUnreadableSettings();
    void setupDialog();
    void noQmlRoot();
    void loadDesktopWithoutView();

    void deviceTable();
    void parseLine_data();
    void parseLine();
    void takeField_data();
    void takeField();
    void aspectText_data();
    void aspectText();
    void assign();
};

void TestCCanvas::init()
{
    settings().clear();
}

void TestCCanvas::cleanup()
{
    DModalDialog::setResponder(DModalDialog::Responder());
}

void TestCCanvas::freshCanvas()
{
    const CCanvas canvas;
    QVERIFY(canvas.deviceName().isEmpty());
    QCOMPARE(canvas.size(), 6.0f);
    QCOMPARE(canvas.aspect(), 1.7777778f);
    QCOMPARE(canvas.orientation(), 1u);
    QVERIFY(canvas.isPortrait());
    QCOMPARE(canvas.skin(), QStringLiteral("Light"));
    QCOMPARE(canvas.accent(), QStringLiteral("Blue"));
    QCOMPARE(canvas.width(), 200);
    QCOMPARE(canvas.height(), 300);
    QVERIFY(canvas.isHorizCenter());
    QVERIFY(canvas.isMultiplyScaleFactor());
    QVERIFY(!canvas.isListedDevice());
    QVERIFY(!canvas.model());
    QVERIFY(!canvas.view());
    QCOMPARE(canvas.savedSize(), 6.0f);
    QCOMPARE(canvas.savedAspect(), 1.7777778f);
}

void TestCCanvas::pixelSize_data()
{
    QTest::addColumn<float>("diagonal");
    QTest::addColumn<float>("aspect");
    QTest::addColumn<quint32>("orientation");
    QTest::newRow("6 inch 16:9 portrait") << 6.0f << 1.7777778f << 1u;
    QTest::newRow("6 inch 16:9 landscape") << 6.0f << 1.7777778f << 0u;
    QTest::newRow("other landscape value") << 6.0f << 1.7777778f << 2u;
    QTest::newRow("10.2 inch 1.422") << 10.2f << 1.422f << 1u;
    QTest::newRow("5.8 inch 2.165 landscape") << 5.8f << 2.165f << 0u;
    QTest::newRow("square") << 4.0f << 1.0f << 1u;
}

void TestCCanvas::pixelSize()
{
    QFETCH(float, diagonal);
    QFETCH(float, aspect);
    QFETCH(quint32, orientation);

    QQuickView view;
    QVERIFY(view.screen());
    const double dpi = view.screen()->logicalDotsPerInch();
    QVERIFY(dpi > 0);

    CCanvas canvas;
    canvas.setSize(diagonal);
    canvas.setAspect(aspect);
    canvas.setOrientation(orientation);
    canvas.setView(&view);
    QCOMPARE(canvas.logicalDpi(), float(dpi));

    // The short side of a screen with this diagonal and ratio, at the screen's DPI.
    const double shortSide = diagonal / std::sqrt(double(aspect) * aspect + 1.0) * dpi;
    const double longSide = shortSide * aspect;
    const int width = orientation == 1 ? canvas.width() : canvas.height();
    const int height = orientation == 1 ? canvas.height() : canvas.width();
    QVERIFY2(std::abs(width - int(shortSide)) <= 1, qPrintable(QString::number(width)));
    QVERIFY2(std::abs(height - int(longSide)) <= 1, qPrintable(QString::number(height)));
    QCOMPARE(canvas.computePixelSize(), canvas.height());
    if (aspect > 1.0f)
        QCOMPARE(canvas.width() < canvas.height(), orientation == 1);
}

void TestCCanvas::unusableSizesGiveEmptyCanvas_data()
{
    QTest::addColumn<float>("diagonal");
    QTest::addColumn<float>("aspect");
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    QTest::newRow("zero size") << 0.0f << 1.7777778f;
    QTest::newRow("zero aspect") << 6.0f << 0.0f;
    QTest::newRow("negative size") << -6.0f << 1.7777778f;
    QTest::newRow("negative aspect") << 6.0f << -1.5f;
    QTest::newRow("nan size") << nan << 1.5f;
    QTest::newRow("infinite aspect") << 6.0f << inf;
    QTest::newRow("size beyond pixels") << 1e30f << 1.5f;
}

void TestCCanvas::unusableSizesGiveEmptyCanvas()
{
    QFETCH(float, diagonal);
    QFETCH(float, aspect);
    QQuickView view;
    CCanvas canvas;
    canvas.setSize(diagonal);
    canvas.setAspect(aspect);
    canvas.setView(&view);
    QCOMPARE(canvas.width(), 0);
    QCOMPARE(canvas.height(), 0);
}

void TestCCanvas::noViewGivesEmptyCanvas()
{
    CCanvas canvas;
    QCOMPARE(canvas.logicalDpi(), 0.0f);
    QCOMPARE(canvas.computePixelSize(), 0);
    QCOMPARE(canvas.width(), 0);

    // A view that goes away is not used afterwards.
    auto *view = new QQuickView;
    canvas.setView(view);
    QVERIFY(canvas.width() > 0);
    delete view;
    QVERIFY(!canvas.view());
    QCOMPARE(canvas.computePixelSize(), 0);
}

void TestCCanvas::orientationChangeRecomputes()
{
    QQuickView view;
    CCanvas canvas;
    canvas.setView(&view);
    const int portraitWidth = canvas.width();
    const int portraitHeight = canvas.height();
    canvas.setProperty(QStringLiteral("orientation"), QStringLiteral("0"));
    QCOMPARE(canvas.width(), portraitWidth); // only the end of the setting applies it
    canvas.onPropertyChanged(QStringLiteral("text"));
    QCOMPARE(canvas.width(), portraitWidth);
    canvas.onPropertyChanged(QStringLiteral("orientation"));
    QCOMPARE(canvas.width(), portraitHeight);
    QCOMPARE(canvas.height(), portraitWidth);
}

void TestCCanvas::settersKeepSavedValues()
{
    CCanvas canvas;
    canvas.setDeviceName(QStringLiteral("A"));
    canvas.setDeviceName(QStringLiteral("B"));
    QCOMPARE(canvas.savedDeviceName(), QStringLiteral("A"));
    QCOMPARE(canvas.deviceName(), QStringLiteral("B"));
    canvas.setSize(7.0f);
    QCOMPARE(canvas.savedSize(), 6.0f);
    QCOMPARE(canvas.setAspect(1.5f), 1.7777778f);
    QCOMPARE(canvas.savedAspect(), 1.7777778f);
    QCOMPARE(canvas.aspect(), 1.5f);

    canvas.resetDevice();
    QVERIFY(canvas.deviceName().isEmpty());
    QVERIFY(canvas.savedDeviceName().isEmpty());
    QCOMPARE(canvas.size(), 6.0f);
    QCOMPARE(canvas.savedSize(), 6.0f); // saved size and aspect stay
    QCOMPARE(canvas.savedAspect(), 1.7777778f);
}

void TestCCanvas::scaleFlag_data()
{
    QTest::addColumn<QString>("newName");
    QTest::addColumn<float>("newSize");
    QTest::addColumn<float>("newAspect");
    QTest::addColumn<bool>("listed");
    QTest::addColumn<bool>("expected");
    QTest::newRow("same device, new size") << "Tab" << 9.0f << 1.6f << false << true;
    QTest::newRow("same device, new aspect") << "Tab" << 8.0f << 1.5f << false << true;
    QTest::newRow("nothing changed") << "Tab" << 8.0f << 1.6f << true << false;
    QTest::newRow("other device, listed") << "Phone" << 8.0f << 1.6f << true << true;
    QTest::newRow("other device, not listed") << "Phone" << 5.0f << 2.0f << false << false;
}

void TestCCanvas::scaleFlag()
{
    QFETCH(QString, newName);
    QFETCH(float, newSize);
    QFETCH(float, newAspect);
    QFETCH(bool, listed);
    QFETCH(bool, expected);
    CCanvas canvas;
    canvas.setDeviceName(QStringLiteral("Tab"));
    canvas.setSize(8.0f);
    canvas.setAspect(1.6f);
    // What the dialog does on a second run.
    canvas.setDeviceName(newName);
    canvas.setSize(newSize);
    canvas.setAspect(newAspect);
    canvas.setListedDevice(listed);
    canvas.updateScaleFlag();
    QCOMPARE(canvas.isMultiplyScaleFactor(), expected);
}

void TestCCanvas::skinList_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("skin");
    QTest::newRow("listed") << "Dark" << "Dark";
    QTest::newRow("first listed") << "Light" << "Light";
    QTest::newRow("not listed") << "Purple" << "Light";
    QTest::newRow("case differs") << "dark" << "Light";
    QTest::newRow("empty") << "" << "Light";
}

void TestCCanvas::skinList()
{
    QFETCH(QString, name);
    QFETCH(QString, skin);
    CCanvas canvas;
    canvas.loadSkinList(QStringLiteral("Dark"));
    canvas.loadSkinList(name);
    QCOMPARE(canvas.skin(), skin);
}

void TestCCanvas::properties_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QVariant>("expected");
    QTest::newRow("size") << "size" << "7.5" << "size" << QVariant(7.5f);
    QTest::newRow("size word") << "size" << "big" << "size" << QVariant(0.0f);
    QTest::newRow("size nan") << "size" << "nan" << "size" << QVariant(0.0f);
    QTest::newRow("aspect") << "aspect" << "1.333" << "aspect" << QVariant(1.333f);
    QTest::newRow("aspect inf") << "aspect" << "inf" << "aspect" << QVariant(0.0f);
    QTest::newRow("orientation landscape") << "orientation" << "2" << "orientation" << QVariant(2u);
    QTest::newRow("orientation word") << "orientation" << "up" << "orientation" << QVariant(0u);
    QTest::newRow("horizcenter 0") << "horizcenter" << "0" << "horizcenter" << QVariant(false);
    QTest::newRow("horizcenter 5") << "horizcenter" << "5" << "horizcenter" << QVariant(true);
    QTest::newRow("horizcenter word") << "horizcenter" << "yes" << "horizcenter" << QVariant(false);
    QTest::newRow("multiply 0 still sets")
        << "multiplyScaleFactor" << "0" << "multiplyScaleFactor" << QVariant(true);
    QTest::newRow("accent unchecked") << "accent" << "Purple" << "accent" << QVariant("Purple");
    QTest::newRow("skin") << "skin" << "Dark" << "skin" << QVariant("Dark");
    QTest::newRow("text") << "text" << " my  canvas " << "text" << QVariant(" my  canvas ");
    QTest::newRow("unknown") << "Size" << "9" << "size" << QVariant(6.0f);
}

void TestCCanvas::properties()
{
    QFETCH(QString, name);
    QFETCH(QString, text);
    QFETCH(QString, field);
    QFETCH(QVariant, expected);
    CCanvas canvas;
    canvas.setHorizCenter(true);
    // Make the flag observable: an accepted dialog with nothing changed clears it.
    canvas.updateScaleFlag();
    QVERIFY(!canvas.isMultiplyScaleFactor());
    canvas.setProperty(name, text);

    QVariant actual;
    if (field == QLatin1String("size")) actual = canvas.size();
    else if (field == QLatin1String("aspect")) actual = canvas.aspect();
    else if (field == QLatin1String("orientation")) actual = canvas.orientation();
    else if (field == QLatin1String("horizcenter")) actual = canvas.isHorizCenter();
    else if (field == QLatin1String("multiplyScaleFactor")) actual = canvas.isMultiplyScaleFactor();
    else if (field == QLatin1String("accent")) actual = canvas.accent();
    else if (field == QLatin1String("skin")) actual = canvas.skin();
    else if (field == QLatin1String("text")) actual = canvas.text();
    QCOMPARE(actual, expected);
}

void TestCCanvas::deviceResetsSkinAndAccent()
{
    CCanvas canvas;
    canvas.setProperty(QStringLiteral("skin"), QStringLiteral("Dark"));
    canvas.setProperty(QStringLiteral("accent"), QStringLiteral("Red"));
    canvas.setProperty(QStringLiteral("device"), QStringLiteral("iPad Air"));
    QCOMPARE(canvas.deviceName(), QStringLiteral("iPad Air"));
    QCOMPARE(canvas.skin(), QStringLiteral("Light"));
    QCOMPARE(canvas.accent(), QStringLiteral("Blue"));
}

void TestCCanvas::writeAndReadBack()
{
    CCanvas original;
    original.setProperty(QStringLiteral("device"), QStringLiteral("Galaxy <S8+> & \"Co\" "));
    original.setProperty(QStringLiteral("skin"), QStringLiteral("Dark"));
    original.setProperty(QStringLiteral("accent"), QStringLiteral("Green"));
    original.setSize(6.2f);
    original.setAspect(2.056f);
    original.setOrientation(0);
    original.setText(QStringLiteral("  Lobby  panel "));
    original.setHorizCenter(false);
    const QByteArray bytes = written(original);

    XmlLeafReader reader;
    QVERIFY2(reader.read(bytes), bytes.constData());
    QCOMPARE(reader.nameAttributes, QStringList{QStringLiteral("attributes")});
    // Empty elements (the tool-bar rows without a QML root) deliver no text.
    QCOMPARE(reader.elementNames(),
             (QStringList{"device", "skin", "accent", "size", "aspect", "orientation", "text",
                          "horizcenter", "multiplyScaleFactor"}));
    QVERIFY(bytes.contains("\t\t<topRow></topRow>\n\t\t<bottomRow></bottomRow>\n"));

    CCanvas copy;
    copy.resetDevice();
    for (const XmlLeafReader::Leaf &leaf : reader.leaves) {
        QCOMPARE(leaf.parent, QStringLiteral("Property"));
        copy.setProperty(leaf.element, leaf.text);
        copy.onPropertyChanged(leaf.element);
    }
    QCOMPARE(copy.deviceName(), original.deviceName());
    QCOMPARE(copy.skin(), QStringLiteral("Dark"));
    QCOMPARE(copy.accent(), QStringLiteral("Green"));
    QCOMPARE(copy.size(), 6.2f);
    QCOMPARE(copy.aspect(), 2.056f);
    QCOMPARE(copy.orientation(), 0u);
    QCOMPARE(copy.text(), original.text());
    QVERIFY(!copy.isHorizCenter());
    QCOMPARE(written(copy), bytes);
    QVERIFY(!original.writeXml(nullptr));
}

void TestCCanvas::resetReadsRememberedDevice()
{
    {
        CCanvas canvas;
        canvas.setDeviceName(QStringLiteral("iPad Mini"));
        canvas.setSize(7.9f);
        canvas.setAspect(1.333f);
        canvas.setOrientation(0);
        canvas.saveSettings();
    }
    QCOMPARE(settings().value(QStringLiteral("Canvas/device")).toString(), QStringLiteral("iPad Mini"));
    QCOMPARE(settings().value(QStringLiteral("Canvas/orientation")).toString(), QStringLiteral("0"));

    CCanvas canvas;
    canvas.reset();
    QCOMPARE(canvas.deviceName(), QStringLiteral("iPad Mini"));
    QCOMPARE(canvas.size(), 7.9f);
    QCOMPARE(canvas.aspect(), 1.333f);
    QCOMPARE(canvas.orientation(), 0u);
    QCOMPARE(canvas.width(), 0); // no view yet

    settings().clear();
    canvas.reset();
    QCOMPARE(canvas.deviceName(), QStringLiteral("User Defined"));
    QCOMPARE(canvas.size(), 6.0f);
    QCOMPARE(canvas.aspect(), 1.7777778f);
    QCOMPARE(canvas.orientation(), 1u);
}

void TestCCanvas::resetWithUnreadableSettings()
{
    QSettings s = settings();
    s.setValue(QStringLiteral("Canvas/size"), QStringLiteral("nan"));
    s.setValue(QStringLiteral("Canvas/aspect"), QStringLiteral("wide"));
    s.setValue(QStringLiteral("Canvas/orientation"), QStringLiteral("up"));
    s.sync();
    QQuickView view;
    CCanvas canvas;
    canvas.setView(&view);
    canvas.reset();
    QCOMPARE(canvas.size(), 0.0f);
    QCOMPARE(canvas.aspect(), 0.0f);
    QCOMPARE(canvas.orientation(), 0u);
    QCOMPARE(canvas.width(), 0);
    QCOMPARE(canvas.height(), 0);
}

void TestCCanvas::setupDialog()
{
    QQuickView view;
    CCanvas canvas;
    canvas.setView(&view);
    canvas.setDeviceName(QStringLiteral("Old"));

    // Cancel changes nothing.
    DialogUser user{QStringLiteral("10"), QStringLiteral("16:10"), false};
    DModalDialog::setResponder(std::ref(user));
    QVERIFY(!canvas.runSetupDialog());
    QCOMPARE(user.runs, 1);
    QCOMPARE(canvas.deviceName(), QStringLiteral("Old"));
    QVERIFY(!settings().contains(QStringLiteral("Canvas/device")));

    user.pressOk = true;
    canvas.setListedDevice(false);
    QVERIFY(canvas.runSetupDialog());
    QCOMPARE(user.runs, 2);
    QVERIFY(!canvas.isMultiplyScaleFactor()); // a new name that is not listed
    QCOMPARE(settings().value(QStringLiteral("Canvas/device")).toString(), QStringLiteral("User Defined"));
    QCOMPARE(settings().value(QStringLiteral("Canvas/size")).toFloat(), 10.0f);
    QCOMPARE(settings().value(QStringLiteral("Canvas/aspect")).toFloat(), 1.6f);
    QVERIFY(canvas.width() > 0);
    QVERIFY(std::abs(canvas.height() - canvas.width() * 1.6) <= 2.0);
}

void TestCCanvas::noQmlRoot()
{
    CCanvas canvas;
    QCOMPARE(canvas.qmlProperty(QStringLiteral("topRow")), QString());
    canvas.setQmlProperty(QStringLiteral("topRow"), QStringLiteral("x"));
    canvas.setProperty(QStringLiteral("bottomRow"), QStringLiteral("y"));
    QCOMPARE(canvas.qmlProperty(QStringLiteral("bottomRow")), QString());
}

void TestCCanvas::loadDesktopWithoutView()
{
    CCanvas canvas;
    QVERIFY(!canvas.loadDesktop(nullptr));
    QVERIFY(!canvas.view());
    QCOMPARE(canvas.width(), 200);
}

void TestCCanvas::deviceTable()
{
    QFile file(QStringLiteral(":/data/Velmora/Devices.txt"));
    QVERIFY(file.open(QIODevice::ReadOnly | QIODevice::Text));
    QList<CCanvasRecord> records;
    while (!file.atEnd()) {
        CCanvasRecord record;
        record.parseLine(file.readLine());
        records.append(record);
    }
    QCOMPARE(records.size(), 29);

    QStringList endingWithBlank;
    for (const CCanvasRecord &record : records) {
        QVERIFY2(!record.name().isEmpty(), "every device has a name");
        QVERIFY2(record.size() > 0.0f, qPrintable(record.name()));
        QVERIFY2(record.aspect() >= 1.0f, qPrintable(record.name()));
        QVERIFY2(record.aspectText().contains(QLatin1Char(':')), qPrintable(record.name()));
        QVERIFY2(!record.aspectText().contains(QLatin1Char('\r')), qPrintable(record.name()));
        if (record.name().endsWith(QLatin1Char(' ')))
            endingWithBlank << record.name();
    }
    QCOMPARE(endingWithBlank,
             (QStringList{QStringLiteral("Google Pixel 2 "), QStringLiteral("Google Pixel C ")}));

    QCOMPARE(records.first().name(), QStringLiteral("Mimo Adapt-IQ (7 Inch)"));
    QCOMPARE(records.first().size(), 7.0f);
    QCOMPARE(records.first().aspect(), 1.778f);
    QCOMPARE(records.first().aspectText(), QStringLiteral("16:9"));
    QCOMPARE(records.at(4).size(), 5.0f); // written "5."
    QCOMPARE(records.at(6).aspectText(), QStringLiteral("1.42:1"));
    QCOMPARE(records.last().name(), QStringLiteral("Lenovo Tab 4 (10 Inch)"));
    QCOMPARE(records.last().size(), 10.1f);
}

void TestCCanvas::parseLine_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<QString>("name");
    QTest::addColumn<float>("size");
    QTest::addColumn<float>("aspect");
    QTest::addColumn<QString>("ratio");
    QTest::newRow("complete") << QByteArray("Tab\t8.\t1.600\t16:10\n") << "Tab" << 8.0f << 1.6f << "16:10";
    QTest::newRow("no line feed") << QByteArray("Tab\t8\t1.6\t16:10") << "Tab" << 8.0f << 1.6f << "";
    // An empty field stops the cutting; the untouched rest ends up as the ratio text.
    QTest::newRow("empty first field")
        << QByteArray("\t8\t1.6\t16:10\n") << "" << 0.0f << 0.0f << "\t8\t1.6\t16:10";
    QTest::newRow("unreadable numbers") << QByteArray("X\tnan\tinf\t2:1\n") << "X" << 0.0f << 0.0f << "2:1";
    QTest::newRow("utf-8 name") << QByteArray("Tablette \xc3\xa9t\xc3\xa9\t10\t1.5\t3:2\n")
                                << QString::fromUtf8("Tablette \xc3\xa9t\xc3\xa9") << 10.0f << 1.5f << "3:2";
    QTest::newRow("empty") << QByteArray() << "" << 0.0f << 0.0f << "";
}

void TestCCanvas::parseLine()
{
    QFETCH(QByteArray, line);
    QFETCH(QString, name);
    QFETCH(float, size);
    QFETCH(float, aspect);
    QFETCH(QString, ratio);
    CCanvasRecord record;
    record.parseLine(line);
    QCOMPARE(record.name(), name);
    QCOMPARE(record.size(), size);
    QCOMPARE(record.aspect(), aspect);
    QCOMPARE(record.aspectText(), ratio);
}

void TestCCanvas::takeField_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("rest");
    QTest::newRow("first of two") << "a\tb" << "a" << "b";
    QTest::newRow("separator first") << "\tb" << "" << "\tb";
    QTest::newRow("no separator") << "ab" << "" << "ab";
    QTest::newRow("separator last") << "ab\t" << "ab" << "";
}

void TestCCanvas::takeField()
{
    QFETCH(QString, text);
    QFETCH(QString, field);
    QFETCH(QString, rest);
    QCOMPARE(CCanvasRecord::takeField(text, QLatin1Char('\t')), field);
    QCOMPARE(text, rest);
}

void TestCCanvas::aspectText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("stored");
    QTest::newRow("with colon") << "16:9" << "16:9";
    QTest::newRow("number") << "2" << "2:1";
    QTest::newRow("decimal") << "1.42" << "1.42:1";
}

void TestCCanvas::aspectText()
{
    QFETCH(QString, text);
    QFETCH(QString, stored);
    CCanvasRecord record;
    record.setAspectText(text);
    QCOMPARE(record.aspectText(), stored);
}

void TestCCanvas::assign()
{
    CCanvasRecord source;
    source.parseLine("Phone\t5.5\t2.\t18:9\n");
    CCanvasRecord target;
    target.setAspectText(QStringLiteral("4:3"));
    target.assign(source);
    QCOMPARE(target.name(), QStringLiteral("Phone"));
    QCOMPARE(target.size(), 5.5f);
    QCOMPARE(target.aspect(), 2.0f);
    QCOMPARE(target.aspectText(), QStringLiteral("4:3"));
}

VVB_TEST_MAIN(TestCCanvas)
#include "tst_ccanvas.moc"
