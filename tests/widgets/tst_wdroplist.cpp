#include "hardware/HComposite.h"
#include "hardware/HGroup.h"
#include "hardware/HParameterSet.h"
#include "model/CControl.h"
#include "support/FakeNodes.h"
#include "support/RecordingProtocol.h"
#include "support/TestMain.h"
#include "support/TestSupport.h"
#include "support/WidgetFixture.h"
#include "transforms/TTransform.h"
#include "views/VModeManager.h"
#include "widgets/WDelegate.h"
#include "widgets/WDropList.h"

#include <QQuickItem>
#include <QQuickWindow>
#include <QTemporaryDir>
#include <QXmlAttributes>
#include <QtTest>

namespace {

using Settings = WidgetFixture::Settings;

// The geometry every drop-list template starts with.
Settings withListGeometry(const Settings &own)
{
    Settings settings = {{"x", "0"}, {"y", "0"}, {"width", "160"}, {"height", "40"}, {"z", "1"}};
    return settings + own;
}

QList<int> ints(const QString &text)
{
    QList<int> list;
    for (const QString &part : text.split(QLatin1Char(','), Qt::SkipEmptyParts))
        list.append(part.toInt());
    return list;
}

QStringList texts(const QString &text)
{
    return text.split(QLatin1Char(','), Qt::SkipEmptyParts);
}

// A parameter-set list of the design: three sets, the first with id 0.
FakeListNode *parameterSetList()
{
    auto *pNode = new FakeListNode(QStringLiteral("Scenes"));
    pNode->setTitle(QStringLiteral("PSetList"));
    pNode->setSets({QStringLiteral("Day"), QStringLiteral("Night"), QStringLiteral("Party")}, {0, 4, 9});
    return pNode;
}

} // namespace

// A drop list bound to a node through a "bin8" transform whose protocol
// records what goes out. The node (a plain block unless given) belongs to
// the control while it is in no tree.
struct DropListFixture
{
    explicit DropListFixture(const Settings &settings, HNode *pNode = new FakeListNode(QStringLiteral("Selector 1")))
        : node(pNode)
    {
        if (node)
            node->setProtocol(&protocol);
        control = fx.addControl(QStringLiteral("List"), QStringLiteral("DropList"), node);
        const Settings binding = {{"index1", "5"}, {"struct", "1"}, {"transform", "bin8"}};
        for (const auto &attribute : binding)
            control->setAttribute(QStringLiteral("list"), attribute.first, attribute.second);
        list = qobject_cast<WDropList *>(WidgetFixture::readWidget(control, QStringLiteral("droplist"),
                                                                   withListGeometry(settings)));
        control->initialize();
        protocol.clear();
    }

    TTransform *transform() const { return control->transform(); }
    QString shownText() const { return list->widgetProperty("currentText").toString(); }

    RecordingProtocol protocol;
    WidgetFixture fx;
    HNode *node;
    CControl *control = nullptr;
    WDropList *list = nullptr;
};

class TestWDropList : public QObject
{
    Q_OBJECT

private slots:
    void placedFromBuiltInTemplates_data();
    void placedFromBuiltInTemplates();
    void builders_data();
    void builders();
    void valuesSurviveSaveAndLoad_data();
    void valuesSurviveSaveAndLoad();
    void listFile_data();
    void listFile();
    void siblingsOfTheNode();
    void groupEntries();
    void choosing_data();
    void choosing();
    void valueBack_data();
    void valueBack();
    void queryIndexOfParameterSetList();
    void savedElements();
    void alignment_data();
    void alignment();
    void reloadOfTheDesign();
    void popupByMouse();
    void popupGuards();
};

void TestWDropList::placedFromBuiltInTemplates_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("items");
    QTest::addColumn<QString>("values");
    QTest::addColumn<int>("firstIndex");
    QTest::newRow("selector") << ":/data/KRX/Selector_1.xml" << "List" << "CD,Radio" << "1,2" << 1;
    QTest::newRow("parameter-set list") << ":/data/Velmora/PSetList_0.xml" << "List" << "Day,Night,Party"
                                        << "0,4,9" << 2;
}

