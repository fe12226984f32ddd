#include "hardware/CParameter.h"
#include "hardware/HRoot.h"
#include "support/FakeNodes.h"
#include "support/TestMain.h"
#include "support/TestSupport.h"
#include "utility/TreeItem.h"
#include "xml/XParameterHandler.h"

#include <QDirIterator>
#include <QRegularExpression>
#include <QStandardItemModel>
#include <QTemporaryDir>
#include <QtTest>

namespace {

constexpr int kParameterFlags = 49 | 0x404;
constexpr int kPanelFlags = 49 | 0x804;

quint64 address(const HNode *pNode)
{
    return static_cast<quint64>(reinterpret_cast<quintptr>(pNode));
}

QStringList rowTexts(const QStandardItem *pItem)
{
    QStringList texts;
    for (int row = 0; row < pItem->rowCount(); ++row)
        texts << pItem->child(row)->text();
    return texts;
}

QStandardItem *childNamed(const QStandardItem *pItem, const QString &text)
{
    for (int row = 0; row < pItem->rowCount(); ++row) {
        if (pItem->child(row)->text() == text)
            return pItem->child(row);
    }
    return nullptr;
}

// Writes parameter templates into a temporary folder.
class Templates
{
public:
    // Parameters given as "text:type".
    QString write(const QString &name, const QStringList &parameters)
    {
        QByteArray xml = "<?xml version=\"1.0\" encoding=\"Windows-1252\"?>\r\n<VMD>\r\n<Parameters>\r\n";
        for (const QString &parameter : parameters) {
            const QStringList parts = parameter.split(QLatin1Char(':'));
            xml += "<parameter>\r\n\t<text>" + parts.value(0).toLatin1() + "</text>\r\n\t<type>"
                   + parts.value(1).toLatin1() + "</type>\r\n</parameter>\r\n";
        }
        xml += "</Parameters>\r\n<Controls>\r\n</Controls>\r\n</VMD>\r\n";
        const QString path = m_dir.filePath(name);
        return TestSupport::writeAll(path, xml) ? path : QString();
    }

private:
    QTemporaryDir m_dir;
};

} // namespace

class TestHModel : public QObject
{
    Q_OBJECT

private slots:
    void emptyRootGivesFourSections();
    void sectionsFollowProcessors();
    void parameterItemsCarryNodeAndFlags();
    void rebuildDoesNotDuplicateParameters();
    void completePanelForTemplateWithoutParameters();
    void missingTemplateGivesNoItem();
    void headers_data();
    void headers();
    void countsCutParameters();
    void meterlessProcessorLinks();
    void hiddenAmplifierOutput();
    void nodeUnderSectionOfItsCategory();
    void unexpectedFirstRowIsPutBack();
    void nullModelIsIgnored();
    void builtInTemplatesParse();
    void builtInToneEqTemplate();

private:
    Templates m_templates;
};

void TestHModel::emptyRootGivesFourSections()
{
    HRoot root;
    QStandardItemModel model;
    root.buildModel(&model);
    QCOMPARE(model.columnCount(), 1);
    QCOMPARE(rowTexts(model.invisibleRootItem()),
             (QStringList{"Groups", "ParameterSets", "RCGroups", "ParameterSetLists"}));
    QCOMPARE(HRoot::sectionNames(), rowTexts(model.invisibleRootItem()));
    for (int row = 0; row < model.rowCount(); ++row) {
        QStandardItem *pSection = model.item(row);
        QCOMPARE(pSection->data(TreeItem::HandleRole).toULongLong(), address(&root));
        QCOMPARE(pSection->flags().toInt(), 49);
        QCOMPARE(pSection->data(Qt::UserRole + 1).toULongLong(), address(&root));
    }
    QVERIFY(root.hasFlags(HNode::FlagPersistent));
}

void TestHModel::sectionsFollowProcessors()
{
    HRoot root;
    root.addNode(new FakeProcessor(QStringLiteral("Rack A")));
    root.addNode(new FakeProcessor(QStringLiteral("Rack B")));
    QStandardItemModel model;
    root.buildModel(&model);
    QCOMPARE(rowTexts(model.invisibleRootItem()),
             (QStringList{"Rack A", "Rack B", "Groups", "ParameterSets", "RCGroups", "ParameterSetLists"}));
    QCOMPARE(rowTexts(model.item(0)), (QStringList{"Analog I/O", "Blocks"}));
    QCOMPARE(model.item(0)->child(1)->data(TreeItem::HandleRole).toULongLong(), address(root.childAt(0)));
}

