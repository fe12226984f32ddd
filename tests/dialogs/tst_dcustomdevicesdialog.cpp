#include "dialogs/CustomDevice.h"
#include "dialogs/DCanvasDialog.h"
#include "dialogs/DChooser.h"
#include "dialogs/DCustomDevicesEditDialog.h"
#include "dialogs/DMessageBox.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

#include "support/TestMain.h"

namespace {

const char kKioskLine[] = "Kiosk\t10.100\t1.600\t16.000:10.000";

// An open editor and what the user works with in it.
struct Editor
{
    explicit Editor(bool metric = false)
        : dialog(nullptr, metric)
    {
        dialog.show();
    }
    template<typename T>
    T *find(const char *name) { return dialog.findChild<T *>(QLatin1String(name)); }
    QLineEdit *edit(const char *name) { return find<QLineEdit>(name); }
    QPushButton *button(const char *name) { return find<QPushButton>(name); }
    QListWidget *list() { return find<QListWidget>("m_pDeviceList"); }
    QAbstractButton *boxButton(QDialogButtonBox::StandardButton which)
    {
        return find<QDialogButtonBox>("m_pDialogButtonBox")->button(which);
    }
    void type(const char *name, const QString &text)
    {
        edit(name)->selectAll();
        QTest::keyClicks(edit(name), text);
    }
    void enter(const QString &name, const QString &diagonal, const QString &height, const QString &width)
    {
        edit("m_pNameEdit")->setText(name);
        edit("m_pDiagonalLengthEdit")->setText(diagonal);
        edit("m_pHeightEdit")->setText(height);
        edit("m_pWidthEdit")->setText(width);
    }
    void add(const QString &name, const QString &diagonal, const QString &height, const QString &width)
    {
        enter(name, diagonal, height, width);
        QTest::mouseClick(button("m_pAddButton"), Qt::LeftButton);
    }
    bool isRed(const char *name) { return edit(name)->palette().color(QPalette::Text) == QColor(Qt::red); }
    QStringList names()
    {
        QStringList texts;
        for (const CustomDevice &device : dialog.devices())
            texts << device.name;
        return texts;
    }

    DCustomDevicesEditDialog dialog;
};

} // namespace

// The custom devices editor: entry checks, the list and its setting, the
// device list file, and leaving with or without unsaved changes.
class TestDCustomDevicesDialog : public QObject
{
    Q_OBJECT

private:
    static QSettings settings() { return DCanvasDialog::appSettings(); }
    QString filePath(const QString &name) const { return m_files.filePath(name); }
    void writeFile(const QString &name, const QByteArray &bytes)
    {
        QFile file(filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    QTemporaryDir m_settingsDir;
    QTemporaryDir m_files;
    // Boxes shown, as "title|text"; answers given in turn, then Ok.
    QStringList m_boxes;
    QList<int> m_answers;
    QString m_chosenFile;
    QStringList m_fileQuestions;

private slots:
    void initTestCase()
    {
        QVERIFY(m_settingsDir.isValid());
        QVERIFY(m_files.isValid());
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_settingsDir.path());
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, m_settingsDir.path());
    }

    void init()
    {
        settings().clear();
        m_boxes.clear();
        m_answers.clear();
        m_fileQuestions.clear();
        m_chosenFile.clear();
        QLocale::setDefault(QLocale::c());
        DMessageBox::setResponder([this](const QString &title, const QString &text) {
            m_boxes << title + QLatin1Char('|') + text;
            return m_answers.isEmpty() ? int(QMessageBox::Ok) : m_answers.takeFirst();
        });
        DChooser::setResponder([this](const DChooser::Request &request) {
            m_fileQuestions << QStringLiteral("%1|%2|%3|%4").arg(request.kind == DChooser::SaveFile ? "save" : "open",
                                                                 request.title, request.start, request.filter);
            return m_chosenFile;
        });
    }

    void cleanup()
    {
        DMessageBox::setResponder({});
        DChooser::setResponder({});
        QLocale::setDefault(QLocale::c());
    }