void TestWDropList::placedFromBuiltInTemplates()
{
    QFETCH(QString, path);
    QFETCH(QString, name);
    QFETCH(QString, items);
    QFETCH(QString, values);
    QFETCH(int, firstIndex);
    WidgetFixture fx;
    HComposite design;
    FakeListNode *pNode = parameterSetList();
    pNode->setTitle(path.contains(QLatin1String("PSetList")) ? QStringLiteral("PSetList") : QStringLiteral("Selector"));
    pNode->setListText(QStringLiteral("CD,Radio,"));
    pNode->setTemplatePath(path);
    design.addNode(pNode);
    CControl *pControl = fx.panel()->createControlForNode(&design, pNode, name, QPointF(20, 30));
    QVERIFY(pControl);
    pControl->initialize();
    QCOMPARE(pControl->widgets().size(), 1);
    auto *pList = qobject_cast<WDropList *>(pControl->widgets().first().data());
    QVERIFY(pList);
    QCOMPARE(pList->itemList(), texts(items));
    QCOMPARE(pList->indexList(), ints(values));
    QCOMPARE(pList->alignText(), QStringLiteral("Center"));
    QCOMPARE(pControl->transform()->firstIndex(), firstIndex);
    QVERIFY2(fx.canvas().warnings().isEmpty(), qPrintable(fx.canvas().warnings().join('\n')));
    fx.panel()->clear();
}

void TestWDropList::builders_data()
{
    QTest::addColumn<Settings>("settings");
    QTest::addColumn<QString>("items");
    QTest::addColumn<QString>("values");

    QTest::newRow("text") << Settings{{"msg", "Low,Mid,High"}} << "Low,Mid,High" << "1,2,3";
    QTest::newRow("two commas end it") << Settings{{"msg", "a,,b"}} << "a" << "1";
    QTest::newRow("empty text") << Settings{{"msg", ""}} << "" << "";
    QTest::newRow("values with 0 raised") << Settings{{"msg", "a,b"}, {"index", "0,1"}} << "a,b" << "1,2";
    QTest::newRow("values kept") << Settings{{"msg", "a,b"}, {"index", "5,7"}} << "a,b" << "5,7";
    QTest::newRow("value not a number") << Settings{{"msg", "a,b"}, {"index", "x,3"}} << "a,b" << "1,4";
    QTest::newRow("fewer values") << Settings{{"msg", "a,b,c"}, {"index", "2,4"}} << "a,b,c" << "2,4";
    QTest::newRow("node list text") << Settings{{"item", "1"}} << "Off,On" << "1,2";
    QTest::newRow("labels from 0") << Settings{{"sourceList", "1"}} << "Room A,Room B" << "0,1";
    QTest::newRow("saved labels rebuilt") << Settings{{"msg", "Old"}, {"index", "1"}, {"sourceList", "1"}}
                                          << "Room A,Room B" << "0,1";
    QTest::newRow("no parameter sets") << Settings{{"msg", "a"}, {"node", "ItemAndIndexes"}} << "a" << "1";
}

void TestWDropList::builders()
{
    QFETCH(Settings, settings);
    QFETCH(QString, items);
    QFETCH(QString, values);
    auto *pNode = new FakeListNode(QStringLiteral("Selector 1"));
    pNode->setListText(QStringLiteral("Off,On,"));
    pNode->setLabels({QStringLiteral("Room A"), QStringLiteral("Room B")});
    DropListFixture f(settings, pNode);
    QVERIFY(f.list);
    QCOMPARE(f.list->itemList(), texts(items));
    QCOMPARE(f.list->indexList(), ints(values));
    QCOMPARE(f.list->currentIndex(), -1);
}

void TestWDropList::valuesSurviveSaveAndLoad_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<Settings>("settings");
    QTest::addColumn<QString>("values");

    QTest::newRow("counted from 1") << "block" << Settings{{"msg", "a,b"}} << "1,2";
    QTest::newRow("old list counted from 0") << "block" << Settings{{"msg", "a,b"}, {"index", "0,1"}} << "1,2";
    QTest::newRow("own values") << "block" << Settings{{"msg", "a,b"}, {"index", "5,7"}} << "5,7";
    QTest::newRow("set ids with 0") << "sets" << Settings{{"node", "ItemAndIndexes"}} << "0,4,9";
    QTest::newRow("labels from 0") << "labels" << Settings{{"sourceList", "1"}} << "0,1";
}

