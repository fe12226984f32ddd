// Import of a generated design file (both passes, the tree, the project-tree
// model with its templates) against one bare QXmlStreamReader pass over the
// same bytes, at one and two times the design.
#include "BenchReport.h"
#include "hardware/HComposite.h"
#include "hardware/HRoot.h"

#include <QApplication>
#include <QFile>
#include <QStandardItemModel>
#include <QTemporaryDir>
#include <QXmlDefaultHandler>
#include <QXmlInputSource>
#include <QXmlSimpleReader>
#include <QXmlStreamReader>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>

namespace {

constexpr int Processors = 32;
constexpr int BlocksPerProcessor = 64;
constexpr int Groups = 400;

QByteArray property(const char *name, const QByteArray &value)
{
    return QByteArray("\t\t<Property name=\"") + name + "\" value=\"" + value + "\"/>\r\n";
}

QByteArray number(int n)
{
    return QByteArray::number(n);
}

// One block of a processor, of a kind chosen by its number.
QByteArray block(int processor, int i, int nodeId)
{
    const QByteArray label = "Block " + number(processor) + "." + number(i);
    QByteArray text;
    switch (i % 6) {
    case 0:
        text = "\t<Node className=\"Harlo.Creator.Nodes.Gain\" typeNumber=\"0\">\r\n" + property("title", "Gain")
               + property("level", "0");
        break;
    case 1:
        text = "\t<Node className=\"Harlo.Creator.Nodes.Selector\" typeNumber=\"1\">\r\n"
               + property("title", "Selector") + property("name1", "CD") + property("name2", "Radio")
               + property("name3", "Stream");
        break;
    case 2:
        text = "\t<Node className=\"Harlo.Creator.Nodes.ToneEQ\" typeNumber=\"0\">\r\n" + property("title", "Tone EQ")
               + property("low", "0") + property("mid", "0") + property("high", "0");
        break;
    case 3:
        text = "\t<Node className=\"Harlo.Creator.Nodes.AMM\" typeNumber=\"0\">\r\n" + property("title", "AMM-Gated")
               + property("channelCount", "8");
        for (int n = 1; n <= 8; ++n)
            text += property(("inputLabel" + number(n)).constData(), "Mic " + number(n));
        break;
    case 4:
        text = "\t<Node className=\"Harlo.Creator.Nodes.LogicOutput\" typeNumber=\"0\">\r\n"
               + property("title", "Logic Output 4") + property("actionCount", "4");
        break;
    default:
        text = "\t<Node className=\"Harlo.Creator.Nodes.StandardRoomCombiner\" typeNumber=\"0\">\r\n"
               + property("title", "Standard Room Combiner") + property("roomNumber", number(i / 6 + 1))
               + property("rcGroupNumber", number(processor + 1)) + property("roomName", "Room " + number(i));
        break;
    }
    return text + property("label", label) + property("nodeID", number(nodeId)) + "\t</Node>\r\n";
}

// scale 1: Processors x BlocksPerProcessor blocks and Groups groups; scale 2 doubles both.
QByteArray design(int scale)
{
    QByteArray nodes;
    QByteArray modules;
    int nodeId = 1;
    const int processors = Processors * scale;
    for (int p = 0; p < processors; ++p) {
        nodes += "\t<Node className=\"Harlo.Creator.Nodes.Devices.KRX\" typeNumber=\"0\">\r\n"
                 + property("title", p == 0 ? "KRX 880 (Main)" : "KRX 880") + property("label", "Rack " + number(p))
                 + property("nodeID", number(nodeId++)) + property("deviceType", "KRX 880")
                 + property("isMainKRX", p == 0 ? "True" : "False") + property("ipAddress", "10.0.0." + number(p))
                 + "\t</Node>\r\n";
        nodes += "\t<Node className=\"Devices.Input\" cardType=\"VM-AI4\" typeNumber=\"2\" portIndex=\"0\">\r\n"
                 + property("title", "Input 1") + property("label", "Inputs " + number(p))
                 + property("nodeID", number(nodeId++)) + "\t</Node>\r\n";
        for (int b = 0; b < BlocksPerProcessor; ++b)
            nodes += block(p, b, nodeId++);
    }
    // One amplifier of the series whose groups the second pass follows.
    const int ampId = nodeId++;
    nodes += "\t<Node className=\"Zindle\" typeNumber=\"0\">\r\n" + property("title", "AZR 4400")
             + property("label", "Amp") + property("nodeID", number(ampId)) + property("deviceType", "AZR 4400")
             + "\t</Node>\r\n";
    modules += "<Modules>\r\n\t<Module tarvoNodeID=\"" + number(ampId) + "\">\r\n";
    const int firstChannel = nodeId;
    for (int c = 0; c < 4; ++c)
        modules += "\t\t<Channel>" + property("nodeID", number(nodeId++)) + "</Channel>\r\n";
    modules += "\t</Module>\r\n</Modules>\r\n";

    QByteArray groups;
    QByteArray assignment;
    const int groupCount = Groups * scale;
    for (int g = 0; g < groupCount; ++g) {
        const QByteArray id = number(100000 + g);
        groups += "\t<Group id=\"" + id + "\">\r\n" + property("title", "Group") + property("label", "Group " + id)
                  + property("nodeID", id) + property("groupType", g % 4 == 3 ? "Selector" : "Level") + "\t</Group>\r\n";
        assignment += "\t<Group id=\"" + id + "\">\r\n";
        for (int a = 0; a < 4; ++a)
            assignment += "\t\t<Assign targetID=\"" + number(2 + (g * 7 + a * 13) % (nodeId - 10))
                          + "\" targetProp=\"name1\" targetValue=\"Entry\"/>\r\n";
        if (g % 10 == 0)
            assignment += "\t\t<Assign targetID=\"" + number(firstChannel + g % 4) + "\"/>\r\n";
        assignment += "\t</Group>\r\n";
    }
    for (int p = 0; p < processors; ++p)
        assignment += "\t<RCGroup id=\"" + number(p + 1) + "\"/>\r\n";
    QByteArray rcGroups;
    for (int p = 0; p < processors; ++p)
        rcGroups += "\t<RCGroup id=\"" + number(p + 1) + "\">\r\n" + property("label", "Rooms " + number(p))
                    + property("index", number(p + 1)) + "\t</RCGroup>\r\n";

    return "<?xml version=\"1.0\" encoding=\"Windows-1252\"?>\r\n<VMD>\r\n<Project version=\"4.2\">\r\n"
           "<ProjectInfo><Facility name=\"Bench\"/></ProjectInfo>\r\n<Nodes>\r\n"
           + nodes + "</Nodes>\r\n" + modules + "<Groups>\r\n" + groups + "</Groups>\r\n<RCGroups>\r\n" + rcGroups
           + "</RCGroups>\r\n<Assignment>\r\n" + assignment + "</Assignment>\r\n</Project>\r\n</VMD>\r\n";
}

QTemporaryDir *g_pDir = nullptr;

QString designPath(int scale)
{
    static std::map<int, QString> paths;
    auto it = paths.find(scale);
    if (it != paths.end())
        return it->second;
    const QString path = g_pDir->filePath(QStringLiteral("design%1.vmp").arg(scale));
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(design(scale));
    return paths[scale] = path;
}

void BM_BarePass(benchmark::State &state)
{
    const QString path = designPath(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) {
            state.SkipWithError("cannot open");
            break;
        }
        QXmlStreamReader reader(file.readAll());
        qint64 tokens = 0;
        while (!reader.atEnd()) {
            reader.readNext();
            ++tokens;
        }
        if (reader.hasError())
            state.SkipWithError("parse error");
        benchmark::DoNotOptimize(tokens);
    }
}

