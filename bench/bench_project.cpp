// Saving and opening a generated project (6 scenes of 6 panels of N controls)
// against writing and parsing the same XML with QXmlStreamWriter and
// QXmlStreamReader plus qCompress and qUncompress of the same bytes. Goal:
// within 3 times the reference, and linear in the number of controls. Each
// control has one fader widget and a transform of its own, as a control bound
// to a node has; the project opened is the one saved, read back unchanged.
#include "BenchReport.h"
#include "model/CCanvas.h"
#include "model/CComposite.h"
#include "model/CControl.h"
#include "model/MModel.h"
#include "support/FakeWidgetFactory.h"
#include "utility/UArchive.h"
#include "widgets/WDelegate.h"
#include "widgets/WWidget.h"
#include "xml/XmlWriter.h"

#include <benchmark/benchmark.h>

#include <QEvent>
#include <QFile>
#include <QGuiApplication>
#include <QQuickItem>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace {

const int s_nScenes = 6;
const int s_nPanels = 6;

// Writes its settings inside an element named by its type, as the real kinds
// do, so that the saved project reads back with one widget a control.
class TypedWidget : public WWidget
{
public:
    using WWidget::WWidget;

    bool save(XmlWriter *pWriter) override
    {
        if (!saveStart(pWriter))
            return false;
        pWriter->writeEndElement(typeName());
        return true;
    }
};

// The fake factory's items, with the typed widget inside.
class TypedWidgetFactory : public FakeWidgetFactory
{
public:
    WWidget *createWidget(const QString &) override
    {
        auto *pItem = new QQuickItem(parentItem());
        pItem->setParent(parentItem());
        pItem->setProperty("selEnable", true);
        auto *pWidget = new TypedWidget(pItem);
        pWidget->setParent(pItem);
        pWidget->setObjectName(QStringLiteral("widget"));
        pWidget->setWidget(pItem);
        pWidget->initWidget(pItem);
        return pWidget;
    }
};

struct Token
{
    QXmlStreamReader::TokenType type;
    QString name;
    QXmlStreamAttributes attributes;
    QString text;
};

// A model holding a generated project, saved once to know its bytes.
struct Project
{
    QTemporaryDir dir;
    TypedWidgetFactory factory;
    CCanvas canvas;
    std::unique_ptr<MModel> model;
    QString archivePath;
    QByteArray xml;
    std::vector<Token> tokens;
    bool readsBack = false;
    int controlsMade = 0;