// Saving and opening again gives the same values, and they stay the same
// however often the project is saved.
void TestWDropList::valuesSurviveSaveAndLoad()
{
    QFETCH(QString, kind);
    QFETCH(Settings, settings);
    QFETCH(QString, values);
    HNode *pNode = nullptr;
    if (kind == QLatin1String("sets")) {
        pNode = parameterSetList();
    } else {
        auto *pBlock = new FakeListNode(QStringLiteral("Selector 1"));
        if (kind == QLatin1String("labels"))
            pBlock->setLabels({QStringLiteral("Room A"), QStringLiteral("Room B")});
        pNode = pBlock;
    }
    DropListFixture f(settings, pNode);
    QCOMPARE(f.list->indexList(), ints(values));
    WWidget *pWidget = f.list;
    for (int round = 0; round < 2; ++round) {
        pWidget = f.fx.reload(pWidget);
        auto *pCopy = qobject_cast<WDropList *>(pWidget);
        QVERIFY(pCopy);
        QCOMPARE(pCopy->indexList(), ints(values));
        QCOMPARE(pCopy->itemList(), f.list->itemList());
    }
}

void TestWDropList::listFile_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("items");

    QTest::newRow("beside the project") << "list.txt" << QByteArray("One\nTwo\n") << "One,Two";
    QTest::newRow("windows lines") << "list.txt" << QByteArray("One\r\nTwo") << "One,Two";
    QTest::newRow("folder above") << "../list.txt" << QByteArray("One\n") << "";
    QTest::newRow("absolute") << "ABSOLUTE" << QByteArray("One\n") << "";
    QTest::newRow("sub-folder") << "sub/list.txt" << QByteArray("One\n") << "";
    QTest::newRow("backslash") << "..\\list.txt" << QByteArray("One\n") << "";
    QTest::newRow("resource") << ":list.txt" << QByteArray("One\n") << "";
    QTest::newRow("no name") << "" << QByteArray() << "";
    QTest::newRow("missing") << "none.txt" << QByteArray() << "";
    QTest::newRow("too many lines") << "list.txt" << QByteArray("x\n").repeated(WDropList::MaxListFileLines + 1)
                                    << "";
    QTest::newRow("too large") << "list.txt" << QByteArray(WDropList::MaxListFileBytes + 1, 'x') << "";
    QTest::newRow("longest list") << "list.txt" << QByteArray("x\n").repeated(3) << "x,x,x";
}

// A list file is a plain name beside the project file; anything else gives an
// empty list rather than copying foreign text into the project.
void TestWDropList::listFile()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, content);
    QFETCH(QString, items);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("project/sub")));
    const QString project = dir.filePath(QStringLiteral("project"));
    // The same content wherever the name points, so only the name decides.
    for (const QString &path : {project + QStringLiteral("/list.txt"), dir.filePath(QStringLiteral("list.txt")),
                                project + QStringLiteral("/sub/list.txt")}) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
    }
    const QString fileName = name == QLatin1String("ABSOLUTE") ? dir.filePath(QStringLiteral("list.txt")) : name;
    const QString previous = WDelegate::instance()->sourceFile();
    WDelegate::instance()->setSourceFile(project + QStringLiteral("/panel.cpf"));
    DropListFixture f(Settings{{"msg", "Old"}, {"file", fileName}});
    WDelegate::instance()->setSourceFile(previous);
    QCOMPARE(f.list->itemList(), texts(items));
    QCOMPARE(f.list->indexList().size(), f.list->itemList().size());
}

