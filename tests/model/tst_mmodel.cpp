#include "ModelFixture.h"

#include "commands/BToolSelectCommand.h"
#include "controllers/KController.h"
#include "hardware/HRoot.h"
#include "model/MProject.h"
#include "support/DesignFixture.h"
#include "support/TestMain.h"
#include "support/TestSupport.h"
#include "utility/UArchive.h"
#include "utility/UArchiveHeader.h"
#include "xml/XmlWriter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPointer>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QStringDecoder>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

namespace {

// Texts a user may type: spaces at both ends and doubled, and the four
// characters the writer escapes.
const QString s_sFacility = QStringLiteral("  Grand  Hotel & <Spa> \"East\"  ");
const QString s_sLabel = QStringLiteral(" Lobby  <Main> & \"Bar\" ");

QString decodeUtf16(const QByteArray &bytes)
{
    QStringDecoder decoder(QStringDecoder::Utf16BE);
    return decoder(bytes.mid(2));
}

// The names of the elements one level below the root, in file order.
QStringList rootChildren(const QStringList &lines)
{
    QStringList names;
    for (const QString &line : lines) {
        if (line.startsWith(QLatin1String("\t<")) && !line.startsWith(QLatin1String("\t</"))
            && !line.startsWith(QLatin1String("\t\t")))
            names.append(line.mid(2, line.indexOf(QLatin1Char('>')) - 2).section(QLatin1Char(' '), 0, 0));
    }
    return names;
}

// Every line is indented by one tab per element open around it.
bool indentedByDepth(const QStringList &lines, QString *pFault)
{
    int depth = 0;
    for (const QString &line : lines) {
        if (line.isEmpty() || line.startsWith(QLatin1String("<?xml")))
            continue;
        const int tabs = int(line.size() - QString(line).remove(QRegularExpression(QStringLiteral("^\\t+"))).size());
        const QString tag = line.mid(tabs);
        const bool closing = tag.startsWith(QLatin1String("</"));
        const bool leaf = !closing && tag.contains(QLatin1String("</"));
        if (closing)
            --depth;
        if (tabs != depth) {
            *pFault = line;
            return false;
        }
        if (!closing && !leaf)
            ++depth;
    }
    return depth == 0;
}

// A controller holding the item under which widgets are made.
class CanvasOwner : public KController
{
public:
    CanvasOwner()
        : m_pItem(new QQuickItem)
    {
    }
    ~CanvasOwner() override { delete m_pItem; }

    QQuickItem *m_pItem;
};

} // namespace

class TestMModel : public QObject
{
    Q_OBJECT

private:
    // A document of two scenes: the first with a panel of two controls, the
    // second with two empty panels; project information with awkward texts.
    static void populate(ModelFixture &f)
    {
        CComposite *pScene = f.scene(QStringLiteral("COLLECTION1"));
        CComposite *pPanel = f.panel(pScene, QStringLiteral("Home"));
        f.control(pPanel, QStringLiteral("Title"), QStringLiteral("Label"), QStringLiteral("frame"),
                  {{QStringLiteral("id"), QStringLiteral("7")}, {QStringLiteral("x"), QStringLiteral("10")},
                   {QStringLiteral("width"), QStringLiteral("120")}, {QStringLiteral("height"), QStringLiteral("30")}});
        CControl *pSlider = f.control(pPanel, s_sLabel, QStringLiteral("Slider"), QStringLiteral("frame"),
                                      {{QStringLiteral("x"), QStringLiteral("40")},
                                       {QStringLiteral("y"), QStringLiteral("60")}});
        pSlider->setAttribute(QStringLiteral("range"), QStringLiteral("units"), s_sLabel);
        CComposite *pSecond = f.scene(QStringLiteral("Lounge"));
        f.panel(pSecond, QStringLiteral("First"));
        f.panel(pSecond, QStringLiteral("Second"));
        f.model->project()->characters(QStringLiteral("Facility"), QStringLiteral("name"), s_sFacility);
        f.model->project()->characters(QStringLiteral("Comments"), QStringLiteral("comment2"), s_sLabel);
        f.model->updatePageCount();
    }