void TestHModel::parameterItemsCarryNodeAndFlags()
{
    HRoot root;
    auto *pProcessor = new FakeProcessor;
    auto *pGain = new FakeNode(QStringLiteral("Blocks"), QStringLiteral("Gain 1"));
    pGain->setTemplatePath(m_templates.write(QStringLiteral("Gain_0.xml"), {"Level:Slider", "Mute:Button"}));
    root.addNode(pProcessor);
    pProcessor->addNode(pGain);

    QStandardItemModel model;
    root.buildModel(&model);
    QStandardItem *pBlocks = childNamed(model.item(0), QStringLiteral("Blocks"));
    QVERIFY(pBlocks);
    QCOMPARE(rowTexts(pBlocks), QStringList{"Gain 1"});
    QStandardItem *pNodeItem = pBlocks->child(0);
    QCOMPARE(pNodeItem->flags().toInt(), 49);
    QVERIFY(!pNodeItem->data(TreeItem::HandleRole).isValid()); // the node row holds no address
    QCOMPARE(rowTexts(pNodeItem), (QStringList{"Level", "Mute"}));
    for (int row = 0; row < pNodeItem->rowCount(); ++row) {
        QStandardItem *pItem = pNodeItem->child(row);
        QCOMPARE(pItem->flags().toInt(), kParameterFlags);
        QCOMPARE(pItem->data(TreeItem::HandleRole).toULongLong(), address(pGain));
        QCOMPARE(pGain->parameters().at(row)->item(), pItem);
    }
    QVERIFY(pGain->hasFlags(HNode::FlagPersistent));
    QVERIFY(pProcessor->hasFlags(HNode::FlagPersistent));

    // A node with other item flags hands them on.
    pGain->setItemFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
    model.clear();
    root.buildModel(&model);
    QStandardItem *pRebuilt = childNamed(model.item(0), QStringLiteral("Blocks"))->child(0);
    QCOMPARE(pRebuilt->flags().toInt(), 33);
    QCOMPARE(pRebuilt->child(0)->flags().toInt(), 33 | 0x404);
}

void TestHModel::rebuildDoesNotDuplicateParameters()
{
    HRoot root;
    auto *pProcessor = new FakeProcessor;
    auto *pGain = new FakeNode(QStringLiteral("Blocks"), QStringLiteral("Gain 1"));
    pGain->setTemplatePath(m_templates.write(QStringLiteral("Gain_0.xml"), {"Level:Slider", "Mute:Button"}));
    root.addNode(pProcessor);
    pProcessor->addNode(pGain);
    QStandardItemModel model;
    for (int build = 0; build < 3; ++build) {
        model.clear();
        root.buildModel(&model);
    }
    QCOMPARE(pGain->parameters().size(), 2);
    QCOMPARE(model.rowCount(), 5);
}

void TestHModel::completePanelForTemplateWithoutParameters()
{
    HRoot root;
    auto *pProcessor = new FakeProcessor;
    auto *pNode = new FakeNode(QStringLiteral("Blocks"), QStringLiteral("Set A"));
    pNode->setTemplatePath(m_templates.write(QStringLiteral("Panel_0.xml"), {}));
    root.addNode(pProcessor);
    pProcessor->addNode(pNode);

    QStandardItemModel model;
    root.buildModel(&model);
    QStandardItem *pNodeItem = childNamed(model.item(0), QStringLiteral("Blocks"))->child(0);
    QCOMPARE(rowTexts(pNodeItem), QStringList{"Set A"});
    QStandardItem *pPanel = pNodeItem->child(0);
    QCOMPARE(pPanel->flags().toInt(), kPanelFlags);
    QCOMPARE(pPanel->data(TreeItem::HandleRole).toULongLong(), address(pNode));
}