void TestWDropList::siblingsOfTheNode()
{
    HComposite parent;
    QList<HParameterSet *> sets;
    const struct
    {
        const char *label;
        int id;
        int number;
    } rows[] = {{"Evening", 7, 2}, {"Morning", 3, 0}, {"Hidden", -1, 5}, {"Noon", 5, 1}};
    for (const auto &row : rows) {
        auto *pSet = new HParameterSet;
        pSet->setLabel(QLatin1String(row.label));
        pSet->setNodeId(row.id);
        pSet->setSortKey(row.id);
        pSet->setIndex(row.number);
        parent.addNode(pSet);
        sets.append(pSet);
    }
    {
        DropListFixture f(Settings{{"node", "ParameterSets"}}, nullptr);
        QVERIFY(f.list->itemList().isEmpty());
    }
    WidgetFixture fx;
    CControl *pControl = fx.addControl(QStringLiteral("Select"), QStringLiteral("DropList"), sets.first());
    auto *pList = qobject_cast<WDropList *>(
        WidgetFixture::readWidget(pControl, QStringLiteral("droplist"), withListGeometry({{"node", "ParameterSets"}})));
    QVERIFY(pList);
    QCOMPARE(pList->itemList(), (QStringList{"Morning", "Noon", "Evening"}));
    QCOMPARE(pList->indexList(), (QList<int>{0, 1, 2}));
    // Set number 0 is a value like the others, also after saving.
    auto *pCopy = qobject_cast<WDropList *>(fx.reload(pList));
    QVERIFY(pCopy);
    QCOMPARE(pCopy->indexList(), (QList<int>{0, 1, 2}));
    fx.panel()->clear();
}

void TestWDropList::groupEntries()
{
    HComposite parent;
    auto *pTarget = new FakeNode(QStringLiteral("Blocks"), QStringLiteral("Source Selector"));
    pTarget->setNodeId(42);
    parent.addNode(pTarget);
    auto *pGroup = new HGroup;
    pGroup->setLabel(QStringLiteral("Group 1"));
    QXmlAttributes type;
    type.append(QStringLiteral("name"), QString(), QStringLiteral("name"), QStringLiteral("groupType"));
    type.append(QStringLiteral("value"), QString(), QStringLiteral("value"), QStringLiteral("Selector"));
    pGroup->parseAttributes(type);
    for (const char *entry : {"Mic", "Music"}) {
        QXmlAttributes assign;
        assign.append(QStringLiteral("targetID"), QString(), QStringLiteral("targetID"), QStringLiteral("42"));
        assign.append(QStringLiteral("targetProp"), QString(), QStringLiteral("targetProp"), QStringLiteral("name1"));
        assign.append(QStringLiteral("targetValue"), QString(), QStringLiteral("targetValue"), QLatin1String(entry));
        pGroup->parseChildAttributes(assign, false);
    }
    parent.addNode(pGroup);

    WidgetFixture fx;
    CControl *pControl = fx.addControl(QStringLiteral("Selector"), QStringLiteral("DropList"), pGroup);
    auto *pList = qobject_cast<WDropList *>(
        WidgetFixture::readWidget(pControl, QStringLiteral("droplist"), withListGeometry({{"group", "1"}})));
    QVERIFY(pList);
    QCOMPARE(pList->itemList(), (QStringList{"Mic", "Music"}));
    QCOMPARE(pList->indexList(), (QList<int>{1, 2}));
    QCOMPARE(pList->widgetProperty("model").toStringList(), (QStringList{"Mic", "Music"}));
    // The list names the entries; the group keeps its own name.
    QCOMPARE(pGroup->label(), QStringLiteral("Group 1"));
    fx.panel()->clear();
}

