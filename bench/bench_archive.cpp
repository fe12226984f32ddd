// Packing and unpacking a project archive against references that do the
// same intrinsic work one file after the other on one thread. Packing: read
// every source file, qCompress it, write the result into one file. Unpacking:
// remove the files of the previous round, read every stored file from the
// archive, qUncompress it and write it into a folder under its stored name.
// Reading and writing the files, and emptying the folder unpacked into, are
// part of packing and unpacking, so the references do them too. The archive
// packs on up to three threads and removes the previous folder on another:
// the CPU time of all threads is compared, and the archive should add at
// most 15 %. The bare qCompress and qUncompress in memory are printed for scale.
#include "BenchReport.h"
#include "utility/UArchive.h"
#include "utility/UArchiveHeaderRecord.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

#include <cstdio>

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
    // Where each file sits in the archive and the name it unpacks to.
    struct Entry
    {
        qint64 offset = 0;
        qint64 size = 0;
        QString name;
    };
    QList<Entry> entries;

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
        UArchive archive;
        if (!archive.read(archivePath))
            qFatal("cannot read %s", qPrintable(archivePath));
        for (const UArchiveHeaderRecord *pRecord : archive.header().records())
            entries.append({pRecord->offset(), pRecord->size(), pRecord->archiveName()});
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

bool writeFile(QFile &file, const QByteArray &bytes)
{
    return file.write(bytes) == bytes.size();
}

// Read, compress, append: what packing does, without the archive's table.
void BM_CompressFiles(benchmark::State &state)
{
    const Corpus &c = corpus();
    for (auto _ : state) {
        QFile out(c.dir.filePath(QStringLiteral("reference.cpz")));
        bool bWritten = out.open(QIODevice::WriteOnly | QIODevice::Truncate);
        for (const QString &path : c.paths) {
            QFile source(path);
            bWritten = bWritten && source.open(QIODevice::ReadOnly) && writeFile(out, qCompress(source.readAll()));
        }
        if (!bWritten)
            state.SkipWithError("write failed");
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

// Read, uncompress, write each file: what unpacking does, without the table.
void BM_UncompressFiles(benchmark::State &state)
{
    const Corpus &c = corpus();
    const QString folder = c.dir.filePath(QStringLiteral("reference"));
    for (auto _ : state) {
        // The files of the previous round go first, as the archive empties its folder.
        bool bWritten = QDir(folder).removeRecursively() && QDir().mkpath(folder + QStringLiteral("/project"))
                        && QDir().mkpath(folder + QStringLiteral("/image"));
        QFile archive(c.archivePath);
        bWritten = bWritten && archive.open(QIODevice::ReadOnly);
        for (const Corpus::Entry &entry : c.entries) {
            QFile out(folder + entry.name);
            bWritten = bWritten && archive.seek(entry.offset) && out.open(QIODevice::WriteOnly | QIODevice::Truncate)
                       && writeFile(out, qUncompress(archive.read(entry.size)));
        }
        if (!bWritten)
            state.SkipWithError("write failed");
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
BENCHMARK(BM_CompressFiles)->Unit(benchmark::kMillisecond)->MinTime(2.0)->MeasureProcessCPUTime();
BENCHMARK(BM_Pack)->Unit(benchmark::kMillisecond)->MinTime(2.0)->MeasureProcessCPUTime();
BENCHMARK(BM_Uncompress)->Unit(benchmark::kMillisecond)->MinTime(2.0)->MeasureProcessCPUTime();
BENCHMARK(BM_UncompressFiles)->Unit(benchmark::kMillisecond)->MinTime(2.0)->MeasureProcessCPUTime();
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
    report.printRatio("pack / read, qCompress, write", "BM_Pack", "BM_CompressFiles", 1.15, BenchReport::Clock::Cpu);
    report.printRatio("unpack / read, qUncompress, write", "BM_Unpack", "BM_UncompressFiles", 1.15,
                      BenchReport::Clock::Cpu);
    const double compress = report.time("BM_Compress", BenchReport::Clock::Cpu);
    const double uncompress = report.time("BM_Uncompress", BenchReport::Clock::Cpu);
    if (compress > 0 && uncompress > 0)
        std::printf("for scale, in memory only: pack / qCompress %.2f, unpack / qUncompress %.2f\n",
                    report.time("BM_Pack", BenchReport::Clock::Cpu) / compress,
                    report.time("BM_Unpack", BenchReport::Clock::Cpu) / uncompress);
    return 0;
}