void TestHModel::missingTemplateGivesNoItem()
{
    HRoot root;
    auto *pProcessor = new FakeProcessor;
    auto *pKnown = new FakeNode(QStringLiteral("Analog I/O"), QStringLiteral("In 1"));
    pKnown->setTemplatePath(m_templates.write(QStringLiteral("In_0.xml"), {"Level:Slider"}));
    auto *pUnknown = new FakeNode(QStringLiteral("Analog I/O"), QStringLiteral("In 2"));
    pUnknown->setTitle(QStringLiteral("No Such Card")); // ":/data/KRX/NoSuchCard_.xml"
    root.addNode(pProcessor);
    pProcessor->addNode(pKnown);
    pProcessor->addNode(pUnknown);
    QPointer<HNode> pGone(pUnknown);

    QStandardItemModel model;
    root.buildModel(&model);
    QCOMPARE(rowTexts(childNamed(model.item(0), QStringLiteral("Analog I/O"))), QStringList{"In 1"});
    QVERIFY(!pUnknown->hasFlags(HNode::FlagPersistent));

    RemovalRecorder recorder;
    recorder.watch(&root);
    root.deleteIfNotPersistent();
    QVERIFY(pGone.isNull());
    QCOMPARE(recorder.removed.size(), 1);
    QCOMPARE(pProcessor->childCount(), 1);
}

void TestHModel::headers_data()
{
    QTest::addColumn<QString>("title");
    QTest::addColumn<QStringList>("parameters");
    QTest::addColumn<QStringList>("channels");
    QTest::addColumn<QStringList>("inputLabels");
    // Header text, then its parameter texts joined by "|".
    QTest::addColumn<QStringList>("layout");

    const QStringList eq = {"Level 1:Slider", "Bypass 1:Button", "Level 2:Slider",
                            "Bypass 2:Button", "Level 3:Slider", "Bypass 3:Button"};
    QTest::newRow("tone EQ") << "Tone EQ" << eq << QStringList() << QStringList()
                             << QStringList{"Low=Level 1|Bypass 1", "Mid=Level 2|Bypass 2",
                                            "High=Level 3|Bypass 3"};
    QTest::newRow("DizoZU beyond three bands")
        << "DizoZU" << (eq + QStringList{"Level 4:Slider", "Bypass 4:Button"}) << QStringList() << QStringList()
        << QStringList{"Low=Level 1|Bypass 1", "Mid=Level 2|Bypass 2", "High=Level 3|Bypass 3",
                       "=Level 4|Bypass 4"};
    QTest::newRow("automixer")
        << "AMM-Gated"
        << QStringList{"All Mute:Button", "Mic 1 Mute:Button", "Mic 2 Mute:Button", "Mic:Button"}
        << QStringList() << QStringList{"Podium"}
        << QStringList{"All Mute=All Mute", "Podium=Mic 1 Mute", "=Mic 2 Mute", "=Mic"};
    QTest::newRow("link channels")
        << "KRXLink Tx"
        << QStringList{"Level 1:Slider", "Mute 1:Button", "Meter 1:Meter", "Level 2:Slider",
                       "Mute 2:Button", "Meter 2:Meter", "Level 3:Slider"}
        << QStringList{"Stage", "Booth"} << QStringList()
        << QStringList{"Stage=Level 1|Mute 1|Meter 1", "Booth=Level 2|Mute 2|Meter 2"};
    QTest::newRow("link without channels")
        << "DivErov" << QStringList{"Level 1:Slider"} << QStringList() << QStringList() << QStringList();
}

void TestHModel::headers()
{
    QFETCH(QString, title);
    QFETCH(QStringList, parameters);
    QFETCH(QStringList, channels);
    QFETCH(QStringList, inputLabels);
    QFETCH(QStringList, layout);

    HRoot root;
    auto *pProcessor = new FakeProcessor;
    auto *pNode = new FakeNode(QStringLiteral("Blocks"), QStringLiteral("Node"));
    pNode->setTitle(title);
    pNode->setChannels(channels);
    for (const QString &label : inputLabels)
        pNode->setProperty(QStringLiteral("inputLabel"), label);
    pNode->setTemplatePath(m_templates.write(QStringLiteral("Headers_0.xml"), parameters));
    root.addNode(pProcessor);
    pProcessor->addNode(pNode);

    QStandardItemModel model;
    root.buildModel(&model);
    QStandardItem *pNodeItem = childNamed(model.item(0), QStringLiteral("Blocks"))->child(0);
    QStringList built;
    for (int row = 0; row < pNodeItem->rowCount(); ++row) {
        QStandardItem *pHeader = pNodeItem->child(row);
        QCOMPARE(pHeader->flags().toInt(), 49);
        built << pHeader->text() + QLatin1Char('=') + rowTexts(pHeader).join(QLatin1Char('|'));
    }
    QCOMPARE(built, layout);
}