void TestWDropList::choosing_data()
{
    QTest::addColumn<bool>("parameterSets");
    QTest::addColumn<Settings>("settings");
    QTest::addColumn<QList<int>>("choices");
    QTest::addColumn<QStringList>("sent");
    QTest::addColumn<int>("current");

    const Settings own = {{"msg", "A,B,C"}, {"index", "5,7,9"}};
    QTest::newRow("value of the entry") << false << own << QList<int>{1, 0} << QStringList{"7", "5"} << 0;
    QTest::newRow("same entry again") << false << own << QList<int>{2, 2} << QStringList{"9"} << 2;
    QTest::newRow("outside the list") << false << own << QList<int>{1, 3, -1} << QStringList{"7"} << 1;
    QTest::newRow("fewer values than texts")
        << false << Settings{{"msg", "A,B,C"}, {"index", "5,7"}} << QList<int>{2} << QStringList() << -1;
    const Settings sets = {{"node", "ItemAndIndexes"}, {"index1ForQuery", "2"}};
    // Each set by its own number, whatever its place in the list.
    QTest::newRow("set list sends the set's number") << true << sets << QList<int>{2, 0} << QStringList{"9", "0"}
                                                     << 0;
    QTest::newRow("set list resends") << true << sets << QList<int>{1, 1} << QStringList{"4", "4"} << 1;
    QTest::newRow("set list by id") << true << Settings{{"node", "ItemAndIndexes"}} << QList<int>{2}
                                    << QStringList{"9"} << 2;
}

void TestWDropList::choosing()
{
    QFETCH(bool, parameterSets);
    QFETCH(Settings, settings);
    QFETCH(QList<int>, choices);
    QFETCH(QStringList, sent);
    QFETCH(int, current);
    DropListFixture f(settings, parameterSets ? parameterSetList() : new FakeListNode(QStringLiteral("Selector 1")));
    for (int choice : std::as_const(choices))
        f.list->outputCurrentIndex(choice);
    QCOMPARE(f.protocol.sentTexts(), sent);
    QCOMPARE(f.list->currentIndex(), current);
}

void TestWDropList::valueBack_data()
{
    QTest::addColumn<bool>("parameterSets");
    QTest::addColumn<QStringList>("replies");
    QTest::addColumn<int>("current");
    QTest::addColumn<QString>("shown");

    QTest::newRow("value found") << false << QStringList{"7"} << 1 << "B";
    QTest::newRow("value not in the list keeps the text") << false << QStringList{"7", "8"} << -1 << "B";
    QTest::newRow("set list by the set's number") << true << QStringList{"4"} << 1 << "Night";
    QTest::newRow("set list, number of no set") << true << QStringList{"9", "3"} << -1 << "Party";
}

// A value that comes back is shown and never sent back.
void TestWDropList::valueBack()
{
    QFETCH(bool, parameterSets);
    QFETCH(QStringList, replies);
    QFETCH(int, current);
    QFETCH(QString, shown);
    DropListFixture f(parameterSets ? Settings{{"node", "ItemAndIndexes"}, {"index1ForQuery", "2"}}
                                    : Settings{{"msg", "A,B,C"}, {"index", "5,7,9"}},
                      parameterSets ? parameterSetList() : new FakeListNode(QStringLiteral("Selector 1")));
    for (const QString &reply : std::as_const(replies))
        f.transform()->deliverReply(reply);
    QCOMPARE(f.list->currentIndex(), current);
    QCOMPARE(f.shownText(), shown);
    QVERIFY(f.list->isOutputEnabled());
    QCOMPARE(f.protocol.sentTexts(), QStringList());
}

void TestWDropList::queryIndexOfParameterSetList()
{
    DropListFixture withQuery(Settings{{"node", "ItemAndIndexes"}, {"index1ForQuery", "2"}}, parameterSetList());
    QCOMPARE(withQuery.transform()->firstIndex(), 2);
    DropListFixture plain(Settings{{"msg", "A"}});
    QCOMPARE(plain.transform()->firstIndex(), 5);
}

