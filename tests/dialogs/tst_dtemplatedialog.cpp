#include "dialogs/DMessageBox.h"
#include "dialogs/DTemplateDialog.h"
#include "dialogs/DTitleDialog.h"
#include "model/CComposite.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include <functional>

#include "support/TestMain.h"

// The template list and the title editor, answered through the modal seam
// the way a user would: clicks on the list, typing, the dialog's buttons.
class TestDTemplateDialog : public QObject
{
    Q_OBJECT

private:
    // A folder with the given files (and subfolders, names ending in "/").
    static void fill(const QTemporaryDir &dir, const QStringList &entries)
    {
        for (const QString &entry : entries) {
            if (entry.endsWith(QLatin1Char('/'))) {
                QVERIFY(QDir(dir.path()).mkpath(entry));
            } else {
                QFile file(dir.filePath(entry));
                QVERIFY(file.open(QIODevice::WriteOnly));
            }
        }
    }

    static QStringList listed(DModalDialog *pDialog)
    {
        QStringList names;
        const auto *pList = pDialog->findChild<QListWidget *>(QStringLiteral("m_pFileList"));
        for (int row = 0; pList && row < pList->count(); ++row)
            names.append(pList->item(row)->text());
        return names;
    }

    static void press(DModalDialog *pDialog, QDialogButtonBox::StandardButton which)
    {
        auto *pBox = pDialog->findChild<QDialogButtonBox *>(QStringLiteral("buttonBox"));
        QVERIFY(pBox && pBox->button(which));
        QTest::mouseClick(pBox->button(which), Qt::LeftButton);
    }

    // Runs the seam with the given user, restoring the real user afterwards.
    struct Answer
    {
        explicit Answer(const DModalDialog::Responder &user) { DModalDialog::setResponder(user); }
        ~Answer() { DModalDialog::setResponder(DModalDialog::Responder()); }
    };

    // Records every message box, answering OK.
    struct Boxes
    {
        Boxes()
        {
            DMessageBox::setResponder([this](const QString &title, const QString &text) {
                shown.append(title + QLatin1Char('|') + text);
                return 0;
            });
        }
        ~Boxes() { DMessageBox::setResponder(DMessageBox::Responder()); }
        QStringList shown;
    };

private slots:
    void listing_data()
    {
        QTest::addColumn<QStringList>("entries");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("letters first, short names left out")
            << QStringList{"Blank Panel.tpl", "Tiny.tpl", "_Underscore Panel.tpl"}
            << QStringList{"Blank Panel", "_Underscore Panel"};
        QTest::newRow("five characters are listed")
            << QStringList{"Fiver.tpl", "Four.tpl"} << QStringList{"Fiver"};
        QTest::newRow("subfolder listed by its name")
            << QStringList{"Subfolder Panels/", "Blank Panel.tpl"}
            << QStringList{"Blank Panel", "Subfolder Panels"};
        QTest::newRow("letters sorted, others after, case-sensitive")
            << QStringList{"zeta panel.tpl", "Alpha Panel.tpl", "2 Second.tpl", "1 First.tpl", "_Last Panel.tpl"}
            << QStringList{"Alpha Panel", "zeta panel", "1 First", "2 Second", "_Last Panel"};
        QTest::newRow("letter beyond ASCII counts as a letter")
            << QStringList{QString::fromUtf8("\xc3\x89" "cran Panel.tpl"), "(Braces).tpl"}
            << QStringList{QString::fromUtf8("\xc3\x89" "cran Panel"), "(Braces)"};
        QTest::newRow("every extension removed")
            << QStringList{"Abc.tpl.tpl", "Other.txt"} << QStringList{"Other.txt"};
        QTest::newRow("empty folder") << QStringList{} << QStringList{};
    }