    void parse_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("separator");
        QTest::addColumn<bool>("parsed");
        QTest::addColumn<QString>("name");
        QTest::addColumn<float>("diagonal");
        QTest::addColumn<float>("height");
        QTest::newRow("setting line") << kKioskLine << "\t" << true << "Kiosk" << 10.1f << 16.0f;
        QTest::newRow("file line with its line end") << "Wall, 12.5 ,2,2:1\r\n" << "," << true << "Wall" << 12.5f << 2.0f;
        QTest::newRow("empty") << "" << "\t" << false << "" << 0.0f << 0.0f;
        QTest::newRow("three parts") << "Kiosk\t10\t1.6" << "\t" << false << "" << 0.0f << 0.0f;
        QTest::newRow("empty name") << "\t10\t1.6\t16:10" << "\t" << false << "" << 0.0f << 0.0f;
        QTest::newRow("comma decimal") << "Kiosk\t10,1\t1.6\t16:10" << "\t" << false << "" << 0.0f << 0.0f;
        QTest::newRow("ratio without colon") << "Kiosk\t10\t1.6\t16" << "\t" << false << "" << 0.0f << 0.0f;
        QTest::newRow("ratio not a number") << "Kiosk\t10\t1.6\t16:x" << "\t" << false << "" << 0.0f << 0.0f;
    }

    void parse()
    {
        QFETCH(QString, line);
        QFETCH(QString, separator);
        QFETCH(bool, parsed);
        QFETCH(QString, name);
        QFETCH(float, diagonal);
        QFETCH(float, height);
        CustomDevice device;
        QCOMPARE(device.parse(line, separator.at(0)), parsed);
        if (!parsed)
            return;
        QCOMPARE(device.name, name);
        QCOMPARE(device.diagonal, diagonal);
        QCOMPARE(device.height, height);
    }

    void lineTexts()
    {
        CustomDevice device;
        QVERIFY(device.parse(QString::fromLatin1(kKioskLine), QLatin1Char('\t')));
        QCOMPARE(DCustomDevicesEditDialog::settingsText(device), QString::fromLatin1(kKioskLine));
        QCOMPARE(DCustomDevicesEditDialog::displayText(device, false), QStringLiteral("Kiosk\t10.1\t1.6\t16:10"));
        QCOMPARE(DCustomDevicesEditDialog::displayText(device, true), QStringLiteral("Kiosk\t25.65\t1.6\t16:10"));
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        QCOMPARE(DCustomDevicesEditDialog::settingsText(device), QString::fromLatin1(kKioskLine));
        QCOMPARE(DCustomDevicesEditDialog::displayText(device, false), QStringLiteral("Kiosk\t10,1\t1,6\t16:10"));
    }

    void freshEditor()
    {
        Editor editor;
        QCOMPARE(editor.dialog.windowTitle(), QStringLiteral("Custom Device List"));
        QVERIFY(!(editor.dialog.windowFlags() & Qt::WindowContextHelpButtonHint));
        QCOMPARE(editor.find<QLabel>("m_pUnitsLabel")->text(), QStringLiteral("inches"));
        for (const char *name : {"m_pAddButton", "m_pDeleteSelectedButton", "m_pMoveUpButton", "m_pMoveDownButton",
                                 "m_pSaveToFileButton"})
            QVERIFY2(!editor.button(name)->isEnabled(), name);
        QVERIFY(editor.button("m_pLoadFromFileButton")->isEnabled());
        QVERIFY(!editor.boxButton(QDialogButtonBox::Save)->isEnabled());
        QCOMPARE(editor.edit("m_pAspectRatioEdit")->text(), QStringLiteral("invalid"));
        QVERIFY(editor.find<QCheckBox>("m_pIgnoreDuplicates")->isChecked());
        QVERIFY(!editor.dialog.isModified());
    }

    void ratio_data()
    {
        QTest::addColumn<QString>("height");
        QTest::addColumn<QString>("width");
        QTest::addColumn<QString>("ratio");
        QTest::addColumn<bool>("red");
        QTest::addColumn<bool>("addable");
        QTest::newRow("16 by 10") << "16" << "10" << "1.6" << false << true;
        QTest::newRow("10 by 16, landscape") << "10" << "16" << "0.625" << true << false;
        QTest::newRow("height 0") << "0" << "10" << "invalid" << true << false;
        QTest::newRow("width missing") << "16" << "" << "invalid" << true << false;
        QTest::newRow("square") << "1" << "1" << "1" << false << true;
        QTest::newRow("above 10") << "101" << "10" << "10.1" << true << false;
    }

    void ratio()
    {
        QFETCH(QString, height);
        QFETCH(QString, width);
        QFETCH(QString, ratio);
        QFETCH(bool, red);
        QFETCH(bool, addable);
        Editor editor;
        editor.enter(QStringLiteral("Kiosk"), QStringLiteral("7"), height, width);
        QCOMPARE(editor.edit("m_pAspectRatioEdit")->text(), ratio);
        QCOMPARE(editor.isRed("m_pAspectRatioEdit"), red);
        QCOMPARE(editor.button("m_pAddButton")->isEnabled(), addable);
    }

    // Diagonals typed by the user, judged in inches.
    void diagonal_data()
    {
        QTest::addColumn<bool>("metric");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("addable");
        QTest::addColumn<float>("inches");
        QTest::newRow("6.35 cm is 2.5 in") << true << "6.35" << true << 2.5f;
        QTest::newRow("6.3 cm is too small") << true << "6.3" << false << 0.0f;
        QTest::newRow("60.96 cm is 24 in") << true << "60.96" << true << 24.0f;
        QTest::newRow("2.5 in") << false << "2.5" << true << 2.5f;
        QTest::newRow("24 in") << false << "24" << true << 24.0f;
        QTest::newRow("25 in") << false << "25" << false << 0.0f;
        QTest::newRow("empty") << false << "" << false << 0.0f;
    }

    void diagonal()
    {
        QFETCH(bool, metric);
        QFETCH(QString, typed);
        QFETCH(bool, addable);
        QFETCH(float, inches);
        Editor editor(metric);
        QCOMPARE(editor.find<QLabel>("m_pUnitsLabel")->text(), metric ? QStringLiteral("cm") : QStringLiteral("inches"));
        editor.enter(QStringLiteral("Kiosk"), QString(), QStringLiteral("16"), QStringLiteral("9"));
        editor.type("m_pDiagonalLengthEdit", typed);
        QCOMPARE(editor.edit("m_pDiagonalLengthEdit")->text(), typed);
        QCOMPARE(editor.button("m_pAddButton")->isEnabled(), addable);
        QCOMPARE(editor.isRed("m_pDiagonalLengthEdit"), !addable);
        if (!addable)
            return;
        QTest::mouseClick(editor.button("m_pAddButton"), Qt::LeftButton);
        QCOMPARE(editor.dialog.devices().size(), 1);
        QCOMPARE(editor.dialog.devices().first().diagonal, inches);
        QCOMPARE(editor.dialog.devices().first().aspect, 1.778f);
    }

    // Names that could not be read back are refused in the field.
    void names_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::newRow("plain") << "Kiosk 2" << "Kiosk 2";
        QTest::newRow("comma") << "Kiosk,2" << "Kiosk2";
        QTest::newRow("tab") << "Kiosk\t2" << "Kiosk2";
    }

    void names()
    {
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        Editor editor;
        editor.enter(QString(), QStringLiteral("7"), QStringLiteral("16"), QStringLiteral("9"));
        QVERIFY(!editor.button("m_pAddButton")->isEnabled());
        editor.type("m_pNameEdit", typed);
        QCOMPARE(editor.edit("m_pNameEdit")->text(), shown);
        QVERIFY(editor.button("m_pAddButton")->isEnabled());
        // Text put there around the validator is not taken either.
        editor.edit("m_pNameEdit")->setText(QStringLiteral("A,B"));
        QVERIFY(!editor.button("m_pAddButton")->isEnabled());
        editor.edit("m_pNameEdit")->setText(QStringLiteral("A\nB"));
        QVERIFY(!editor.button("m_pAddButton")->isEnabled());
    }

    // Adding, selecting, moving and deleting, each marking the list unsaved.
    void editingTheList()
    {
        Editor editor;
        editor.add(QStringLiteral("A"), QStringLiteral("5"), QStringLiteral("16"), QStringLiteral("9"));
        editor.add(QStringLiteral("B"), QStringLiteral("7"), QStringLiteral("4"), QStringLiteral("3"));
        editor.add(QStringLiteral("C"), QStringLiteral("10.1"), QStringLiteral("16"), QStringLiteral("10"));
        QCOMPARE(editor.names(), QStringList({"A", "B", "C"}));
        QCOMPARE(editor.list()->item(1)->text(), QStringLiteral("B\t7\t1.333\t4:3"));
        QVERIFY(editor.dialog.isModified());
        QVERIFY(editor.boxButton(QDialogButtonBox::Save)->isEnabled());
        QVERIFY(editor.button("m_pSaveToFileButton")->isEnabled());

        editor.list()->setCurrentRow(0);
        QCOMPARE(editor.edit("m_pNameEdit")->text(), QStringLiteral("A"));
        QCOMPARE(editor.edit("m_pDiagonalLengthEdit")->text(), QStringLiteral("5"));
        QVERIFY(!editor.button("m_pMoveUpButton")->isEnabled());
        QVERIFY(editor.button("m_pMoveDownButton")->isEnabled());
        QTest::mouseClick(editor.button("m_pMoveDownButton"), Qt::LeftButton);
        QCOMPARE(editor.names(), QStringList({"B", "A", "C"}));
        QCOMPARE(editor.list()->currentRow(), 1);
        QCOMPARE(editor.list()->item(1)->text(), QStringLiteral("A\t5\t1.778\t16:9"));
        QTest::mouseClick(editor.button("m_pMoveDownButton"), Qt::LeftButton);
        QCOMPARE(editor.names(), QStringList({"B", "C", "A"}));
        QVERIFY(!editor.button("m_pMoveDownButton")->isEnabled());
        QTest::mouseClick(editor.button("m_pMoveUpButton"), Qt::LeftButton);
        QCOMPARE(editor.names(), QStringList({"B", "A", "C"}));
        QTest::mouseClick(editor.button("m_pDeleteSelectedButton"), Qt::LeftButton);
        QCOMPARE(editor.names(), QStringList({"B", "C"}));
        QCOMPARE(editor.list()->count(), 2);
        QCOMPARE(editor.list()->item(1)->text().section(QLatin1Char('\t'), 0, 0), QStringLiteral("C"));
    }

    // Save writes every line with a line feed after it; the next editor
    // reads the list back.
    void saveAndReadBack()
    {
        Editor editor;
        editor.add(QStringLiteral("Kiosk"), QStringLiteral("10.1"), QStringLiteral("16"), QStringLiteral("10"));
        editor.add(QStringLiteral("Wall"), QStringLiteral("12"), QStringLiteral("2"), QStringLiteral("1"));
        // A mnemonic added by a platform theme does not change what the button does.
        editor.boxButton(QDialogButtonBox::Save)->setText(QStringLiteral("&Save"));
        QTest::mouseClick(editor.boxButton(QDialogButtonBox::Save), Qt::LeftButton);
        QVERIFY(editor.dialog.isVisible());
        QVERIFY(!editor.dialog.isModified());
        QVERIFY(!editor.boxButton(QDialogButtonBox::Save)->isEnabled());
        const QString stored = settings().value(QStringLiteral("CustomDevices")).toString();
        QCOMPARE(stored, QString::fromLatin1(kKioskLine) + QStringLiteral("\nWall\t12.000\t2.000\t2.000:1.000\n"));

        Editor again;
        QCOMPARE(again.names(), QStringList({"Kiosk", "Wall"}));
        QVERIFY(again.button("m_pSaveToFileButton")->isEnabled());
        QVERIFY(!again.dialog.isModified());
    }

    // Close, Escape and the title bar with and without unsaved changes.
    void leaving_data()
    {
        QTest::addColumn<bool>("modified");
        QTest::addColumn<QString>("how");
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("asked");
        QTest::addColumn<bool>("open");
        QTest::addColumn<int>("result");
        const int ok = QMessageBox::Ok;
        const int cancel = QMessageBox::Cancel;
        QTest::newRow("close, saved") << false << "close" << ok << false << false << int(QDialog::Accepted);
        QTest::newRow("close, unsaved, ok") << true << "close" << ok << true << false << int(QDialog::Accepted);
        QTest::newRow("close, unsaved, cancel") << true << "close" << cancel << true << true << -1;
        QTest::newRow("escape, saved") << false << "escape" << ok << false << false << int(QDialog::Rejected);
        QTest::newRow("escape, unsaved, ok") << true << "escape" << ok << true << false << int(QDialog::Rejected);
        QTest::newRow("escape, unsaved, cancel") << true << "escape" << cancel << true << true << -1;
        QTest::newRow("title bar, unsaved, ok") << true << "window" << ok << true << false << int(QDialog::Rejected);
        QTest::newRow("title bar, unsaved, cancel") << true << "window" << cancel << true << true << -1;
    }

    void leaving()
    {
        QFETCH(bool, modified);
        QFETCH(QString, how);
        QFETCH(int, answer);
        QFETCH(bool, asked);
        QFETCH(bool, open);
        QFETCH(int, result);
        Editor editor;
        editor.dialog.setResult(-1);
        // As a platform theme may show it.
        editor.boxButton(QDialogButtonBox::Close)->setText(QStringLiteral("&Close"));
        if (modified)
            editor.add(QStringLiteral("Kiosk"), QStringLiteral("10.1"), QStringLiteral("16"), QStringLiteral("10"));
        m_answers << answer;
        if (how == QLatin1String("close"))
            QTest::mouseClick(editor.boxButton(QDialogButtonBox::Close), Qt::LeftButton);
        else if (how == QLatin1String("escape"))
            QTest::keyClick(&editor.dialog, Qt::Key_Escape);
        else
            editor.dialog.close();
        QCOMPARE(m_boxes.size(), asked ? 1 : 0);
        if (asked)
            QCOMPARE(m_boxes.first(),
                     QStringLiteral("Close Custom Device List|Changes have not been saved. Continue?"));
        QCOMPARE(editor.dialog.isVisible(), open);
        QCOMPARE(editor.dialog.result(), result);
        // Nothing reaches the setting without Save.
        QVERIFY(!settings().contains(QStringLiteral("CustomDevices")));
    }

    // The file: commas, one line feed per line, no carriage return.
    void saveToFile()
    {
        settings().setValue(QStringLiteral("CustomDevices"),
                            QString::fromLatin1(kKioskLine) + QStringLiteral("\nWand\u00e4\t12.000\t2.000\t2.000:1.000\n"));
        Editor editor;
        m_chosenFile = filePath(QStringLiteral("out.txt"));
        QTest::mouseClick(editor.button("m_pSaveToFileButton"), Qt::LeftButton);
        QCOMPARE(m_fileQuestions, QStringList({"save|Choose Device List File|deviceList.txt|Text (*.txt)"}));
        QFile file(m_chosenFile);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("Kiosk,10.100,1.600,16.000:10.000\nWand\xc3\xa4,12.000,2.000,2.000:1.000\n"));
        QVERIFY(m_boxes.isEmpty());
        QVERIFY(!editor.dialog.isModified());

        // No name chosen: nothing happens; a folder cannot be written.
        m_chosenFile.clear();
        QTest::mouseClick(editor.button("m_pSaveToFileButton"), Qt::LeftButton);
        QVERIFY(m_boxes.isEmpty());
        m_chosenFile = m_files.path();
        QTest::mouseClick(editor.button("m_pSaveToFileButton"), Qt::LeftButton);
        QCOMPARE(m_boxes, QStringList({"Save Device List|Unable to open file '" + m_files.path() + "'."}));
    }

    // Lines of a loaded file: skipped silently, taken, or reported with the
    // reason and the choice to go on or abort.
    void loadFromFile_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QList<int>>("answers");
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QStringList>("reasons");
        const QList<int> none;
        QTest::newRow("valid lines, CR LF too")
            << QByteArray("Kiosk,10.100,1.600,16.000:10.000\r\nWall,12,2,2:1\n") << none
            << QStringList({"Kiosk", "Wall"}) << QStringList();
        QTest::newRow("five parts and unreadable numbers skipped silently")
            << QByteArray("Kiosk, big,10.1,1.6,16:10\nOdd,x,1.6,16:10\nOdd,10,y,16:10\nWall,12,2,2:1\n") << none
            << QStringList({"Wall"}) << QStringList();
        QTest::newRow("aspect 12, ok goes on")
            << QByteArray("Kiosk,10.1,1.6,16:10\nTall,10,12,12:1\nWall,12,2,2:1\n") << QList<int>{QMessageBox::Ok}
            << QStringList({"Kiosk", "Wall"})
            << QStringList({"Invalid line:\n\nTall,10,12,12:1\n\nAspect ratio must be at most 10."});
        QTest::newRow("aspect 12, abort keeps the earlier lines")
            << QByteArray("Kiosk,10.1,1.6,16:10\nTall,10,12,12:1\nWall,12,2,2:1\n")
            << QList<int>{QMessageBox::Abort} << QStringList({"Kiosk"})
            << QStringList({"Invalid line:\n\nTall,10,12,12:1\n\nAspect ratio must be at most 10."});
        QTest::newRow("each reason") << QByteArray(",10,1.6,16:10\nSmall,2,1.6,16:10\nHuge,30,1.6,16:10\n"
                                                   "Flat,10,0.5,1:2\nBad,10,1.6,16\nZero,10,1.6,16:0\nT\tab,10,1.6,16:10")
                                     << none << QStringList()
                                     << QStringList({"Invalid line:\n\n,10,1.6,16:10\n\nName cannot be empty.",
                                                     "Invalid line:\n\nSmall,2,1.6,16:10\n\nDiagonal length must be at least 2.5.",
                                                     "Invalid line:\n\nHuge,30,1.6,16:10\n\nDiagonal length must be at most 24.",
                                                     "Invalid line:\n\nFlat,10,0.5,1:2\n\nAspect ratio must be at least 1.",
                                                     "Invalid line:\n\nBad,10,1.6,16\n\nInvalid aspect ratio text. The required format is '<number>:<number>'.",
                                                     "Invalid line:\n\nZero,10,1.6,16:0\n\nInvalid aspect ratio text. The required format is '<number>:<number>'.",
                                                     "Invalid line:\n\nT\tab,10,1.6,16:10\nName cannot contain a tab or a line break."});
        QTest::newRow("hostile bytes") << QByteArray("\xff\xfe", 2) + QByteArray(1, '\0')
                                              + QByteArray(",\x01,\x02\n\n,,,\n%1,10,1.6,16:10\n")
                                       << none << QStringList({"%1"}) << QStringList();
    }

    void loadFromFile()
    {
        QFETCH(QByteArray, content);
        QFETCH(QList<int>, answers);
        QFETCH(QStringList, names);
        QFETCH(QStringList, reasons);
        writeFile(QStringLiteral("in.txt"), content);
        Editor editor;
        m_chosenFile = filePath(QStringLiteral("in.txt"));
        m_answers = answers;
        QTest::mouseClick(editor.button("m_pLoadFromFileButton"), Qt::LeftButton);
        QCOMPARE(m_fileQuestions, QStringList({"open|Choose Device List File|deviceList.txt|Text (*.txt)"}));
        QCOMPARE(editor.names(), names);
        QStringList shown;
        for (const QString &box : std::as_const(m_boxes)) {
            QVERIFY(box.startsWith(QStringLiteral("Custom Device Load|")));
            shown << box.section(QLatin1Char('|'), 1);
        }
        QCOMPARE(shown, reasons);
        QVERIFY(editor.dialog.isModified());
        QCOMPARE(editor.button("m_pSaveToFileButton")->isEnabled(), !names.isEmpty());
    }

    // The same file twice: with "Ignore duplicates" nothing is added the
    // second time, but the list is marked unsaved all the same.
    void loadTwice_data()
    {
        QTest::addColumn<bool>("ignoreDuplicates");
        QTest::addColumn<int>("devices");
        QTest::newRow("ignored") << true << 2;
        QTest::newRow("taken again") << false << 4;
    }

    void loadTwice()
    {
        QFETCH(bool, ignoreDuplicates);
        QFETCH(int, devices);
        writeFile(QStringLiteral("twice.txt"), "Kiosk,10.1,1.6,16:10\nWall,12,2,2:1\n");
        m_chosenFile = filePath(QStringLiteral("twice.txt"));
        Editor editor;
        editor.find<QCheckBox>("m_pIgnoreDuplicates")->setChecked(ignoreDuplicates);
        QTest::mouseClick(editor.button("m_pLoadFromFileButton"), Qt::LeftButton);
        QTest::mouseClick(editor.boxButton(QDialogButtonBox::Save), Qt::LeftButton);
        QVERIFY(!editor.dialog.isModified());
        QTest::mouseClick(editor.button("m_pLoadFromFileButton"), Qt::LeftButton);
        QCOMPARE(editor.dialog.devices().size(), devices);
        QVERIFY(editor.dialog.isModified());
    }

    void loadMissingFile()
    {
        Editor editor;
        m_chosenFile = filePath(QStringLiteral("missing.txt"));
        QTest::mouseClick(editor.button("m_pLoadFromFileButton"), Qt::LeftButton);
        QCOMPARE(m_boxes, QStringList({"Load Device List|Unable to open file '" + m_chosenFile + "'."}));
        QVERIFY(!editor.dialog.isModified());
        m_boxes.clear();
        m_chosenFile.clear();
        QTest::mouseClick(editor.button("m_pLoadFromFileButton"), Qt::LeftButton);
        QVERIFY(m_boxes.isEmpty());
    }

    // In a decimal-comma locale the fields take commas; the setting keeps dots.
    void decimalComma()
    {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        Editor editor(true);
        editor.edit("m_pNameEdit")->setText(QStringLiteral("Kiosk"));
        editor.type("m_pDiagonalLengthEdit", QStringLiteral("6,35"));
        editor.type("m_pHeightEdit", QStringLiteral("2,5"));
        editor.type("m_pWidthEdit", QStringLiteral("1"));
        QCOMPARE(editor.edit("m_pAspectRatioEdit")->text(), QStringLiteral("2,5"));
        QVERIFY(editor.button("m_pAddButton")->isEnabled());
        QTest::mouseClick(editor.button("m_pAddButton"), Qt::LeftButton);
        QCOMPARE(editor.list()->item(0)->text(), QStringLiteral("Kiosk\t6,35\t2,5\t2,5:1"));
        QTest::mouseClick(editor.boxButton(QDialogButtonBox::Save), Qt::LeftButton);
        QCOMPARE(settings().value(QStringLiteral("CustomDevices")).toString(),
                 QStringLiteral("Kiosk\t2.500\t2.500\t2.500:1.000\n"));
        editor.list()->setCurrentRow(0);
        QCOMPARE(editor.edit("m_pDiagonalLengthEdit")->text(), QStringLiteral("6,35"));
    }
};

VVB_TEST_MAIN(TestDCustomDevicesDialog)
#include "tst_dcustomdevicesdialog.moc"
