// Packing and unpacking a project archive against the bare qCompress and
// qUncompress of the same bytes: the archive should add at most 15 % of CPU time.
#include "BenchReport.h"
#include "utility/UArchive.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>


namespace {

const int s_nMiB = 1024 * 1024;

// Line-oriented XML-like text, compressible as project and design files are.
QByteArray textLike(int size, quint32 seed)
{
    QByteArray bytes;
    bytes.reserve(size + 128);
    while (bytes.size() < size) {
        seed = seed * 1664525u + 1013904223u;
        bytes += "\t\t<Control id=\"" + QByteArray::number(seed >> 20) + "\"><x>"
                 + QByteArray::number((seed >> 8) & 0x3FF) + "</x><name>Fader "
                 + QByteArray::number(seed & 0xFF) + "</name></Control>\n";
    }
    bytes.truncate(size);
    return bytes;
}

// Noise, as already compressed images are; with runs when half-compressible.
QByteArray randomLike(int size, quint32 seed, bool bRuns)
{
    QByteArray bytes(size, '\0');
    for (int i = 0; i < size; ++i) {
        seed = seed * 1664525u + 1013904223u;
        bytes[i] = bRuns && (i & 0x40) ? char(i >> 10) : char(seed >> 24);
    }
    return bytes;
}

struct Corpus
{
    QTemporaryDir dir;
    QStringList paths;
    QStringList folders;
    QList<QByteArray> contents;
    QList<QByteArray> stored;
    QString archivePath;

    void add(const QString &name, const QString &folder, const QByteArray &bytes)
    {
        const QString path = dir.filePath(QStringLiteral("src/") + name);
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            qFatal("cannot write %s", qPrintable(path));
        paths << path;
        folders << folder;
        contents << bytes;
        stored << qCompress(bytes);
    }

    Corpus()
    {
        QDir().mkpath(dir.filePath(QStringLiteral("src")));
        add(QStringLiteral("Lobby.cpf"), QString(), textLike(2 * s_nMiB, 1));
        add(QStringLiteral("Lobby.vmp"), QStringLiteral("project"), textLike(6 * s_nMiB, 2));
        for (int i = 0; i < 24; ++i) {
            add(QStringLiteral("image%1.png").arg(i), QStringLiteral("image"),
                randomLike(s_nMiB / 2, quint32(100 + i), i % 2 == 1));
        }
        archivePath = dir.filePath(QStringLiteral("Lobby.cpz"));
        QSettings settings(QStringLiteral("Harlo"), QStringLiteral("Velmora Viviza builder 3.0"));
        settings.setValue(QStringLiteral("Path/Archive"), dir.filePath(QStringLiteral("out")));
        if (!pack())
            qFatal("cannot write %s", qPrintable(archivePath));
    }

    bool pack() const
    {
        UArchive archive;
        archive.setPath(archivePath);
        for (int i = 0; i < paths.size(); ++i)
            archive.addFile(paths.at(i), folders.at(i));
        return archive.write();
    }
};

Corpus &corpus()
{
    static Corpus s_corpus;
    return s_corpus;
}

void setBytes(benchmark::State &state)
{
    qint64 total = 0;
    for (const QByteArray &bytes : corpus().contents)
        total += bytes.size();
    state.SetBytesProcessed(state.iterations() * total);
}

void BM_Compress(benchmark::State &state)
{
    for (auto _ : state) {
        for (const QByteArray &bytes : corpus().contents)
            benchmark::DoNotOptimize(qCompress(bytes));
    }
    setBytes(state);
}

void BM_Pack(benchmark::State &state)
{
    for (auto _ : state) {
        if (!corpus().pack())
            state.SkipWithError("write failed");
    }
    setBytes(state);
}

void BM_Uncompress(benchmark::State &state)
{
    for (auto _ : state) {
        for (const QByteArray &bytes : corpus().stored)
            benchmark::DoNotOptimize(qUncompress(bytes));
    }
    setBytes(state);
}

void BM_Unpack(benchmark::State &state)
{
    for (auto _ : state) {
        UArchive archive;
        if (!archive.read(corpus().archivePath))
            state.SkipWithError("read failed");
    }
    setBytes(state);
}

BENCHMARK(BM_Compress)->Unit(benchmark::kMillisecond)->MinTime(2.0)->MeasureProcessCPUTime();
BENCHMARK(BM_Pack)->Unit(benchmark::kMillisecond)->MinTime(2.0)->MeasureProcessCPUTime();
BENCHMARK(BM_Uncompress)->Unit(benchmark::kMillisecond)->MinTime(2.0)->MeasureProcessCPUTime();
BENCHMARK(BM_Unpack)->Unit(benchmark::kMillisecond)->MinTime(2.0)->MeasureProcessCPUTime();

} // namespace

int main(int argc, char **argv)
{
    BenchReport::prepare(&argc, &argv);
    QCoreApplication app(argc, argv);
    corpus();
    BenchReport report;
    if (!report.run(argc, argv))
        return 1;
    // Packing and unpacking use worker threads: compare the CPU time of all of them.
    report.printRatio("pack / qCompress", "BM_Pack", "BM_Compress", 1.15, BenchReport::Clock::Cpu);
    report.printRatio("unpack / qUncompress", "BM_Unpack", "BM_Uncompress", 1.15, BenchReport::Clock::Cpu);
    return 0;
}