    // Every kind of element there is: scenes, panels of each type, controls
    // bound and unbound with list and range attributes, canvas and project
    // information. Widgets are frames: the kind with its own QML file and writer.
    static void populateEveryKind(ModelFixture &f)
    {
        populate(f);
        auto *pHome = qobject_cast<CComposite *>(f.model->currentPanel());
        pHome->setPanelType(QStringLiteral("complete"));
        CControl *pSlider = f.model->scenes()->findByName(s_sLabel);
        HNode *pGain = f.model->rootNode()->findByAttribute(QStringLiteral("label"), QStringLiteral("Lobby Gain"));
        QVERIFY(pGain);
        pSlider->setNode(pGain);
        pSlider->setAttribute(QStringLiteral("range"), QStringLiteral("minimum"), QStringLiteral("-100"));
        pSlider->setAttribute(QStringLiteral("range"), QStringLiteral("maximum"), QStringLiteral("12"));
        pSlider->setAttribute(QStringLiteral("range"), QStringLiteral("step"), QStringLiteral("0.5"));
        pSlider->setAttribute(QStringLiteral("range"), QStringLiteral("transform"), QStringLiteral("strV"));
        pSlider->setAttribute(QStringLiteral("range"), QStringLiteral("index1"), QStringLiteral("3"));
        CControl *pButton = f.control(pHome, QStringLiteral("Mute"), QStringLiteral("Button"), QStringLiteral("frame"),
                                      {{QStringLiteral("id"), QStringLiteral("9")},
                                       {QStringLiteral("link"), QStringLiteral("7")}});
        pButton->setAttribute(QStringLiteral("list"), QStringLiteral("set"), QStringLiteral("F,O"));
        pButton->setAttribute(QStringLiteral("list"), QStringLiteral("struct"), QStringLiteral("2"));
        pButton->setAttribute(QStringLiteral("list"), QStringLiteral("transform"), QStringLiteral("chrL"));
        pButton->setAttribute(QStringLiteral("list"), QStringLiteral("doNotPoll"), QStringLiteral("1"));
        f.control(pHome, QStringLiteral("Frame"), QStringLiteral("Frame"), QStringLiteral("frame"),
                  {{QStringLiteral("x"), QStringLiteral("5")}, {QStringLiteral("y"), QStringLiteral("6")},
                   {QStringLiteral("width"), QStringLiteral("200")}, {QStringLiteral("height"), QStringLiteral("90")},
                   {QStringLiteral("fieldcolor"), QStringLiteral("#ff102030")},
                   {QStringLiteral("borderwidth"), QStringLiteral("2.5")},
                   {QStringLiteral("hasBorder"), QStringLiteral("1")}});
        auto *pLounge = qobject_cast<CComposite *>(f.model->scenes()->childAt(1));
        qobject_cast<CComposite *>(pLounge->childAt(0))->setPanelType(QStringLiteral("template"));
        qobject_cast<CComposite *>(pLounge->childAt(1))->setPanelType(QStringLiteral("custom"));
        f.canvas.setText(s_sLabel);
        f.canvas.setOrientation(0);
        f.canvas.setHorizCenter(false);
        f.model->project()->characters(QStringLiteral("Engineer"), QStringLiteral("email"),
                                       QStringLiteral("a&b@example.org"));
        f.model->project()->characters(QStringLiteral("Customer"), QStringLiteral("address"),
                                       QStringLiteral("1  High St. <rear>"));
    }

    // The project file packed in an archive, as UTF-8 text.
    static QByteArray projectFileText(const QString &archivePath)
    {
        UArchive archive;
        if (!archive.read(archivePath))
            return QByteArray();
        const QByteArray bytes = TestSupport::readAll(archive.findLocalPath(QStringLiteral(".cpf")));
        return bytes.startsWith("\xFE\xFF") ? decodeUtf16(bytes).toUtf8() : QByteArray();
    }

    // A panel template holding one label control of that name.
    static QByteArray templateText(const char *controlName)
    {
        return QByteArray("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<VMD>\n\t<Parameters>\n\t</Parameters>\n"
                          "\t<Controls>\n\t\t<Control name=\"") + controlName + "\" type=\"Label\">\n"
               "\t\t\t<id>11</id>\n\t\t\t<Property name=\"widget\">\n\t\t\t\t<label>\n"
               "\t\t\t\t\t<x>10</x>\n\t\t\t\t\t<y>10</y>\n\t\t\t\t\t<width>100</width>\n"
               "\t\t\t\t\t<height>30</height>\n\t\t\t\t</label>\n\t\t\t</Property>\n"
               "\t\t\t<Property name=\"attributes\">\n\t\t\t\t<list>\n\t\t\t\t\t<enableEdit>1</enableEdit>\n"
               "\t\t\t\t</list>\n\t\t\t</Property>\n\t\t</Control>\n\t</Controls>\n</VMD>\n";
    }

    static QStringList sceneNames(const MModel *pModel)
    {
        QStringList names;
        for (const CControl *pScene : pModel->scenes()->children())
            names.append(pScene->name());
        return names;
    }

private slots:
    void initBuildsRootsAndServices()
    {
        MModel model;
        QVERIFY(model.getIsScaleMultiply());
        QSignalSpy select(&model, &MModel::selectState);
        QSignalSpy ccp(&model, &MModel::ccpState);
        model.init();
        QVERIFY(model.rootNode());
        QVERIFY(model.scenes());
        QCOMPARE(model.scenes()->type(), QStringLiteral("Scenes"));
        QVERIFY(model.project());
        QVERIFY(model.selectTool());
        QCOMPARE(model.selectTool()->id(), 0x2000);
        QCOMPARE(select.count(), 1);
        QCOMPARE(select.first().first().toBool(), false);
        QCOMPARE(ccp.count(), 1);
        QCOMPARE(ccp.first().first().toBool(), false);
        auto *pTimer = model.findChild<QTimer *>(QStringLiteral("polling"));
        QVERIFY(pTimer);
        QVERIFY(!pTimer->isActive());
        QCOMPARE(model.fileVersion(), QStringLiteral("3.0"));
        QCOMPARE(model.mobileAddress().toString(), QStringLiteral("192.168.0.1"));
    }

    void uninitialisedModelIsHarmless()
    {
        MModel model;
        QVERIFY(!model.newProject(QStringLiteral("/nowhere/Blank Panel.tpl")));
        QVERIFY(!model.saveProject(QStringLiteral("/tmp/x.cpz")));
        QVERIFY(!model.openProject(QStringLiteral("/tmp/x.cpz")));
        QVERIFY(!model.gotoPage(0));
        QVERIFY(!model.stepPage(1));
        QVERIFY(!model.newCollection());
        QVERIFY(!model.loadDesignFile(QStringLiteral("/tmp/x.vmp")));
        model.resetModel();
        model.closeDesignFile();
        QCOMPARE(model.placeControl(nullptr, QByteArray("<VMD/>")), 0);
    }