void TestWDropList::savedElements()
{
    DropListFixture f(Settings{{"msg", "A,B"}, {"hasBorder", "1"}, {"align", "right"}, {"index1ForQuery", "2"}});
    const Settings saved = WidgetFixture::saved(f.list);
    const QStringList names = WidgetFixture::names(saved);
    QCOMPARE(names.mid(names.indexOf(QStringLiteral("msg"))),
             (QStringList{"msg", "index", "hasBorder", "align", "index1ForQuery"}));
    QCOMPARE(WidgetFixture::valueOf(saved, QStringLiteral("msg")), QStringLiteral("A,B"));
    QCOMPARE(WidgetFixture::valueOf(saved, QStringLiteral("index")), QStringLiteral("1,2"));
    QCOMPARE(WidgetFixture::valueOf(saved, QStringLiteral("hasBorder")), QStringLiteral("1"));
    QCOMPARE(WidgetFixture::valueOf(saved, QStringLiteral("align")), QStringLiteral("Right"));

    DropListFixture bare(Settings{{"msg", "A"}, {"hasBorder", "no"}});
    const QStringList bareNames = WidgetFixture::names(WidgetFixture::saved(bare.list));
    QVERIFY(!bareNames.contains(QStringLiteral("index1ForQuery")));
    QVERIFY(!bareNames.contains(QStringLiteral("sourceList")));
    QCOMPARE(WidgetFixture::valueOf(WidgetFixture::saved(bare.list), QStringLiteral("hasBorder")),
             QStringLiteral("0"));
    QVERIFY(!bare.list->processElement(QStringLiteral("title"), QStringLiteral("x")));
}

void TestWDropList::alignment_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("flag");
    QTest::addColumn<QString>("readBack");
    QTest::newRow("center") << "center" << 4 << "Center";
    QTest::newRow("any case") << "CeNtEr" << 4 << "Center";
    QTest::newRow("right") << "RIGHT" << 2 << "Right";
    QTest::newRow("left") << "Left" << 1 << "Left";
    QTest::newRow("anything else") << "middle" << 1 << "Left";
}

void TestWDropList::alignment()
{
    QFETCH(QString, text);
    QFETCH(int, flag);
    QFETCH(QString, readBack);
    DropListFixture f(Settings{{"msg", "A"}, {"align", text}});
    QCOMPARE(f.list->widgetProperty("horizontalAlignment").toInt(), flag);
    QCOMPARE(f.list->propertyValue(WidgetPropertyId::Align).toString(), readBack);
    f.list->setPropertyValue(WidgetPropertyId::Align, QStringLiteral("right"));
    QCOMPARE(f.list->propertyValue(WidgetPropertyId::Align).toString(), QStringLiteral("Right"));
}

void TestWDropList::reloadOfTheDesign()
{
    FakeListNode *pNode = parameterSetList();
    DropListFixture f(Settings{{"node", "ItemAndIndexes"}}, pNode);
    f.transform()->deliverReply(QStringLiteral("4")); // Night's number
    QCOMPARE(f.shownText(), QStringLiteral("Night"));
    emit pNode->labelChangedByReload(QStringLiteral("Night"), QStringLiteral("Late"));
    QCOMPARE(f.list->itemList(), (QStringList{"Day", "Late", "Party"}));
    QCOMPARE(f.shownText(), QStringLiteral("Late"));

    pNode->setSets({QStringLiteral("Day"), QStringLiteral("Late")}, {0, 4});
    emit pNode->listChangedByReload(QStringLiteral("Parameter Set List"));
    QCOMPARE(f.list->itemList(), (QStringList{"Day", "Late"}));
    pNode->setListText(QStringLiteral("X,Y"));
    emit pNode->listChangedByReload(QStringLiteral("Selector"));
    QCOMPARE(f.list->indexList(), (QList<int>{1, 2}));

    // A control that lets its node go hears no more of it.
    f.list->unbindNode();
    emit pNode->labelChangedByReload(QStringLiteral("X"), QStringLiteral("Z"));
    QCOMPARE(f.list->itemList(), (QStringList{"X", "Y"}));
}