    void listing()
    {
        QFETCH(QStringList, entries);
        QFETCH(QStringList, expected);
        QTemporaryDir dir;
        fill(dir, entries);
        QStringList shown;
        QString windowTitle;
        Answer answer([&](DModalDialog *pDialog) {
            shown = listed(pDialog);
            windowTitle = pDialog->windowTitle();
            return 0;
        });
        DTemplateDialog dialog;
        dialog.setFolder(dir.path() + QLatin1Char('/'));
        dialog.setExtension(QStringLiteral(".tpl"));
        QVERIFY(!dialog.runModal());
        QCOMPARE(shown, expected);
        QCOMPARE(windowTitle, QStringLiteral("Select a Template"));
        QCOMPARE(dialog.status(), int(DModalDialog::StatusFailed));
        // Cancel keeps the folder as the caller stored it.
        QCOMPARE(dialog.folder(), dir.path() + QLatin1Char('/'));
    }

    // How the user chooses, and the path the caller reads back.
    void choosing_data()
    {
        QTest::addColumn<QString>("gesture");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<QString>("name");
        QTest::newRow("OK takes the first row") << "ok" << true << "Alpha Panel";
        QTest::newRow("click then OK") << "click second, ok" << true << "Blank Panel";
        QTest::newRow("double-click accepts") << "double-click second" << true << "Blank Panel";
        QTest::newRow("click then Cancel") << "click second, cancel" << false << QString();
        QTest::newRow("window closed") << "close" << false << QString();
    }

    void choosing()
    {
        QFETCH(QString, gesture);
        QFETCH(bool, accepted);
        QFETCH(QString, name);
        QTemporaryDir dir;
        fill(dir, {"Blank Panel.tpl", "Alpha Panel.tpl"});
        const QString folder = dir.path() + QLatin1Char('/');
        Answer answer([&](DModalDialog *pDialog) {
            auto *pList = pDialog->findChild<QListWidget *>(QStringLiteral("m_pFileList"));
            const QRect second = pList->visualItemRect(pList->item(1));
            if (gesture.startsWith(QLatin1String("click second")))
                QTest::mouseClick(pList->viewport(), Qt::LeftButton, {}, second.center());
            if (gesture.startsWith(QLatin1String("double-click"))) {
                // A user's double-click: the first click, then the second one.
                QTest::mouseClick(pList->viewport(), Qt::LeftButton, {}, second.center());
                QTest::mouseDClick(pList->viewport(), Qt::LeftButton, {}, second.center());
            }
            if (gesture.endsWith(QLatin1String("ok")))
                press(pDialog, QDialogButtonBox::Ok);
            if (gesture.endsWith(QLatin1String("cancel")))
                press(pDialog, QDialogButtonBox::Cancel);
            if (gesture == QLatin1String("close"))
                pDialog->close();
            return -1;
        });
        DTemplateDialog dialog;
        dialog.setFolder(folder);
        dialog.setExtension(QStringLiteral(".tpl"));
        QCOMPARE(dialog.runModal(), accepted);
        QCOMPARE(dialog.folder(), accepted ? folder + name + QStringLiteral(".tpl") : folder);
        QCOMPARE(dialog.status(), accepted ? int(DModalDialog::StatusPassed) : int(DModalDialog::StatusFailed));
    }

    void emptyFolderGivesFolderAndExtension()
    {
        QTemporaryDir dir;
        Answer answer([](DModalDialog *) { return 1; });
        DTemplateDialog dialog;
        dialog.setFolder(dir.path() + QLatin1Char('/'));
        dialog.setExtension(QStringLiteral(".tpl"));
        QVERIFY(dialog.runModal());
        QCOMPARE(dialog.folder(), dir.path() + QStringLiteral("/.tpl"));
    }