// For reference: the event-driven reader the import is built on, with a
// handler that does nothing.
void BM_SaxPass(benchmark::State &state)
{
    const QString path = designPath(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) {
            state.SkipWithError("cannot open");
            break;
        }
        QXmlInputSource source(&file);
        QXmlSimpleReader reader;
        QXmlDefaultHandler handler;
        reader.setContentHandler(&handler);
        if (!reader.parse(&source))
            state.SkipWithError("parse error");
    }
}

void BM_Import(benchmark::State &state)
{
    const QString path = designPath(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        auto *pRoot = new HRoot;
        auto *pModel = new QStandardItemModel;
        const bool imported = HComposite::loadDesignFile(pRoot, path, false, nullptr);
        pRoot->buildModel(pModel);
        benchmark::DoNotOptimize(pModel->rowCount());
        // Taking the tree down is not part of the import.
        state.PauseTiming();
        delete pModel;
        delete pRoot;
        state.ResumeTiming();
        if (!imported) {
            state.SkipWithError("import failed");
            break;
        }
    }
}

BENCHMARK(BM_BarePass)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_SaxPass)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_Import)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void quiet(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type != QtDebugMsg)
        std::fprintf(stderr, "%s\n", qPrintable(message));
}

} // namespace

int main(int argc, char **argv)
{
    BenchReport::prepare(&argc, &argv);
    QApplication app(argc, argv);
    qInstallMessageHandler(quiet);
    QTemporaryDir dir;
    g_pDir = &dir;
    BenchReport report;
    if (!report.run(argc, argv))
        return 1;
    report.printRatio("import / bare pass (x1)", "BM_Import/1", "BM_BarePass/1", 6.0);
    report.printRatio("import / bare pass (x2)", "BM_Import/2", "BM_BarePass/2", 6.0);
    report.printRatio("import x2 / import x1", "BM_Import/2", "BM_Import/1", 2.3);
    return 0;
}