void TestHModel::countsCutParameters()
{
    HRoot root;
    auto *pProcessor = new FakeProcessor;
    auto *pAutomix = new FakeNode(QStringLiteral("Blocks"), QStringLiteral("Mixer"));
    pAutomix->setTitle(QStringLiteral("AMM-GainShare"));
    pAutomix->setProperty(QStringLiteral("channelCount"), QStringLiteral("2"));
    pAutomix->setTemplatePath(m_templates.write(
        QStringLiteral("Amm_0.xml"),
        {"All Mute:Button", "Mic 1 Mute:Button", "Mic 2 Mute:Button", "Mic 3 Mute:Button"}));
    auto *pGpo = new FakeNode(QStringLiteral("Blocks"), QStringLiteral("Outputs"));
    pGpo->setTitle(QStringLiteral("Virtual GPO"));
    pGpo->setProperty(QStringLiteral("actionCount"), QStringLiteral("2"));
    pGpo->setTemplatePath(m_templates.write(QStringLiteral("Gpo_0.xml"), {"Ch1:Button", "Ch2:Button", "Ch3:Button"}));
    root.addNode(pProcessor);
    pProcessor->addNode(pAutomix);
    pProcessor->addNode(pGpo);

    QStandardItemModel model;
    root.buildModel(&model);
    QCOMPARE(pAutomix->parameters().size(), 3);
    QCOMPARE(pGpo->parameters().size(), 2);
    QVERIFY(pAutomix->hasCounts());
    QVERIFY(pGpo->hasCounts());
    QStandardItem *pBlocks = childNamed(model.item(0), QStringLiteral("Blocks"));
    QCOMPARE(rowTexts(pBlocks->child(1)), (QStringList{"Ch1", "Ch2"}));
}

void TestHModel::meterlessProcessorLinks()
{
    HRoot root;
    auto *pProcessor = new FakeProcessor;
    pProcessor->setTitle(QStringLiteral("KRX 410"));
    auto *pLink = new FakeNode(QStringLiteral("Blocks"), QStringLiteral("Link"));
    pLink->setTitle(QStringLiteral("KRXLink Tx"));
    pLink->setChannels({QStringLiteral("A"), QStringLiteral("B")});
    pLink->setTemplatePath(m_templates.write(
        QStringLiteral("Link_0.xml"),
        {"Level 1:Slider", "Mute 1:Button", "Meter 1:Meter", "Level 2:Slider", "Mute 2:Button", "Meter 2:Meter"}));
    root.addNode(pProcessor);
    pProcessor->addNode(pLink);

    QStandardItemModel model;
    root.buildModel(&model);
    QStandardItem *pNodeItem = childNamed(model.item(0), QStringLiteral("Blocks"))->child(0);
    QCOMPARE(rowTexts(pNodeItem), (QStringList{"A", "B"}));
    QCOMPARE(rowTexts(pNodeItem->child(0)), (QStringList{"Level 1", "Mute 1"}));
    QCOMPARE(rowTexts(pNodeItem->child(1)), (QStringList{"Level 2", "Mute 2"}));
}

void TestHModel::hiddenAmplifierOutput()
{
    HRoot root;
    auto *pAmp = new FakeProcessor(QStringLiteral("Amp 1"), QStringLiteral("AQ"));
    pAmp->setTitle(QStringLiteral("AQ 2125"));
    pAmp->setGroups({QStringLiteral("Amp I/O")});
    const QString path = m_templates.write(QStringLiteral("Amp_1.xml"), {"Level:Slider", "Mute:Button"});
    auto *pUnused = new FakeNode(QStringLiteral("Amp I/O"), QStringLiteral("----"));
    pUnused->setTitle(QStringLiteral("Amp Output"));
    pUnused->setTemplatePath(path);
    auto *pUsed = new FakeNode(QStringLiteral("Amp I/O"), QStringLiteral("Zone 1"));
    pUsed->setTitle(QStringLiteral("Amp Output"));
    pUsed->setTemplatePath(path);
    root.addNode(pAmp);
    pAmp->addNode(pUnused);
    pAmp->addNode(pUsed);

    QStandardItemModel model;
    root.buildModel(&model);
    QCOMPARE(rowTexts(model.item(0)->child(0)), QStringList{"Zone 1"});
    QVERIFY(pUnused->hasFlags(HNode::FlagPersistent)); // it has a template
}

