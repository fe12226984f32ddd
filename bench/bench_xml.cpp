// XmlWriter against QXmlStreamWriter on a project-like document, and the
// reading cost of XmlHandler for one and two documents (linearity).
#include "BenchReport.h"
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

BENCHMARK(BM_XmlWriter)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_QXmlStreamWriter)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_XmlHandlerRead)->Arg(100000)->Arg(200000)->Unit(benchmark::kMillisecond);

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
    return 0;
}