    void windowIsToolWithoutHelp()
    {
        DTemplateDialog templates;
        DTitleDialog title(nullptr, nullptr);
        for (const QDialog *pDialog : {static_cast<QDialog *>(&templates), static_cast<QDialog *>(&title)}) {
            QCOMPARE(pDialog->windowType(), Qt::Tool);
            QVERIFY(!(pDialog->windowFlags() & Qt::WindowContextHelpButtonHint));
        }
        QCOMPARE(title.windowTitle(), QStringLiteral("Title"));
        QCOMPARE(templates.size(), QSize(380, 229));
        QCOMPARE(title.size(), QSize(320, 91));
    }

    // Two panels "Home" and "Setup" in one collection; the user retitles Home.
    void retitle_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("pressOk");
        QTest::addColumn<QString>("title");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("box");
        QTest::newRow("new name") << "Lobby" << true << "Lobby" << 1 << QString();
        QTest::newRow("own name") << "Home" << true << "Home" << 1 << QString();
        QTest::newRow("case differs") << "setup" << true << "setup" << 1 << QString();
        QTest::newRow("untrimmed") << " Lobby " << true << " Lobby " << 1 << QString();
        QTest::newRow("sibling's name") << "Setup" << true << "Home" << 0
                                        << "Warning|Error: Setup is a duplicate title.";
        QTest::newRow("empty") << "" << true << "Home" << 0 << "Warning|Error: A title cannot be empty.";
        QTest::newRow("cancel") << "Lobby" << false << "Home" << 0 << QString();
    }

    void retitle()
    {
        QFETCH(QString, typed);
        QFETCH(bool, pressOk);
        QFETCH(QString, title);
        QFETCH(int, status);
        QFETCH(QString, box);
        CComposite scene;
        scene.setKind(QStringLiteral("Scene"));
        auto *pHome = new CComposite;
        pHome->setKind(QStringLiteral("Panel"));
        pHome->setName(QStringLiteral("Home"));
        auto *pSetup = new CComposite;
        pSetup->setKind(QStringLiteral("Panel"));
        pSetup->setName(QStringLiteral("Setup"));
        scene.addChild(pHome);
        scene.addChild(pSetup);

        Boxes boxes;
        QString shownText;
        bool selectedAll = false;
        Answer answer([&](DModalDialog *pDialog) {
            auto *pEdit = pDialog->findChild<QLineEdit *>(QStringLiteral("m_lineEdit"));
            shownText = pEdit->text();
            selectedAll = pEdit->selectedText() == pEdit->text();
            pEdit->selectAll();
            QTest::keyClick(pEdit, Qt::Key_Backspace);
            QTest::keyClicks(pEdit, typed);
            press(pDialog, pressOk ? QDialogButtonBox::Ok : QDialogButtonBox::Cancel);
            return -1;
        });
        DTitleDialog dialog(nullptr, pHome);
        dialog.setTitle(pHome->name());
        // A refused name still closes the dialog as accepted.
        QCOMPARE(dialog.runModal(), pressOk);
        QCOMPARE(shownText, QStringLiteral("Home"));
        QVERIFY(selectedAll);
        QCOMPARE(dialog.title(), title);
        QCOMPARE(dialog.status(), status);
        QCOMPARE(boxes.shown, box.isEmpty() ? QStringList() : QStringList{box});
    }

    // Without a parent a name can never be checked, so it is never taken.
    void controlWithoutParentKeepsTitle()
    {
        CComposite lone;
        lone.setName(QStringLiteral("Lone"));
        Boxes boxes;
        Answer answer([](DModalDialog *pDialog) {
            pDialog->findChild<QLineEdit *>(QStringLiteral("m_lineEdit"))->setText(QStringLiteral("Other"));
            return 1;
        });
        DTitleDialog dialog(nullptr, &lone);
        dialog.setTitle(lone.name());
        QVERIFY(dialog.runModal());
        QCOMPARE(dialog.title(), QStringLiteral("Lone"));
        QCOMPARE(boxes.shown.size(), 1);
    }
};

VVB_TEST_MAIN(TestDTemplateDialog)
#include "tst_dtemplatedialog.moc"