    explicit Project(int controls)
        : model(std::make_unique<MModel>())
    {
        model->setCanvas(&canvas);
        model->init();
        WDelegate::instance()->setFactory(&factory);
        for (int s = 0; s < s_nScenes; ++s) {
            auto *pScene = new CComposite;
            pScene->setKind(QStringLiteral("Scene"));
            pScene->setName(QStringLiteral("COLLECTION%1").arg(s + 1));
            model->scenes()->addChild(pScene);
            for (int p = 0; p < s_nPanels; ++p)
                addPanel(pScene, p, controls);
        }
        archivePath = dir.filePath(QStringLiteral("bench.cpz"));
        model->saveProject(archivePath);
        readBack();
        // The benchmark opens what was saved: it must be the same document.
        readsBack = model->openProject(archivePath)
                    && widgetCount(model->scenes()) == s_nScenes * s_nPanels * controls;
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    ~Project()
    {
        model.reset();
        // The items the model let go are deleted before their canvas goes.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        WDelegate::instance()->setFactory(nullptr);
    }

    static int widgetCount(const CControl *pElement)
    {
        int count = int(pElement->widgets().size());
        if (const auto *pComposite = qobject_cast<const CComposite *>(pElement)) {
            for (const CControl *pChild : pComposite->children())
                count += widgetCount(pChild);
        }
        return count;
    }

    void addPanel(CComposite *pScene, int index, int controls)
    {
        auto *pPanel = new CComposite;
        pPanel->setKind(QStringLiteral("Panel"));
        pPanel->setName(QStringLiteral("Panel %1").arg(index));
        pScene->addChild(pPanel);
        for (int c = 0; c < controls; ++c) {
            auto *pControl = new CControl;
            pControl->setKind(QStringLiteral("Control"));
            // Named apart, as controls of different nodes are: none shares a transform.
            pControl->setName(QStringLiteral("Level %1").arg(++controlsMade));
            pControl->setType(QStringLiteral("Slider"));
            const QList<QPair<QString, QString>> settings = {
                {QStringLiteral("id"), QString::number(c + 1)}, {QStringLiteral("x"), QString::number(c * 7)},
                {QStringLiteral("y"), QString::number(c * 3)}, {QStringLiteral("width"), QStringLiteral("40")},
                {QStringLiteral("height"), QStringLiteral("200")}, {QStringLiteral("xfract"), QStringLiteral("0.25")}};
            for (const auto &setting : settings)
                pControl->createPrototype(QStringLiteral("slider"), setting.first, setting.second);
            pControl->finishWidget(QStringLiteral("slider"));
            pControl->setAttribute(QStringLiteral("range"), QStringLiteral("units"), QStringLiteral("dB"));
            pControl->setAttribute(QStringLiteral("range"), QStringLiteral("minimum"), QStringLiteral("-100"));
            pControl->setAttribute(QStringLiteral("range"), QStringLiteral("maximum"), QStringLiteral("12"));
            pControl->setAttribute(QStringLiteral("range"), QStringLiteral("transform"), QStringLiteral("strV"));
            pPanel->addChild(pControl);
        }
    }

    // The project file inside the saved archive, and its events.
    void readBack()
    {
        UArchive archive;
        if (!archive.read(archivePath))
            return;
        QFile file(archive.findLocalPath(QStringLiteral(".cpf")));
        if (!file.open(QIODevice::ReadOnly))
            return;
        xml = file.readAll();
        QXmlStreamReader reader(xml);
        while (!reader.atEnd()) {
            const auto type = reader.readNext();
            if (type == QXmlStreamReader::StartElement || type == QXmlStreamReader::EndElement
                || (type == QXmlStreamReader::Characters && !reader.isWhitespace()))
                tokens.push_back({type, reader.name().toString(), reader.attributes(), reader.text().toString()});
        }
    }
};

std::map<int, std::unique_ptr<Project>> &projects()
{
    static std::map<int, std::unique_ptr<Project>> s_projects;
    return s_projects;
}

// The project of that size, its widget factory the one in use: widgets go
// under its own canvas, whichever project ran before.
Project &project(int controls)
{
    auto &entry = projects()[controls];
    if (!entry)
        entry = std::make_unique<Project>(controls);
    WDelegate::instance()->setFactory(&entry->factory);
    return *entry;
}

QByteArray streamWrite(const std::vector<Token> &tokens)
{
    QByteArray bytes;
    QXmlStreamWriter writer(&bytes);
    writer.setAutoFormatting(true);
    writer.setAutoFormattingIndent(-1);
    writer.writeStartDocument();
    for (const Token &token : tokens) {
        if (token.type == QXmlStreamReader::StartElement) {
            writer.writeStartElement(token.name);
            writer.writeAttributes(token.attributes);
        } else if (token.type == QXmlStreamReader::EndElement) {
            writer.writeEndElement();
        } else {
            writer.writeCharacters(token.text);
        }
    }
    writer.writeEndDocument();
    return bytes;
}

void BM_Save(benchmark::State &state)
{
    Project &p = project(int(state.range(0)));
    if (!p.readsBack)
        state.SkipWithError("the saved project does not read back as written");
    for (auto _ : state) {
        if (!p.model->saveProject(p.archivePath))
            state.SkipWithError("save failed");
    }
}

void BM_StreamWriteCompress(benchmark::State &state)
{
    const Project &p = project(int(state.range(0)));
    for (auto _ : state) {
        const QByteArray bytes = streamWrite(p.tokens);
        benchmark::DoNotOptimize(qCompress(bytes));
    }
}

void BM_Open(benchmark::State &state)
{
    Project &p = project(int(state.range(0)));
    if (!p.readsBack)
        state.SkipWithError("the saved project does not read back as written");
    for (auto _ : state) {
        if (!p.model->openProject(p.archivePath))
            state.SkipWithError("open failed");
        // What the event loop does after an open: the old document's items go.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

void BM_StreamReadUncompress(benchmark::State &state)
{
    const Project &p = project(int(state.range(0)));
    const QByteArray compressed = qCompress(p.xml);
    for (auto _ : state) {
        const QByteArray bytes = qUncompress(compressed);
        QXmlStreamReader reader(bytes);
        qsizetype characters = 0;
        while (!reader.atEnd()) {
            reader.readNext();
            characters += reader.text().size() + reader.attributes().size();
        }
        benchmark::DoNotOptimize(characters);
    }
}

BENCHMARK(BM_Save)->Arg(10)->Arg(20)->Arg(40)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StreamWriteCompress)->Arg(10)->Arg(20)->Arg(40)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Open)->Arg(10)->Arg(20)->Arg(40)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StreamReadUncompress)->Arg(10)->Arg(20)->Arg(40)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    BenchReport::prepare(&argc, &argv);
    QGuiApplication app(argc, argv);
    BenchReport report;
    if (!report.run(argc, argv))
        return 1;
    report.printRatio("save / (stream write + qCompress), 40 controls a panel", "BM_Save/40",
                      "BM_StreamWriteCompress/40", 3.0);
    report.printRatio("open / (qUncompress + stream read), 40 controls a panel", "BM_Open/40",
                      "BM_StreamReadUncompress/40", 3.0);
    // Linear: four times the controls, about four times the time.
    report.printRatio("save, 40 against 10 controls a panel", "BM_Save/40", "BM_Save/10", 4.4);
    report.printRatio("open, 40 against 10 controls a panel", "BM_Open/40", "BM_Open/10", 4.4);
    projects().clear();
    return 0;
}
