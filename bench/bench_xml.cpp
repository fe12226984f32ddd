// XmlWriter against QXmlStreamWriter on a project-like document, and the
// reading cost of XmlHandler for one and two documents (linearity).
#include "xml/XmlHandler.h"
#include "xml/XmlWriter.h"

#include <benchmark/benchmark.h>

#include <QBuffer>
#include <QElapsedTimer>
#include <QXmlStreamWriter>
#include <cstdio>

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

// Cuts the reference out of the timing: the stream writer cannot produce UTF-16BE itself,
// so its UTF-8 output is converted once, as the document would have to be.
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

template<typename F>
double bestOf(int runs, F f)
{
    double best = 1e300;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        f();
        best = std::min(best, double(timer.nsecsElapsed()));
    }
    return best;
}

void printRatios()
{
    const double ours = bestOf(5, [] { QByteArray out; writeWithXmlWriter(&out, 100000); });
    const double theirs = bestOf(5, [] {
        QByteArray out;
        writeWithStreamWriter(&out, 100000);
        toUtf16BigEndian(&out);
    });
    QByteArray one, two;
    writeWithXmlWriter(&one, 100000);
    writeWithXmlWriter(&two, 200000);
    const double readOne = bestOf(3, [&] { XmlHandler h; XmlHandler::parseData(one, &h); });
    const double readTwo = bestOf(3, [&] { XmlHandler h; XmlHandler::parseData(two, &h); });
    std::printf("XmlWriter / QXmlStreamWriter (100000 elements): %.2fx (goal <= 1.5x)\n", ours / theirs);
    std::printf("XmlHandler read, 2x document / 1x document: %.2fx (goal <= 2.2x)\n", readTwo / readOne);
}

} // namespace

int main(int argc, char **argv)
{
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    printRatios();
    return 0;
}