// As the user does it: a click opens the list over the canvas, a click on an
// entry chooses it, a click beside the list only closes it.
void TestWDropList::popupByMouse()
{
    DropListFixture f(Settings{{"msg", "Low,Mid,High"}});
    QQuickWindow window;
    window.resize(640, 480);
    QQuickItem *pCanvas = f.fx.canvas().canvas();
    pCanvas->setParentItem(window.contentItem());
    pCanvas->setSize(QSizeF(640, 480));
    VModeManager::instance()->setCanvasRoot(pCanvas);
    auto *pItem = qobject_cast<QQuickItem *>(f.list->widget());
    pItem->setVisible(true);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    QTest::mouseClick(&window, Qt::LeftButton, Qt::NoModifier, TestSupport::centreOf(pItem));
    QPointer<QObject> pPopup = f.list->popup();
    QVERIFY(pPopup);
    QCOMPARE(VModeManager::instance()->modalObject(), pPopup.data());
    QCOMPARE(qobject_cast<QQuickItem *>(pPopup.data())->parentItem(), pCanvas);
    QCOMPARE(pPopup->property("model").toStringList(), (QStringList{"Low", "Mid", "High"}));

    QQuickItem *pEntry = TestSupport::findItem(qobject_cast<QQuickItem *>(pPopup.data()), QStringLiteral("listEntry1"));
    QVERIFY(pEntry);
    QTest::mouseClick(&window, Qt::LeftButton, Qt::NoModifier, TestSupport::centreOf(pEntry));
    QCOMPARE(f.protocol.sentTexts(), QStringList{"2"});
    QCOMPARE(f.shownText(), QStringLiteral("Mid"));
    QCOMPARE(f.list->widgetProperty("currentIndex").toInt(), 1);
    QTRY_VERIFY(!pPopup);
    QVERIFY(!VModeManager::instance()->modalObject());

    // Open again: the current entry is marked; a click beside the list closes it.
    QTest::mouseClick(&window, Qt::LeftButton, Qt::NoModifier, TestSupport::centreOf(pItem));
    pPopup = f.list->popup();
    QVERIFY(pPopup);
    QCOMPARE(pPopup->property("index").toInt(), 1);
    QTest::mouseClick(&window, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    QTRY_VERIFY(!pPopup);
    QCOMPARE(f.protocol.sentTexts(), QStringList{"2"});
    QCOMPARE(f.shownText(), QStringLiteral("Mid"));
    QCOMPARE(f.list->currentIndex(), 1);

    VModeManager::instance()->setCanvasRoot(nullptr);
    pCanvas->setParentItem(nullptr);
    QVERIFY2(f.fx.canvas().warnings().isEmpty(), qPrintable(f.fx.canvas().warnings().join('\n')));
}

void TestWDropList::popupGuards()
{
    DropListFixture f(Settings{{"msg", "Low,Mid"}});
    // No object: nothing to open, nothing set.
    f.list->popupList(nullptr);
    QVERIFY(!f.list->popup());

    QPointer<QObject> pFirst = f.fx.canvas().create(QUrl(QStringLiteral("qrc:/qml/objects/QmlPopupList.qml")));
    QPointer<QObject> pSecond = f.fx.canvas().create(QUrl(QStringLiteral("qrc:/qml/objects/QmlPopupList.qml")));
    QVERIFY(pFirst && pSecond);
    f.list->popupList(pFirst);
    f.list->popupList(pSecond);
    QCOMPARE(f.list->popup(), pSecond.data());
    QCOMPARE(VModeManager::instance()->modalObject(), pSecond.data());
    QTRY_VERIFY(!pFirst);
    // The first list's late click reaches nobody.
    f.list->popupList(nullptr);
    QTRY_VERIFY(!pSecond);
    QVERIFY(!VModeManager::instance()->modalObject());
    // A cancel closes the list without a choice.
    QPointer<QObject> pThird = f.fx.canvas().create(QUrl(QStringLiteral("qrc:/qml/objects/QmlPopupList.qml")));
    f.list->popupList(pThird);
    pThird->setProperty("cancel", true);
    QTRY_VERIFY(!pThird);
    QCOMPARE(f.list->currentIndex(), -1);
    QCOMPARE(f.protocol.sentTexts(), QStringList());
    // A list destroyed behind the widget's back (a rebuilt canvas) is not used again.
    QObject *pFourth = f.fx.canvas().create(QUrl(QStringLiteral("qrc:/qml/objects/QmlPopupList.qml")));
    f.list->popupList(pFourth);
    delete pFourth;
    QVERIFY(!f.list->popup());
    f.list->listSelect(1);
    QCOMPARE(f.protocol.sentTexts(), QStringList{"2"});
    QCOMPARE(f.shownText(), QStringLiteral("Mid"));
}

VVB_TEST_MAIN(TestWDropList)
#include "tst_wdroplist.moc"