    void fileNames_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("projectFile");
        QTest::addColumn<QString>("baseName");
        QTest::newRow("archive") << "D:/p/show.cpz" << "D:/p/show.cpf" << "show";
        QTest::newRow("dotted folder") << "/a/b.c/show" << "/a/b.c/show.cpf" << "show";
        QTest::newRow("dotted folder and name") << "/a/b.c/show.v2.cpz" << "/a/b.c/show.v2.cpf" << "show.v2";
        QTest::newRow("no folder") << "show.cpz" << "show.cpf" << "";
    }

    void fileNames()
    {
        QFETCH(QString, path);
        QFETCH(QString, projectFile);
        QFETCH(QString, baseName);
        QCOMPARE(MModel::panelFileName(path), projectFile);
        QCOMPARE(MModel::fileBaseName(path, false), baseName);
    }

    void panelLimit_data()
    {
        QTest::addColumn<int>("panels");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("five, a sixth fits") << 5 << true;
        QTest::newRow("six, a seventh is refused") << 6 << false;
    }

    void panelLimit()
    {
        QFETCH(int, panels);
        QFETCH(bool, accepted);
        ModelFixture f;
        f.sceneWithPanels(QStringLiteral("S"), panels);
        QVERIFY(f.model->currentPanel());
        QCOMPARE(f.model->checkPanelLimit(), accepted);
        QCOMPARE(f.boxes.size(), accepted ? 0 : 1);
        if (!accepted)
            QCOMPARE(f.boxes.first(), QStringLiteral("Warning|The maximum number of panels in a scene is: 6"));
    }

    void stepPageWraps_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("delta");
        QTest::addColumn<int>("expected");
        QTest::newRow("right from the last") << 3 << 2 << 1 << 0;
        QTest::newRow("left from the first") << 3 << 0 << -1 << 2;
        QTest::newRow("right in the middle") << 3 << 1 << 1 << 2;
        QTest::newRow("single panel") << 1 << 0 << 1 << 0;
    }

    void stepPageWraps()
    {
        QFETCH(int, count);
        QFETCH(int, start);
        QFETCH(int, delta);
        QFETCH(int, expected);
        ModelFixture f;
        CComposite *pScene = f.sceneWithPanels(QStringLiteral("S"), count);
        QVERIFY(f.model->gotoPage(start));
        QVERIFY(f.model->stepPage(delta));
        QCOMPARE(f.model->currentPanel(), pScene->childAt(expected));
        QCOMPARE(pScene->currentIndex(), expected);
        QCOMPARE(f.intrf.property("pageIndex").toInt(), expected);
        QCOMPARE(f.intrf.property("pageCount").toInt(), count);
    }

    void arrowsAndPages()
    {
        ModelFixture f;
        CComposite *pScene = f.sceneWithPanels(QStringLiteral("S"), 3);
        QVERIFY(f.model->arrowPressed(QStringLiteral("leftarrow")));
        QCOMPARE(f.model->currentPanel(), pScene->childAt(2));
        QVERIFY(f.model->arrowPressed(QStringLiteral("rightarrow")));
        QCOMPARE(f.model->currentPanel(), pScene->childAt(0));
        QVERIFY(!f.model->arrowPressed(QStringLiteral("RightArrow")));
        // An index outside the scene keeps the shown panel.
        QVERIFY(f.model->gotoPage(1));
        QVERIFY(!f.model->gotoPage(3));
        QVERIFY(!f.model->gotoPage(-1));
        QCOMPARE(f.model->currentPanel(), pScene->childAt(1));
        QCOMPARE(pScene->currentIndex(), 1);
    }

    void currentPanelAndScenes()
    {
        ModelFixture f;
        CComposite *pFirst = f.sceneWithPanels(QStringLiteral("A"), 2);
        CComposite *pSecond = f.scene(QStringLiteral("B"));
        f.panel(pSecond, QStringLiteral("B0"));
        QSignalSpy focus(f.model, &MModel::resetQMLFocus);
        f.model->setCurrentPanel(pFirst->childAt(1));
        QCOMPARE(f.model->currentPanel(), pFirst->childAt(1));
        QCOMPARE(focus.count(), 1);

        QVERIFY(f.model->selectScene(QStringLiteral("B")));
        QCOMPARE(f.model->currentPanel(), pSecond->childAt(0));
        QCOMPARE(f.intrf.property("sceneTitle").toString(), QStringLiteral("B"));
        QCOMPARE(f.intrf.property("pageCount").toInt(), 1);
        QVERIFY(!f.model->selectScene(QStringLiteral("missing")));
        QCOMPARE(f.model->currentPanel(), pSecond->childAt(0));
        QVERIFY(f.model->selectSceneAt(0));
        QCOMPARE(f.model->currentPanel(), pFirst->childAt(1));
        QVERIFY(!f.model->selectSceneAt(5));

        // A panel of another scene leaves no current panel.
        f.model->setCurrentPanel(pSecond->childAt(0));
        QCOMPARE(f.model->currentPanel(), nullptr);
    }

    // A scene's current panel that is not on the canvas yet (a collection's
    // first panel, or one whose scene index a removal reset) is shown when it
    // is made the current panel.
    void currentPanelNotYetShownIsShown()
    {
        ModelFixture f;
        CComposite *pScene = f.scene(QStringLiteral("A"));
        CComposite *pPanel = f.panel(pScene, QStringLiteral("P0"));
        CControl *pFrame = f.control(pPanel, QStringLiteral("Frame"), QStringLiteral("Frame"),
                                     QStringLiteral("frame"),
                                     {{"x", "10"}, {"y", "10"}, {"width", "50"}, {"height", "50"}});
        WWidget *pWidget = pFrame->widgets().value(0).data();
        QVERIFY(pWidget);
        pPanel->setVisible(false);
        QCOMPARE(pWidget->widgetProperty("visible").toBool(), false);
        f.model->setCurrentPanel(pPanel);
        QCOMPARE(f.model->currentPanel(), pPanel);
        QCOMPARE(pWidget->widgetProperty("visible").toBool(), true);
    }

    // A rename reaches every link of the document, but never with an empty
    // path, which would match (or make) every link.
    void replaceLinkPrefixNeedsBothPaths_data()
    {
        QTest::addColumn<QString>("oldPath");
        QTest::addColumn<QString>("newPath");
        QTest::addColumn<QStringList>("links");
        QTest::newRow("renamed collection") << "..\\A" << "..\\Hall"
                                            << QStringList{"..\\Hall\\P0", "..\\AB\\P0", "..\\Hall"};
        QTest::newRow("empty new path") << "..\\A" << ""
                                        << QStringList{"..\\A\\P0", "..\\AB\\P0", "..\\A"};
        QTest::newRow("empty old path") << "" << "..\\Hall"
                                        << QStringList{"..\\A\\P0", "..\\AB\\P0", "..\\A"};
    }

    void replaceLinkPrefixNeedsBothPaths()
    {
        QFETCH(QString, oldPath);
        QFETCH(QString, newPath);
        QFETCH(QStringList, links);
        ModelFixture f;
        CComposite *pScene = f.sceneWithPanels(QStringLiteral("A"), 1);
        QList<CControl *> controls;
        for (const char *target : {"..\\A\\P0", "..\\AB\\P0", "..\\A"})
            controls << f.control(qobject_cast<CComposite *>(pScene->childAt(0)), QStringLiteral("Link"),
                                  QStringLiteral("PanelLink"), QStringLiteral("panellink"),
                                  {{"path", QLatin1String(target)}});
        f.model->replaceLinkPrefix(oldPath, newPath);
        QStringList paths;
        for (const CControl *pControl : std::as_const(controls))
            paths << pControl->widgets().value(0)->propertyValue(WidgetPropertyId::LinkPath).toString();
        QCOMPARE(paths, links);
    }

    void newCollectionTakesAnUnusedNumber()
    {
        ModelFixture f;
        f.scene(QStringLiteral("COLLECTION1"));
        f.scene(QStringLiteral("COLLECTION2"));
        QCOMPARE(f.model->newCollection()->name(), QStringLiteral("COLLECTION3"));
        f.model->removeFromPanelTree(f.model->scenes()->childAt(0));
        ModelFixture::flushDeletes();
        QCOMPARE(sceneNames(f.model), QStringList({"COLLECTION2", "COLLECTION3"}));
        CControl *pScene = f.model->newCollection();
        QCOMPARE(pScene->name(), QStringLiteral("COLLECTION4"));
        QCOMPARE(pScene->kind(), QStringLiteral("Scene"));
        QCOMPARE(pScene->type(), QStringLiteral("Panels"));
    }

    void followLink()
    {
        ModelFixture f;
        f.sceneWithPanels(QStringLiteral("A"), 1);
        CComposite *pSecond = f.sceneWithPanels(QStringLiteral("B"), 2);
        f.model->updatePageCount();
        QSignalSpy reload(f.model, &MModel::reloadCanvas);
        QVERIFY(!f.model->followLink(QString()));
        QCOMPARE(reload.count(), 1);
        QCOMPARE(f.boxes.size(), 1);
        QVERIFY(f.boxes.first().endsWith(QLatin1String("Please set a link using the properties panel.")));
        QVERIFY(f.model->currentPanel());

        QVERIFY(f.model->followLink(QStringLiteral("..\\B\\P1")));
        QCOMPARE(f.model->currentPanel(), pSecond->childAt(1));
        QCOMPARE(f.intrf.property("pageIndex").toInt(), 1);
        QCOMPARE(f.intrf.property("sceneTitle").toString(), QStringLiteral("B"));
        QCOMPARE(reload.count(), 2);
        QCOMPARE(f.model->linkPathForHandle(quint64(quintptr(pSecond->childAt(1)))), QStringLiteral("..\\B\\P1"));
        QCOMPARE(f.model->linkPathForHandle(12345), QString());
    }

    // ---------------------------------------------------------------- saving

    void saveWritesProjectFileAndArchive()
    {
        QTemporaryDir dir;
        ModelFixture f;
        const QString design = DesignFixture().write(dir.path());
        QVERIFY(f.model->loadDesignFile(design));
        QCOMPARE(f.model->designFilePath(), design);
        populate(f);
        f.model->setModified(true);
        QSignalSpy enable(f.model, &MModel::enableConnection);

        const QString target = dir.filePath(QStringLiteral("show.cpz"));
        QVERIFY(f.model->saveProject(target));
        QVERIFY(f.boxes.isEmpty());
        QVERIFY(QFileInfo(target).isFile());
        QVERIFY(!QFileInfo::exists(dir.filePath(QStringLiteral("show.cpf"))));
        QVERIFY(!f.model->isModified());
        QVERIFY(f.model->isProjectSaved());
        QCOMPARE(f.model->projectPath(), target);
        QCOMPARE(f.model->scenes()->name(), QStringLiteral("show.cpz"));
        QCOMPARE(enable.count(), 1);
        QCOMPARE(enable.first().first().toBool(), true);

        UArchive archive;
        QVERIFY(archive.read(target));
        QCOMPARE(archive.header().records().size(), 2);
        const QString projectFile = archive.findLocalPath(QStringLiteral("/show.cpf"));
        QVERIFY(!projectFile.isEmpty());
        const QString packedDesign = archive.findLocalPath(QStringLiteral("/project/design.vmp"));
        QVERIFY(!packedDesign.isEmpty());
        QCOMPARE(TestSupport::readAll(packedDesign), TestSupport::readAll(design));

        const QByteArray bytes = TestSupport::readAll(projectFile);
        QVERIFY(bytes.startsWith("\xFE\xFF"));
        const QStringList lines = decodeUtf16(bytes).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QCOMPARE(lines.first(), QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-16\"?>"));
        QCOMPARE(lines.at(1), QStringLiteral("<VMD>"));
        QCOMPARE(lines.last(), QStringLiteral("</VMD>"));
        QCOMPARE(rootChildren(lines), QStringList({"Version", "Connections", "Canvas", "Project", "Scenes"}));
        QString fault;
        QVERIFY2(indentedByDepth(lines, &fault), qPrintable(fault));
        QVERIFY(lines.contains(QStringLiteral("\t\t<appVersion>3.0.6.0</appVersion>")));
        QVERIFY(lines.contains(QStringLiteral("\t\t<fileVersion>3.0</fileVersion>")));
        QVERIFY(lines.contains(
            QStringLiteral("\t\t\t\t<name>  Grand  Hotel &#38; &#60;Spa&#62; &#34;East&#34;  </name>")));
        QVERIFY(lines.contains(
            QStringLiteral("\t\t\t\t\t\t<Control name=\" Lobby  &#60;Main&#62; &#38; &#34;Bar&#34; \" type=\"Slider\">")));
    }

    void saveStaysInsideTheChosenFolder_data()
    {
        QTest::addColumn<QString>("target");
        QTest::newRow("without extension") << "dotted.folder/show";
        QTest::newRow("with extension") << "dotted.folder/show.cpz";
        QTest::newRow("project file extension") << "dotted.folder/show.cpf";
    }

    void saveStaysInsideTheChosenFolder()
    {
        QFETCH(QString, target);
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("dotted.folder")));
        // Files a save that cut the path at the folder's dot would hit.
        for (const char *name : {"dotted.cpf", "dotted.cpz", "dotted"})
            QVERIFY(TestSupport::writeAll(dir.filePath(QLatin1String(name)), "user's file"));
        ModelFixture f;
        populate(f);
        QVERIFY(f.model->saveProject(dir.filePath(target)));
        QCOMPARE(QDir(dir.filePath(QStringLiteral("dotted.folder"))).entryList(QDir::Files),
                 QStringList({"show.cpz"}));
        for (const char *name : {"dotted.cpf", "dotted.cpz", "dotted"})
            QCOMPARE(TestSupport::readAll(dir.filePath(QLatin1String(name))), QByteArray("user's file"));
        QCOMPARE(f.model->projectPath(), dir.filePath(QStringLiteral("dotted.folder/show.cpz")));
        UArchive archive;
        QVERIFY(archive.read(f.model->projectPath()));
        QVERIFY(!archive.findLocalPath(QStringLiteral("/show.cpf")).isEmpty());
    }

    // A design file deleted since the import costs only itself, and the user is told.
    void saveLeavesOutADeletedDesignFile()
    {
        QTemporaryDir dir;
        ModelFixture f;
        const QString design = DesignFixture().write(dir.path());
        QVERIFY(f.model->loadDesignFile(design));
        populate(f);
        QVERIFY(QFile::remove(design));

        const QString target = dir.filePath(QStringLiteral("show.cpz"));
        QVERIFY(f.model->saveProject(target));
        QCOMPARE(f.boxes.size(), 1);
        QVERIFY2(f.boxes.first().contains(design), qPrintable(f.boxes.first()));
        QVERIFY(!f.model->isModified());
        QCOMPARE(f.model->projectPath(), target);
        QVERIFY(!QFileInfo::exists(dir.filePath(QStringLiteral("show.cpf"))));
        UArchive archive;
        QVERIFY(archive.read(target));
        QCOMPARE(archive.header().records().size(), 1);
        QVERIFY(!archive.findLocalPath(QStringLiteral("/show.cpf")).isEmpty());
    }

    void saveFailureKeepsTheProject_data()
    {
        QTest::addColumn<bool>("archiveBlocked");
        QTest::newRow("project file cannot be created") << false;
        QTest::newRow("archive cannot be written") << true;
    }

    void saveFailureKeepsTheProject()
    {
        QFETCH(bool, archiveBlocked);
        QTemporaryDir dir;
        ModelFixture f;
        populate(f);
        const QString first = dir.filePath(QStringLiteral("first.cpz"));
        QVERIFY(f.model->saveProject(first));
        const QByteArray saved = TestSupport::readAll(first);
        f.model->setModified(true);
        QSignalSpy enable(f.model, &MModel::enableConnection);

        QString target;
        if (archiveBlocked) {
            // A folder where the archive should go, with a file of the user's in it.
            QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("second.cpz")));
            QVERIFY(TestSupport::writeAll(dir.filePath(QStringLiteral("second.cpz/keep.txt")), "keep"));
            target = dir.filePath(QStringLiteral("second.cpz"));
        } else {
            // A file where the folder should be: nothing can be created below it.
            QVERIFY(TestSupport::writeAll(dir.filePath(QStringLiteral("blocker")), "blocker"));
            target = dir.filePath(QStringLiteral("blocker/second.cpz"));
        }
        QVERIFY(!f.model->saveProject(target));
        QCOMPARE(f.boxes.size(), 1);
        QVERIFY(f.boxes.first().startsWith(QLatin1String("Warning|")));
        QVERIFY(f.model->isModified());
        QCOMPARE(f.model->projectPath(), first);
        QCOMPARE(f.model->scenes()->name(), QStringLiteral("first.cpz"));
        QCOMPARE(enable.count(), 0);
        QCOMPARE(TestSupport::readAll(first), saved);
        if (archiveBlocked)
            QCOMPARE(TestSupport::readAll(dir.filePath(QStringLiteral("second.cpz/keep.txt"))), QByteArray("keep"));
        else
            QCOMPARE(TestSupport::readAll(dir.filePath(QStringLiteral("blocker"))), QByteArray("blocker"));
    }

    // ---------------------------------------------------------------- opening what cannot be read

    void openFailureKeepsTheProject_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("missing") << "missing.cpz" << QByteArray();
        QTest::newRow("empty") << "empty.cpf" << QByteArray("");
        QTest::newRow("not xml") << "noise.cpf" << QByteArray("\x01\x02\x03 noise");
        QTest::newRow("truncated") << "cut.cpf"
                                  << QByteArray("<?xml version=\"1.0\"?>\n<VMD>\n\t<Version>\n\t\t<fileVersion>9");
        QTest::newRow("other root") << "other.cpf" << QByteArray("<?xml version=\"1.0\"?>\n<Design/>\n");
        QTest::newRow("hostile archive")
            << "hostile.cpz" << QByteArray::fromHex("10000000" "7fffffff" "0000ffff" "00410042");
    }

    void openFailureKeepsTheProject()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        QTemporaryDir dir;
        const QString path = dir.filePath(name);
        if (!bytes.isNull())
            QVERIFY(TestSupport::writeAll(path, bytes));
        ModelFixture f;
        populate(f);
        QVERIFY(f.model->saveProject(dir.filePath(QStringLiteral("current.cpz"))));
        f.model->setModified(true);
        const QList<CControl *> scenes = f.model->scenes()->children();
        CControl *pPanel = f.model->currentPanel();
        QSignalSpy enable(f.model, &MModel::enableConnection);

        QVERIFY(!f.model->openProject(path));
        QCOMPARE(f.boxes.size(), 1);
        QCOMPARE(f.model->scenes()->children(), scenes);
        QCOMPARE(sceneNames(f.model), QStringList({"COLLECTION1", "Lounge"}));
        QCOMPARE(f.model->currentPanel(), pPanel);
        QCOMPARE(f.model->projectPath(), dir.filePath(QStringLiteral("current.cpz")));
        QVERIFY(f.model->isModified());
        QCOMPARE(f.model->project()->facilityName(), s_sFacility);
        QCOMPARE(enable.count(), 0);
    }

    // ---------------------------------------------------------------- new project and templates

    void newProjectFromTemplate()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Blank Panel.tpl"));
        QVERIFY(TestSupport::writeAll(path, templateText("Title")));
        ModelFixture f;
        f.model->project()->characters(QStringLiteral("Facility"), QStringLiteral("name"), s_sFacility);
        f.model->setModified(true);
        QSignalSpy enable(f.model, &MModel::enableConnection);
        QVERIFY(f.model->newProject(path));
        QCOMPARE(f.model->scenes()->name(), QStringLiteral("Blank Panel"));
        QCOMPARE(sceneNames(f.model), QStringList({"COLLECTION1"}));
        CControl *pPanel = f.model->currentPanel();
        QVERIFY(pPanel);
        QCOMPARE(pPanel->kind(), QStringLiteral("Panel"));
        QCOMPARE(qobject_cast<CComposite *>(pPanel)->childCount(), 1);
        QCOMPARE(f.model->projectPath(), path);
        QVERIFY(!f.model->isModified());
        QVERIFY(!f.model->isProjectSaved());
        QCOMPARE(f.model->project()->facilityName(), QStringLiteral("SITE NAME"));
        QCOMPARE(enable.count(), 1);
        QCOMPARE(enable.first().first().toBool(), false);

        // A template that cannot be read leaves no empty scene behind.
        QVERIFY(!f.model->newProject(dir.filePath(QStringLiteral("missing.tpl"))));
        QCOMPARE(sceneNames(f.model), QStringList({"COLLECTION1"}));
    }

    void layoutChoiceReadsTheTwinTemplate_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<QString>("control");
        QTest::newRow("slider") << 0 << "Plain";
        QTest::newRow("level buttons") << 1 << "Twin";
    }

    void layoutChoiceReadsTheTwinTemplate()
    {
        QFETCH(int, answer);
        QFETCH(QString, control);
        QTemporaryDir dir;
        // A dot in the folder name must not cut the path.
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("data.v2")));
        const QString path = dir.filePath(QStringLiteral("data.v2/DizoZU_0.xml"));
        QVERIFY(TestSupport::writeAll(path, templateText("Plain")));
        QVERIFY(TestSupport::writeAll(dir.filePath(QStringLiteral("data.v2/DizoZU_01.xml")), templateText("Twin")));
        ModelFixture f;
        f.answer = answer;
        CComposite *pScene = f.scene(QStringLiteral("S"));
        QSignalSpy enable(f.model, &MModel::enableConnection);
        CControl *pPanel = f.model->createPanelForNode(path, pScene, nullptr);
        QVERIFY(pPanel);
        QCOMPARE(f.boxes, QStringList({"|Choose one of the control type below"}));
        QVERIFY(qobject_cast<CComposite *>(pPanel)->findByName(control));
        QCOMPARE(enable.count(), 1);
    }

    // ---------------------------------------------------------------- round trip

    void saveAndOpenRoundTrip()
    {
        QTemporaryDir dir;
        const QString first = dir.filePath(QStringLiteral("first.cpz"));
        QByteArray written;
        {
            ModelFixture f;
            QVERIFY(f.model->loadDesignFile(DesignFixture().write(dir.path())));
            populateEveryKind(f);
            QVERIFY(f.model->saveProject(first));
            written = projectFileText(first);
        }
        QVERIFY(!written.isEmpty());

        ModelFixture g;
        // Without a drawing area the view does not scale the panels to it, so
        // the geometry read is the geometry written.
        g.canvasItem.setSize(QSizeF());
        QSignalSpy enable(g.model, &MModel::enableConnection);
        QVERIFY(g.model->openProject(first));
        QVERIFY(g.boxes.isEmpty());
        QCOMPARE(enable.count(), 1);
        QVERIFY(enable.first().first().toBool());
        QVERIFY(!g.model->isModified());
        QVERIFY(g.model->isProjectSaved());
        QCOMPARE(g.model->projectPath(), first);
        QCOMPARE(g.model->scenes()->name(), QStringLiteral("first.cpf"));
        QVERIFY(g.model->designFilePath().endsWith(QLatin1String("/project/design.vmp")));
        QCOMPARE(sceneNames(g.model), QStringList({"COLLECTION1", "Lounge"}));
        QVERIFY(g.model->currentPanel());
        QCOMPARE(g.model->currentPanel()->name(), QStringLiteral("Home"));

        // What was read is what was written.
        QCOMPARE(g.model->project()->facilityName(), s_sFacility);
        QCOMPARE(g.model->project()->comment(2), s_sLabel);
        QCOMPARE(g.canvas.text(), s_sLabel);
        QCOMPARE(g.canvas.orientation(), 0u);
        auto *pLounge = qobject_cast<CComposite *>(g.model->scenes()->childAt(1));
        QCOMPARE(qobject_cast<CComposite *>(pLounge->childAt(0))->panelTypeName(), QStringLiteral("template"));
        QCOMPARE(qobject_cast<CComposite *>(pLounge->childAt(1))->panelTypeName(), QStringLiteral("custom"));
        CControl *pSlider = g.model->scenes()->findByName(s_sLabel);
        QVERIFY(pSlider);
        QVERIFY(pSlider->node());
        QCOMPARE(pSlider->node()->label(), QStringLiteral("Lobby Gain"));
        QCOMPARE(pSlider->attributes().units(), s_sLabel);
        QCOMPARE(pSlider->model(), g.model);
        CControl *pFrame = g.model->scenes()->findByName(QStringLiteral("Frame"));
        QVERIFY(pFrame && pFrame->findWidget(QStringLiteral("frame")));

        // Written again, the file is the same, character for character.
        const QString second = dir.filePath(QStringLiteral("second.cpz"));
        QVERIFY(g.model->saveProject(second));
        const QByteArray rewritten = projectFileText(second);
        const QStringList before = QString::fromUtf8(written).split(QLatin1Char('\n'));
        const QStringList after = QString::fromUtf8(rewritten).split(QLatin1Char('\n'));
        for (int i = 0; i < qMin(before.size(), after.size()); ++i) {
            QCOMPARE(after.at(i), before.at(i));
        }
        QCOMPARE(after.size(), before.size());
    }

    void importAfterAFailedReimportMerges_data()
    {
        QTest::addColumn<QByteArray>("broken"); // the failing re-import's file; empty: no file at all
        QTest::newRow("malformed design") << QByteArray("<?xml version=\"1.0\"?><VMD><Nodes><Node");
        QTest::newRow("missing design") << QByteArray();
    }

    // The tree still holds the earlier design after a failed re-import; the
    // next import must merge into it, not add a second copy of every processor.
    void importAfterAFailedReimportMerges()
    {
        QFETCH(QByteArray, broken);
        QTemporaryDir dir;
        ModelFixture f;
        const QString design = DesignFixture().write(dir.path());
        QVERIFY(f.model->loadDesignFile(design));
        const auto processorLabels = [&f] {
            QList<HNode *> nodes;
            f.model->rootNode()->collectByCategory(QStringLiteral("Chassis"), &nodes);
            QStringList labels;
            for (const HNode *pNode : std::as_const(nodes))
                labels << pNode->label();
            labels.sort();
            return labels;
        };
        const QStringList before = processorLabels();
        QVERIFY(!before.isEmpty());
        // Blocks in use, as controls on the panels leave them.
        QList<HNode *> blocks;
        f.model->rootNode()->collectByCategory(QStringLiteral("Blocks"), &blocks);
        for (HNode *pBlock : std::as_const(blocks))
            pBlock->setChecked(true);

        const QString brokenPath = dir.filePath(QStringLiteral("broken.vmp"));
        if (!broken.isEmpty())
            QVERIFY(TestSupport::writeAll(brokenPath, broken));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral(".")));
        QVERIFY(!f.model->loadDesignFile(brokenPath));
        QVERIFY(f.model->loadDesignFile(design));
        QCOMPARE(processorLabels(), before);
        QCOMPARE(f.model->designFilePath(), design);
    }

    // An archive whose content breaks halfway is unpacked into the folder the
    // open project's design file lives in: that file must survive.
    void failedOpenKeepsTheUnpackedProject()
    {
        QTemporaryDir dir;
        ModelFixture f;
        QVERIFY(f.model->loadDesignFile(DesignFixture().write(dir.path())));
        populate(f);
        const QString first = dir.filePath(QStringLiteral("first.cpz"));
        QVERIFY(f.model->saveProject(first));
        QVERIFY(f.model->openProject(first));
        const QString design = f.model->designFilePath();
        const QByteArray designBytes = TestSupport::readAll(design);
        QVERIFY(!designBytes.isEmpty());

        QByteArray broken = TestSupport::readAll(first);
        for (int i = 1; i <= 16; ++i)
            broken[broken.size() - i] = char(0x5A);
        const QString damaged = dir.filePath(QStringLiteral("damaged.cpz"));
        QVERIFY(TestSupport::writeAll(damaged, broken));
        const QList<CControl *> scenes = f.model->scenes()->children();

        QVERIFY(!f.model->openProject(damaged));
        QCOMPARE(f.model->scenes()->children(), scenes);
        QCOMPARE(f.model->designFilePath(), design);
        QCOMPARE(TestSupport::readAll(design), designBytes);
        QCOMPARE(f.model->projectPath(), first);
    }

    // ---------------------------------------------------------------- paste

    void pasteControls_data()
    {
        QTest::addColumn<int>("controls");
        QTest::newRow("one") << 1;
        QTest::newRow("two") << 2;
    }

    void pasteControls()
    {
        QFETCH(int, controls);
        ModelFixture f;
        populate(f);
        auto *pPanel = qobject_cast<CComposite *>(f.model->currentPanel());
        QByteArray clipboard;
        {
            XmlWriter writer;
            writer.setByteArray(&clipboard);
            writer.setEncoding(XmlEncodingUtf16BE);
            writer.writeDeclaration();
            writer.writeStartElement(QStringLiteral("VMD"));
            writer.writeStartElement(QStringLiteral("Controls"));
            for (int i = 0; i < controls; ++i)
                pPanel->childAt(i)->writeXml(&writer);
            writer.writeEndElement(QStringLiteral("Controls"));
            writer.writeEndElement(QStringLiteral("VMD"));
            writer.flush();
        }
        CComposite collection;
        collection.setNotOwner(true);
        QCOMPARE(f.model->placeControl(&collection, clipboard), controls);
        QCOMPARE(collection.childCount(), controls);
        for (int i = 0; i < controls; ++i) {
            CControl *pPasted = collection.childAt(i);
            QCOMPARE(pPasted->name(), pPanel->childAt(i)->name());
            QCOMPARE(pPasted->model(), f.model);
            QVERIFY(!pPasted->widgets().isEmpty());
        }
        f.model->selectControls(&collection);
        QCOMPARE(pPanel->childCount(), 2 + controls);
        QVERIFY(f.model->isModified());
        collection.clear();

        // A damaged clipboard adds nothing.
        CComposite other;
        other.setNotOwner(true);
        QCOMPARE(f.model->placeControl(&other, clipboard.left(clipboard.size() / 2)), 0);
        QCOMPARE(other.childCount(), 0);
    }

    // ---------------------------------------------------------------- shutdown

    // The widgets live under the canvas item of a controller, as under the
    // editor's QML view: the document must be cleared while they are there.
    void shutdownWithPopulatedDocument()
    {
        QPointer<QObject> pItem;
        QPointer<CControl> pControl;
        {
            ModelFixture f;
            auto *pOwner = new CanvasOwner;
            f.model->addController(pOwner);
            f.factory.setParentItem(pOwner->m_pItem);
            populate(f);
            pControl = f.model->scenes()->findByName(QStringLiteral("Title"));
            QVERIFY(pControl && !pControl->widgets().isEmpty());
            pItem = pControl->widgets().first()->widget();
            QVERIFY(pItem && pItem->parent() == pOwner->m_pItem);
            f.model->setEditMode(true);
            f.model->setConnectionEnabled(true);
        }
        QVERIFY(!pControl);
        QVERIFY(!pItem);
    }
};

VVB_TEST_MAIN(TestMModel)
#include "tst_mmodel.moc"
