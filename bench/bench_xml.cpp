// XmlWriter against QXmlStreamWriter on a project-like document, and the
// reading cost for one and two documents (linearity): of the bare XmlHandler,
// and of the project's own control reader building the controls of a panel
// (their widgets kept as read: no widget factory here).
#include "BenchReport.h"
#include "model/CComposite.h"
#include "model/CControl.h"
#include "xml/XmlHandler.h"
#include "xml/XmlWriter.h"

#include <benchmark/benchmark.h>

#include <QBuffer>
#include <QXmlStreamWriter>

namespace {

constexpr int ElementsPerControl = 10;

void writeWithXmlWriter(QByteArray *out, int elements)
{
    XmlWriter writer;
    writer.setByteArray(out);
    writer.setEncoding(XmlEncodingUtf16BE);
    writer.writeDeclaration();
    writer.writeStartElement(QStringLiteral("VMD"));
    writer.writeStartElement(QStringLiteral("Scenes"));
    for (int i = 0; i < elements / ElementsPerControl; ++i) {
        writer.writeStartElementTyped(QStringLiteral("Control"), QStringLiteral("Gain & Mute %1").arg(i),
                                      QStringLiteral("slider"));
        writer.writeIntElement(QStringLiteral("id"), i);
        writer.writeIntElement(QStringLiteral("x"), i % 640);
        writer.writeIntElement(QStringLiteral("y"), i % 480);
        writer.writeFloatElement(QStringLiteral("fx"), float(i) / 7.0f);
        writer.writeFloatElement(QStringLiteral("fy"), float(i) / 9.0f);
        writer.writeTextElement(QStringLiteral("title"), QStringLiteral("Lobby <zone> %1").arg(i));
        writer.writeTextElement(QStringLiteral("transform"), QStringLiteral("TStrV"));
        writer.writeTextElement(QStringLiteral("units"), QStringLiteral("dB"));
        writer.writeEndElement(QStringLiteral("Control"));
    }
    writer.writeEndElement(QStringLiteral("Scenes"));
    writer.writeEndElement(QStringLiteral("VMD"));
    writer.flush();
}

void writeWithStreamWriter(QByteArray *out, int elements)
{
    QBuffer buffer(out);
    buffer.open(QIODevice::WriteOnly);
    buffer.write("\xFE\xFF", 2);
    QXmlStreamWriter writer(&buffer);
    writer.setAutoFormatting(true);
    writer.setAutoFormattingIndent(-1);
    writer.writeStartDocument();
    writer.writeStartElement(QStringLiteral("VMD"));
    writer.writeStartElement(QStringLiteral("Scenes"));
    for (int i = 0; i < elements / ElementsPerControl; ++i) {
        writer.writeStartElement(QStringLiteral("Control"));
        writer.writeAttribute(QStringLiteral("name"), QStringLiteral("Gain & Mute %1").arg(i));
        writer.writeAttribute(QStringLiteral("type"), QStringLiteral("slider"));
        writer.writeTextElement(QStringLiteral("id"), QString::number(i));
        writer.writeTextElement(QStringLiteral("x"), QString::number(i % 640));
        writer.writeTextElement(QStringLiteral("y"), QString::number(i % 480));
        writer.writeTextElement(QStringLiteral("fx"), QString::number(double(float(i) / 7.0f)));
        writer.writeTextElement(QStringLiteral("fy"), QString::number(double(float(i) / 9.0f)));
        writer.writeTextElement(QStringLiteral("title"), QStringLiteral("Lobby <zone> %1").arg(i));
        writer.writeTextElement(QStringLiteral("transform"), QStringLiteral("TStrV"));
        writer.writeTextElement(QStringLiteral("units"), QStringLiteral("dB"));
        writer.writeEndElement();
    }
    writer.writeEndElement();
    writer.writeEndElement();
    writer.writeEndDocument();
}

// The stream writer cannot produce UTF-16BE itself: the reference converts its UTF-8
// output, as it would have to, and that conversion is part of its timing.
void toUtf16BigEndian(QByteArray *bytes)
{
    const QString text = QString::fromUtf8(bytes->constData() + 2, bytes->size() - 2);
    QByteArray out("\xFE\xFF", 2);
    out.reserve(2 + text.size() * 2);
    for (QChar c : text) {
        out.append(char(c.unicode() >> 8));
        out.append(char(c.unicode() & 0xff));
    }
    *bytes = out;
}

void BM_XmlWriter(benchmark::State &state)
{
    for (auto _ : state) {
        QByteArray out;
        writeWithXmlWriter(&out, int(state.range(0)));
        benchmark::DoNotOptimize(out.data());
    }
}

void BM_QXmlStreamWriter(benchmark::State &state)
{
    for (auto _ : state) {
        QByteArray out;
        writeWithStreamWriter(&out, int(state.range(0)));
        toUtf16BigEndian(&out);
        benchmark::DoNotOptimize(out.data());
    }
}

void BM_XmlHandlerRead(benchmark::State &state)
{
    QByteArray document;
    writeWithXmlWriter(&document, int(state.range(0)));
    for (auto _ : state) {
        XmlHandler handler;
        benchmark::DoNotOptimize(XmlHandler::parseData(document, &handler));
    }
}

// A panel's controls as the project writes them: a fader widget each and a
// range bound through a transform, one element in ten a control as above.
QByteArray panelDocument(int elements)
{
    QByteArray bytes;
    XmlWriter writer;
    writer.setByteArray(&bytes);
    writer.setEncoding(XmlEncodingUtf16BE);
    writer.writeDeclaration();
    writer.writeStartElement(QStringLiteral("VMD"));
    writer.writeStartElement(QStringLiteral("Controls"));
    for (int i = 0; i < elements / ElementsPerControl; ++i) {
        CControl control;
        control.setKind(QStringLiteral("Control"));
        control.setName(QStringLiteral("Level %1").arg(i));
        control.setType(QStringLiteral("Slider"));
        const QList<QPair<QString, QString>> settings = {
            {QStringLiteral("id"), QString::number(i + 1)}, {QStringLiteral("x"), QString::number(i % 640)},
            {QStringLiteral("y"), QString::number(i % 480)}, {QStringLiteral("width"), QStringLiteral("40")},
            {QStringLiteral("height"), QStringLiteral("200")}};
        for (const auto &setting : settings)
            control.createPrototype(QStringLiteral("slider"), setting.first, setting.second);
        control.finishWidget(QStringLiteral("slider"));
        control.setAttribute(QStringLiteral("range"), QStringLiteral("minimum"), QStringLiteral("-100"));
        control.setAttribute(QStringLiteral("range"), QStringLiteral("maximum"), QStringLiteral("12"));
        control.setAttribute(QStringLiteral("range"), QStringLiteral("transform"), QStringLiteral("strV"));
        control.writeXml(&writer);
    }
    writer.writeEndElement(QStringLiteral("Controls"));
    writer.writeEndElement(QStringLiteral("VMD"));
    writer.flush();
    return bytes;
}

void BM_ControlRead(benchmark::State &state)
{
    const QByteArray document = panelDocument(int(state.range(0)));
    const int expected = int(state.range(0)) / ElementsPerControl;
    for (auto _ : state) {
        auto *pPanel = new CComposite;
        pPanel->setKind(QStringLiteral("Panel"));
        const qsizetype read = pPanel->addControlsFromXml(nullptr, document).size();
        // Taking the panel down is not part of the reading.
        state.PauseTiming();
        delete pPanel;
        state.ResumeTiming();
        if (read != expected) {
            state.SkipWithError("the controls do not read back");
            break;
        }
    }
}

BENCHMARK(BM_XmlWriter)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_QXmlStreamWriter)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_XmlHandlerRead)->Arg(100000)->Arg(200000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ControlRead)->Arg(100000)->Arg(200000)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    BenchReport::prepare(&argc, &argv);
    BenchReport report;
    if (!report.run(argc, argv))
        return 1;
    report.printRatio("XmlWriter / QXmlStreamWriter (100000 elements)", "BM_XmlWriter/100000",
                      "BM_QXmlStreamWriter/100000", 1.5);
    report.printRatio("XmlHandler read, 2x document / 1x document", "BM_XmlHandlerRead/200000",
                      "BM_XmlHandlerRead/100000", 2.2);
    report.printRatio("control reader, 2x document / 1x document", "BM_ControlRead/200000",
                      "BM_ControlRead/100000", 2.2);
    return 0;
}