void TestHModel::nodeUnderSectionOfItsCategory()
{
    HRoot root;
    auto *pProcessor = new FakeProcessor;
    auto *pGroup = new FakeNode(QStringLiteral("Groups"), QStringLiteral("All Levels"));
    pGroup->setTemplatePath(m_templates.write(QStringLiteral("Group_0.xml"), {"Level:Slider"}));
    root.addNode(pProcessor);
    pProcessor->addNode(pGroup);

    QStandardItemModel model;
    root.buildModel(&model);
    // A section row holds the root, not the processor: only a group row of its
    // own parent takes a node.
    QCOMPARE(rowTexts(model.item(1)), QStringList());
    pGroup->setParent(&root);
    QCOMPARE(pGroup->addModelItems(&model, QStringLiteral("Groups")), model.item(1));
    pGroup->setParent(pProcessor);
    QVERIFY(!pGroup->addModelItems(nullptr, QStringLiteral("Groups")));
    HNode orphan;
    QVERIFY(!orphan.addModelItems(&model, QStringLiteral("Groups")));
}

void TestHModel::unexpectedFirstRowIsPutBack()
{
    HRoot root;
    root.addNode(new FakeProcessor(QStringLiteral("Rack A")));
    QStandardItemModel model;
    model.appendRow(new QStandardItem(QStringLiteral("Editor")));
    root.buildModel(&model);
    // Nothing is lost; the rows that were not in their expected place stay.
    QCOMPARE(rowTexts(model.invisibleRootItem()),
             (QStringList{"Editor", "Groups", "ParameterSets", "RCGroups", "ParameterSetLists", "Rack A"}));
}

void TestHModel::nullModelIsIgnored()
{
    HRoot root;
    root.addNode(new FakeProcessor);
    QTest::ignoreMessage(QtDebugMsg, "pModel not defined. Skipping addModelItems.");
    root.buildModel(nullptr);
    QTest::ignoreMessage(QtDebugMsg, "null pModel provided as arg");
    root.HComposite::buildModel(nullptr);
    FakeNode leaf;
    leaf.buildModel(nullptr);
    QVERIFY(!root.hasFlags(HNode::FlagPersistent));
    QVERIFY(!HComposite::insertModelRow(&root, nullptr, nullptr, QStringLiteral("x")));
}

void TestHModel::builtInTemplatesParse()
{
    int count = 0;
    QDirIterator it(QStringLiteral(":/data"), {QStringLiteral("*.xml")}, QDir::Files,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        QList<CParameter *> parameters;
        XParameterHandler handler;
        handler.setTargetList(&parameters);
        QVERIFY2(XmlHandler::parseFile(path, &handler), qPrintable(path));
        for (const CParameter *pParameter : std::as_const(parameters)) {
            QVERIFY2(!pParameter->text().isEmpty(), qPrintable(path));
            QVERIFY2(!pParameter->type().isEmpty(), qPrintable(path));
        }
        qDeleteAll(parameters);
        ++count;
    }
    QVERIFY(count > 0);
}

void TestHModel::builtInToneEqTemplate()
{
    HRoot root;
    auto *pProcessor = new FakeProcessor(QStringLiteral("Rack"), QStringLiteral("KRX"));
    auto *pEq = new FakeNode(QStringLiteral("Blocks"), QStringLiteral("Stage EQ"));
    pEq->setTitle(QStringLiteral("Tone EQ"));
    pEq->setTypeNum(QStringLiteral("0"));
    root.addNode(pProcessor);
    pProcessor->addNode(pEq);

    QStandardItemModel model;
    root.buildModel(&model);
    QStandardItem *pNodeItem = childNamed(model.item(0), QStringLiteral("Blocks"))->child(0);
    QCOMPARE(rowTexts(pNodeItem), (QStringList{"Low", "Mid", "High"}));
    for (int row = 0; row < 3; ++row)
        QCOMPARE(pNodeItem->child(row)->rowCount(), 2);
    QVERIFY(!QIcon(pEq->parameters().first()->iconPath()).isNull());
}

VVB_TEST_MAIN(TestHModel)
#include "tst_hmodel.moc"
