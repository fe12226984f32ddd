#include "support/TestMain.h"
#include "support/TestSupport.h"
#include "utility/UArchive.h"
#include "utility/UArchiveHeaderRecord.h"

#include <QDirIterator>
#include <QSettings>
#include <QStandardPaths>
#include <QUrl>
#include <QtEndian>
#include <QtTest>

using TestSupport::readAll;

namespace {

QByteArray be32(quint32 value)
{
    QByteArray bytes(4, '\0');
    qToBigEndian(value, bytes.data());
    return bytes;
}

QByteArray utf16le(const QString &text)
{
    QByteArray bytes;
    for (const QChar c : text) {
        bytes.append(char(c.unicode() & 0xFF));
        bytes.append(char(c.unicode() >> 8));
    }
    return bytes;
}

// One record header exactly as laid out in an archive.
QByteArray recordBytes(const QString &name, quint32 offset, quint32 size)
{
    return be32(quint32(name.size())) + utf16le(name) + be32(offset) + be32(size);
}

const QByteArray s_marker = QByteArray::fromHex("10000000");

struct Entry
{
    QString name;
    QByteArray stored;
};

// Marker, count, record headers, then the stored files back to back.
QByteArray buildArchive(const QList<Entry> &entries)
{
    qint64 offset = 8;
    for (const Entry &entry : entries)
        offset += 2 * entry.name.size() + 12;
    QByteArray table = s_marker + be32(quint32(entries.size()));
    QByteArray data;
    for (const Entry &entry : entries) {
        table += recordBytes(entry.name, quint32(offset + data.size()), quint32(entry.stored.size()));
        data += entry.stored;
    }
    return table + data;
}

QByteArray noise(int size, quint32 seed)
{
    QByteArray bytes(size, '\0');
    for (int i = 0; i < size; ++i) {
        seed = seed * 1664525u + 1013904223u;
        bytes[i] = char(seed >> 24);
    }
    return bytes;
}

QByteArray withLength(QByteArray stored, quint32 length)
{
    qToBigEndian(length, stored.data());
    return stored;
}

struct ParsedRecord
{
    QString name;
    quint32 offset;
    quint32 size;
};

// Independent reading of the documented layout, to check what write produced.
QList<ParsedRecord> parseTable(const QByteArray &bytes)
{
    QList<ParsedRecord> records;
    const quint32 count = qFromBigEndian<quint32>(bytes.constData() + 4);
    qint64 pos = 8;
    for (quint32 i = 0; i < count; ++i) {
        const quint32 length = qFromBigEndian<quint32>(bytes.constData() + pos);
        QString name;
        for (quint32 c = 0; c < length; ++c)
            name += QChar(qFromLittleEndian<quint16>(bytes.constData() + pos + 4 + 2 * c));
        pos += 4 + 2 * length;
        records.append({ name, qFromBigEndian<quint32>(bytes.constData() + pos),
                         qFromBigEndian<quint32>(bytes.constData() + pos + 4) });
        pos += 8;
    }
    return records;
}

QStringList archiveNames(const UArchive &archive)
{
    QStringList names;
    for (const UArchiveHeaderRecord *pRecord : archive.header().records())
        names << pRecord->archiveName();
    return names;
}

void setArchiveSetting(const QString &value)
{
    QSettings settings(QStringLiteral("Harlo"), QStringLiteral("Velmora Viviza builder 3.0"));
    settings.setValue(QStringLiteral("Path/Archive"), value);
    settings.sync();
}

}

class TestUArchive : public QObject
{
    Q_OBJECT

private:
    QString work(const QString &relative) const { return m_pDir->path() + QLatin1Char('/') + relative; }
    QString extractFolder() const { return work(QStringLiteral("out/Archive")); }

    QString makeFile(const QString &relative, const QByteArray &bytes) const
    {
        const QString path = work(relative);
        QDir().mkpath(QFileInfo(path).path());
        if (!TestSupport::writeAll(path, bytes))
            qFatal("cannot write %s", qPrintable(path));
        return path;
    }

    // Every file under the work folder but those inside the extraction folder.
    QStringList filesOutsideExtraction() const
    {
        QStringList files;
        QDirIterator it(m_pDir->path(), QDir::Files | QDir::Hidden | QDir::System,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString path = it.next();
            if (!path.startsWith(extractFolder()))
                files << path;
        }
        files.sort();
        return files;
    }

    QTemporaryDir *m_pDir = nullptr;

private slots:
    void init()
    {
        m_pDir = new QTemporaryDir;
        QVERIFY(m_pDir->isValid());
        setArchiveSetting(work(QStringLiteral("out")));
    }

    void cleanup()
    {
        delete m_pDir;
        m_pDir = nullptr;
    }

    void instanceIsSharedUntilDeleted()
    {
        UArchive *pFirst = UArchive::instance();
        QCOMPARE(UArchive::instance(), pFirst);
        pFirst->addFile(QStringLiteral("/tmp/a.png"), QStringLiteral("image"));
        delete pFirst;
        UArchive *pSecond = UArchive::instance();
        QVERIFY(pSecond->header().isEmpty());
        delete pSecond;
    }

    void roundTrip()
    {
        const QByteArray project = QByteArray::fromHex("feff003c") + noise(3000, 1);
        const QByteArray design = QByteArray("<?xml version=\"1.0\"?>\n<VMD>\n").repeated(200);
        const QByteArray picture = noise(5000, 2);
        const QString projectPath = makeFile(QStringLiteral("save/Lobby.cpf"), project);
        const QString designPath = makeFile(QStringLiteral("designs/Lobby.vmp"), design);
        const QString picturePath = makeFile(QStringLiteral("pics/panel.png"), picture);
        const QString emptyPath = makeFile(QStringLiteral("pics/blank.png"), QByteArray());
        const QString iconUrl = QUrl::fromLocalFile(makeFile(QStringLiteral("pics/icon.png"), "icon")).toString();
        const QString builtIn = QStringLiteral("qrc:/data/Velmora/Devices.txt");

        UArchive archive;
        archive.setPath(projectPath);
        QCOMPARE(archive.path(), work(QStringLiteral("save/Lobby.cpz")));
        QCOMPARE(archive.addFile(projectPath), projectPath);
        QCOMPARE(archive.addFile(designPath, QStringLiteral("project")), designPath);
        QCOMPARE(archive.addFile(picturePath, QStringLiteral("image")), picturePath);
        QCOMPARE(archive.addFile(emptyPath, QStringLiteral("image")), emptyPath);
        QCOMPARE(archive.addFile(iconUrl, QStringLiteral("image")), iconUrl);
        QCOMPARE(archive.addFile(builtIn, QStringLiteral("image")), builtIn);
        QVERIFY(archive.write());
        QVERIFY(archive.removeProjectFile());
        QVERIFY(!QFile::exists(projectPath));
        archive.clear();
        QVERIFY(archive.header().isEmpty());

        // The file follows the documented layout, each file stored as qCompress output.
        const QByteArray bytes = readAll(work(QStringLiteral("save/Lobby.cpz")));
        QCOMPARE(bytes.left(4), s_marker);
        const QList<ParsedRecord> table = parseTable(bytes);
        const QStringList expectedNames = { "/Lobby.cpf", "/project/Lobby.vmp", "/image/panel.png",
                                            "/image/blank.png", "/image/icon.png", "/image/Devices.txt" };
        const QList<QByteArray> contents = { project, design, picture, QByteArray(), "icon",
                                             readAll(QStringLiteral(":/data/Velmora/Devices.txt")) };
        QCOMPARE(table.size(), expectedNames.size());
        qint64 expectedOffset = 8;
        for (const QString &name : expectedNames)
            expectedOffset += 2 * name.size() + 12;
        for (int i = 0; i < table.size(); ++i) {
            QCOMPARE(table.at(i).name, expectedNames.at(i));
            QCOMPARE(qint64(table.at(i).offset), expectedOffset);
            QCOMPARE(bytes.mid(table.at(i).offset, table.at(i).size), qCompress(contents.at(i)));
            expectedOffset += table.at(i).size;
        }
        QCOMPARE(qint64(bytes.size()), expectedOffset);

        UArchive reader;
        QVERIFY(reader.read(work(QStringLiteral("save/Lobby.cpz"))));
        QCOMPARE(reader.path(), work(QStringLiteral("save/Lobby.cpz")));
        QCOMPARE(archiveNames(reader), expectedNames);
        for (int i = 0; i < expectedNames.size(); ++i)
            QCOMPARE(readAll(extractFolder() + expectedNames.at(i)), contents.at(i));
        QVERIFY(QFileInfo(extractFolder() + QStringLiteral("/image/blank.png")).isFile());
        QCOMPARE(reader.findLocalPath(QStringLiteral(".cpf")), extractFolder() + QStringLiteral("/Lobby.cpf"));
        QCOMPARE(reader.findLocalPath(QStringLiteral(".vmp")), extractFolder() + QStringLiteral("/project/Lobby.vmp"));
        QCOMPARE(reader.findLocalPath(QStringLiteral(".xyz")), QString());
    }

    void fileUrl_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("found");
        QTest::addColumn<QString>("extracted");
        QTest::newRow("stored path") << "/home/someone/pics/panel.png" << true << "/image/panel.png";
        QTest::newRow("other folder, same name") << "C:/Users/someone/panel.png" << true << "/image/panel.png";
        QTest::newRow("file url") << "file:///elsewhere/logo.png" << true << "/image/logo.png";
        QTest::newRow("unknown name") << "/pics/other.png" << false << QString();
        QTest::newRow("no slash") << "panel.png" << false << QString();
        QTest::newRow("folder only") << "/pics/" << false << QString();
    }

    void fileUrl()
    {
        QFETCH(QString, name);
        QFETCH(bool, found);
        QFETCH(QString, extracted);
        const QString archivePath = makeFile(QStringLiteral("a.cpz"), buildArchive({
            { "/Lobby.cpf", qCompress("<VMD/>") },
            { "/image/panel.png", qCompress("png") },
            { "/image/logo.png", qCompress("logo") } }));

        UArchive archive;
        QString unread = name;
        QVERIFY(!archive.fileUrl(unread));
        QVERIFY(archive.read(archivePath));
        QString resolved = name;
        QCOMPARE(archive.fileUrl(resolved), found);
        QCOMPARE(resolved, found ? QUrl::fromLocalFile(extractFolder() + extracted).toString() : name);
        if (found)
            QVERIFY(QFileInfo::exists(QUrl(resolved).toLocalFile()));
    }

    void handBuiltArchiveOpens()
    {
        const QByteArray bytes = buildArchive({
            { "/P.cpf", qCompress(QByteArray("<VMD>\n</VMD>\n")) },
            { "/project/D.vmp", qCompress(QByteArray("design").repeated(1000)) },
            { "/image/empty.png", QByteArray::fromHex("00000000") },
            { "/image/skipped.png", QByteArray() },
            { "/image/i.png", qCompress(noise(777, 3), 9) } });
        UArchive archive;
        QVERIFY(archive.read(makeFile(QStringLiteral("hand.cpz"), bytes)));
        QCOMPARE(readAll(extractFolder() + "/P.cpf"), QByteArray("<VMD>\n</VMD>\n"));
        QCOMPARE(readAll(extractFolder() + "/project/D.vmp"), QByteArray("design").repeated(1000));
        QCOMPARE(readAll(extractFolder() + "/image/i.png"), noise(777, 3));
        for (const char *empty : { "/image/empty.png", "/image/skipped.png" }) {
            QVERIFY(QFileInfo(extractFolder() + empty).isFile());
            QCOMPARE(QFileInfo(extractFolder() + empty).size(), 0);
        }
        const QList<UArchiveHeaderRecord *> &records = archive.header().records();
        QCOMPARE(records.size(), 5);
        QCOMPARE(records.at(1)->nameLength(), 14u);
        QCOMPARE(records.at(1)->localPath(), extractFolder() + "/project/D.vmp");
        QCOMPARE(records.at(0)->header(), &archive.header());
    }

    void duplicateNamesUnpackTheLast()
    {
        // Older packers stored two files of the same name from different folders.
        const QString archivePath = makeFile(QStringLiteral("dup.cpz"), buildArchive({
            { "/image/a.png", qCompress(noise(200000, 10)) },
            { "/image/a.png", qCompress("second") } }));
        UArchive archive;
        QVERIFY(archive.read(archivePath));
        QCOMPARE(readAll(extractFolder() + "/image/a.png"), QByteArray("second"));
        QCOMPARE(archive.header().records().size(), 2);
    }

    void emptyArchive()
    {
        UArchive writer;
        writer.setPath(work(QStringLiteral("empty.cpf")));
        QVERIFY(writer.write());
        const QByteArray bytes = readAll(work(QStringLiteral("empty.cpz")));
        QCOMPARE(bytes, QByteArray::fromHex("1000000000000000"));

        UArchive reader;
        QVERIFY(reader.read(work(QStringLiteral("empty.cpz"))));
        QVERIFY(reader.header().isEmpty());
        QVERIFY(QFileInfo(extractFolder()).isDir());
        QCOMPARE(reader.findLocalPath(QStringLiteral(".cpf")), QString());
    }

    void addFile_data()
    {
        // Each entry is "path|folder"; every call must hand the path back unchanged.
        QTest::addColumn<QStringList>("calls");
        QTest::addColumn<QStringList>("names");
        QTest::newRow("three forms") << QStringList { "/a/Lobby.cpf|", "/b/Lobby.vmp|project", "/c/p.png|image" }
                                     << QStringList { "/Lobby.cpf", "/project/Lobby.vmp", "/image/p.png" };
        QTest::newRow("duplicate local path") << QStringList { "/a/p.png|image", "/a/p.png|image", "/a/p.png|" }
                                              << QStringList { "/image/p.png" };
        QTest::newRow("parent reference refused") << QStringList { "/a/../p.png|image", "../p.png|" }
                                                  << QStringList {};
        QTest::newRow("empty refused") << QStringList { "|image", "|" } << QStringList {};
        QTest::newRow("same name in two source folders")
            << QStringList { "/a/p.png|image", "/b/p.png|image" } << QStringList { "/image/p.png" };
        QTest::newRow("same name in two archive folders")
            << QStringList { "/a/p.png|", "/b/p.png|image", "/c/p.png|project" }
            << QStringList { "/p.png", "/image/p.png", "/project/p.png" };
        QTest::newRow("path without slash") << QStringList { "Lobby.cpf|", "p.png|image" }
                                            << QStringList { "/Lobby.cpf", "/image/p.png" };
        QTest::newRow("unknown folder refused") << QStringList { "/a/p.png|other", "/a/q.png|image/sub" }
                                                << QStringList {};
        QTest::newRow("names the reader refuses") << QStringList { "C:\\pics\\p.png|image", "/a/c:d.png|image", "/a/|" }
                                                  << QStringList {};
    }

    void addFile()
    {
        QFETCH(QStringList, calls);
        QFETCH(QStringList, names);
        UArchive archive;
        for (const QString &call : calls) {
            const QString path = call.section(QLatin1Char('|'), 0, 0);
            QCOMPARE(archive.addFile(path, call.section(QLatin1Char('|'), 1)), path);
        }
        QCOMPARE(archiveNames(archive), names);
    }

    // Pictures named by text from the clipboard: what a save could pack
    // must be a file the archive already lists.
    void acceptsImageReference_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("empty") << "" << true;
        QTest::newRow("built-in name") << "mute_on" << true;
        QTest::newRow("built-in image") << "../images/skins/Light/mute_off.png" << true;
        QTest::newRow("resource") << ":/images/Paste.png" << true;
        QTest::newRow("resource url") << "qrc:/images/Paste.png" << true;
        QTest::newRow("listed file") << "/a/p.png" << true;
        QTest::newRow("listed file as url") << "file:///a/p.png" << true;
        QTest::newRow("unlisted absolute file") << "/etc/passwd" << false;
        QTest::newRow("unlisted file url") << "file:///home/u/secret.png" << false;
        QTest::newRow("listed file reached through ..") << "/b/../a/p.png" << false;
        QTest::newRow("climbing out of the built-in images") << "../images/../../secret.png" << false;
        QTest::newRow("parent folder") << "../secret.png" << false;
        QTest::newRow("resource with ..") << ":/../x.png" << false;
        QTest::newRow("file of the working folder") << "secret.png" << false;
        QTest::newRow("relative folder") << "pics/p.png" << false;
        QTest::newRow("remote") << "http://example.com/p.png" << false;
        QTest::newRow("windows path") << "C:\\pics\\p.png" << false;
    }

    void acceptsImageReference()
    {
        QFETCH(QString, text);
        QFETCH(bool, accepted);
        UArchive archive;
        archive.addFile(QStringLiteral("/a/p.png"), QStringLiteral("image"));
        QCOMPARE(archive.acceptsImageReference(text), accepted);
    }

    void sameNameInTwoFoldersRoundTrip()
    {
        UArchive archive;
        archive.setPath(work(QStringLiteral("two.cpz")));
        archive.addFile(makeFile(QStringLiteral("a/Lobby.xml"), "top"));
        archive.addFile(makeFile(QStringLiteral("b/Lobby.xml"), "design"), QStringLiteral("project"));
        archive.addFile(makeFile(QStringLiteral("c/Lobby.xml"), "picture"), QStringLiteral("image"));
        QVERIFY(archive.write());
        UArchive reader;
        QVERIFY(reader.read(archive.path()));
        QCOMPARE(readAll(extractFolder() + "/Lobby.xml"), QByteArray("top"));
        QCOMPARE(readAll(extractFolder() + "/project/Lobby.xml"), QByteArray("design"));
        QCOMPARE(readAll(extractFolder() + "/image/Lobby.xml"), QByteArray("picture"));
    }

    void findLocalPathMatchesSuffix()
    {
        // A dotted extraction folder puts ".cpf" and ".vmp" inside every path.
        setArchiveSetting(work(QStringLiteral("old.cpf.vmp")));
        const QString archivePath = makeFile(QStringLiteral("a.cpz"), buildArchive({
            { "/notes.cpf.txt", qCompress("n") },
            { "/Lobby.cpf", qCompress("p") },
            { "/project/Lobby.vmp", qCompress("d") } }));
        UArchive archive;
        QVERIFY(archive.read(archivePath));
        const QString folder = work(QStringLiteral("old.cpf.vmp/Archive"));
        QCOMPARE(archive.findLocalPath(QStringLiteral(".cpf")), folder + "/Lobby.cpf");
        QCOMPARE(archive.findLocalPath(QStringLiteral(".vmp")), folder + "/project/Lobby.vmp");
    }

    void setPath_data()
    {
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<QString>("path");
        QTest::newRow("project file") << "/p/Lobby.cpf" << "/p/Lobby.cpz";
        QTest::newRow("archive kept") << "/p/Lobby.cpz" << "/p/Lobby.cpz";
        QTest::newRow("last dot only") << "/p/Lobby.v2.cpf" << "/p/Lobby.v2.cpz";
        QTest::newRow("no extension") << "/p/Lobby" << "/p/Lobby.cpz";
        QTest::newRow("dotted folder") << "/p/v1.2/Lobby" << "/p/v1.2/Lobby.cpz";
        QTest::newRow("dotted folder with extension") << "/p/v1.2/Lobby.cpf" << "/p/v1.2/Lobby.cpz";
        QTest::newRow("bare name") << "Lobby" << "Lobby.cpz";
        QTest::newRow("bare name with extension") << "Lobby.cpf" << "Lobby.cpz";
    }

    void setPath()
    {
        QFETCH(QString, fileName);
        QFETCH(QString, path);
        UArchive archive;
        archive.setPath(fileName);
        QCOMPARE(archive.path(), path);
    }

    void removeProjectFileDeletesOnlyItsTwin()
    {
        const QString twin = makeFile(QStringLiteral("v1.2/Lobby.cpf"), "p");
        const QStringList others = { makeFile(QStringLiteral("v1.cpf"), "x"),
                                     makeFile(QStringLiteral("v1.2/Lobby.cpf.bak"), "x"),
                                     makeFile(QStringLiteral("v1.2/Other.cpf"), "x") };
        UArchive archive;
        QVERIFY(!archive.removeProjectFile());
        archive.setPath(work(QStringLiteral("v1.2/Lobby")));
        QVERIFY(archive.removeProjectFile());
        QVERIFY(!QFile::exists(twin));
        for (const QString &other : others)
            QVERIFY2(QFile::exists(other), qPrintable(other));
        QVERIFY(!archive.removeProjectFile());
    }

    void isArchiveFile_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("archive");
        QTest::newRow("archive") << QByteArray::fromHex("1000000000000000") << true;
        QTest::newRow("archive with records") << buildArchive({ { "/a", qCompress("a") } }) << true;
        QTest::newRow("utf-16 project file") << QByteArray::fromHex("feff003c003f0078006d006c") << false;
        QTest::newRow("xml text") << QByteArray("<?xml version=\"1.0\"?><VMD/>") << false;
        QTest::newRow("text without declaration") << QByteArray("<VMD></VMD>") << false;
        QTest::newRow("short") << QByteArray::fromHex("100000") << false;
        QTest::newRow("marker only") << QByteArray::fromHex("10000000") << false;
        QTest::newRow("empty") << QByteArray() << false;
    }

    void isArchiveFile()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, archive);
        QCOMPARE(UArchive::isArchiveFile(makeFile(QStringLiteral("f.bin"), bytes)), archive);
    }

    void isArchiveFileNeedsAReadableFile()
    {
        QVERIFY(!UArchive::isArchiveFile(work(QStringLiteral("missing.cpz"))));
        QVERIFY(!UArchive::isArchiveFile(m_pDir->path()));
        QVERIFY(!UArchive::isArchiveFile(QString()));
    }

    void hostileArchive_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        const QByteArray evil = qCompress("evil");
        const auto single = [&](const QString &name) { return buildArchive({ { name, evil } }); };
        QTest::newRow("parent of root") << single(QStringLiteral("/../x"));
        QTest::newRow("parent of folder") << single(QStringLiteral("/project/../../x"));
        QTest::newRow("parent in file name") << single(QStringLiteral("/image/.."));
        QTest::newRow("current folder") << single(QStringLiteral("/."));
        QTest::newRow("backslash") << single(QStringLiteral("\\x"));
        QTest::newRow("backslash parent") << single(QStringLiteral("/..\\..\\x"));
        QTest::newRow("drive") << single(QStringLiteral("C:x"));
        QTest::newRow("colon") << single(QStringLiteral("/C:x"));
        QTest::newRow("nul") << single(QStringLiteral("/x") + QChar(0) + QStringLiteral(".png"));
        QTest::newRow("empty segment") << single(QStringLiteral("//x"));
        QTest::newRow("empty segment in folder") << single(QStringLiteral("/project//x"));
        QTest::newRow("empty file name") << single(QStringLiteral("/image/"));
        QTest::newRow("root only") << single(QStringLiteral("/"));
        QTest::newRow("no leading slash") << single(QStringLiteral("x"));
        QTest::newRow("unknown folder") << single(QStringLiteral("/other/x"));
        QTest::newRow("nested folder") << single(QStringLiteral("/project/sub/x"));
        QTest::newRow("empty name") << single(QString());
        QTest::newRow("one bad name among good")
            << buildArchive({ { "/a.cpf", evil }, { "/../x", evil }, { "/image/b.png", evil } });

        const QByteArray good = buildArchive({ { "/x", evil } });
        const qint64 dataAt = 8 + 2 * 2 + 12;
        QTest::newRow("huge count") << s_marker + be32(0xFFFFFFFFu) + good.mid(8);
        QTest::newRow("count past records") << s_marker + be32(3) + good.mid(8);
        QTest::newRow("count without records") << s_marker + be32(1);
        QTest::newRow("name length past end") << s_marker + be32(1) + be32(0x7FFFFFFFu) + utf16le("/x")
                                                     + be32(dataAt) + be32(evil.size()) + evil;
        QTest::newRow("name length wraps") << s_marker + be32(1) + be32(0xFFFFFFFFu) + good.mid(12);
        QTest::newRow("offset past end") << s_marker + be32(1) + recordBytes("/x", 0x10000, evil.size()) + evil;
        QTest::newRow("size past end") << s_marker + be32(1) + recordBytes("/x", dataAt, evil.size() + 1) + evil;
        QTest::newRow("offset and size wrap")
            << s_marker + be32(1) + recordBytes("/x", 0xFFFFFFF0u, 0x20) + evil;
        QTest::newRow("offset inside table") << s_marker + be32(1) + recordBytes("/x", 0, evil.size()) + evil;
        QTest::newRow("overlapping files")
            << s_marker + be32(2) + recordBytes("/x", 44, evil.size()) + recordBytes("/y", 44, evil.size()) + evil;

        const QByteArray zeros = qCompress(QByteArray(1 << 20, '\0'));
        QTest::newRow("length above cap") << single(QStringLiteral("/x")).left(dataAt)
                                                 + withLength(evil, UArchive::MaxEntrySize + 1);
        QTest::newRow("length at maximum") << buildArchive({ { "/x", withLength(evil, 0xFFFFFFFFu) } });
        QTest::newRow("understated length") << buildArchive({ { "/x", withLength(zeros, 1) } });
        QTest::newRow("zero length with content") << buildArchive({ { "/x", withLength(zeros, 0) } });
        QTest::newRow("overstated length") << buildArchive({ { "/x", withLength(evil, 1000) } });
        QTest::newRow("stored too short") << buildArchive({ { "/x", QByteArray::fromHex("000001") } });
        QByteArray corrupt = qCompress(QByteArray("some text to corrupt").repeated(50));
        corrupt[corrupt.size() / 2] = char(corrupt.at(corrupt.size() / 2) ^ 0x55);
        QTest::newRow("corrupt stream") << buildArchive({ { "/x", corrupt } });
        QTest::newRow("stream cut short") << buildArchive({ { "/x", zeros.left(zeros.size() - 6) } });
        QTest::newRow("trailing bytes") << buildArchive({ { "/x", evil + "junk" } });
        QTest::newRow("corrupt after good files")
            << buildArchive({ { "/a.cpf", qCompress(noise(300000, 9)) }, { "/project/b.vmp", qCompress("b") },
                              { "/image/c.png", corrupt } });
        QTest::newRow("file where a folder is needed")
            << buildArchive({ { "/image", qCompress("i") }, { "/image/x", evil } });

        const QByteArray twoFiles = buildArchive({ { "/a.cpf", qCompress(noise(4000, 5)) },
                                                   { "/image/b.png", qCompress(noise(4000, 6)) } });
        QTest::newRow("truncated in table") << twoFiles.left(20);
        QTest::newRow("truncated in data") << twoFiles.left(twoFiles.size() - 10);
        QTest::newRow("png") << QByteArray::fromHex("89504e470d0a1a0a0000000d49484452") + noise(500, 7);
        QTest::newRow("noise") << QByteArray::fromHex("01020304") + noise(4000, 8);
    }

    void hostileArchive()
    {
        QFETCH(QByteArray, bytes);
        const QString archivePath = makeFile(QStringLiteral("in/hostile.cpz"), bytes);
        const QStringList before = filesOutsideExtraction();
        const QStringList currentBefore = QDir::current().entryList(QDir::AllEntries | QDir::NoDotAndDotDot);

        UArchive archive;
        QVERIFY(UArchive::isArchiveFile(archivePath));
        QVERIFY(!archive.read(archivePath));
        QVERIFY(archive.header().isEmpty());
        QCOMPARE(archive.path(), QString());
        QCOMPARE(archive.findLocalPath(QStringLiteral("x")), QString());
        QCOMPARE(filesOutsideExtraction(), before);
        QCOMPARE(QDir::current().entryList(QDir::AllEntries | QDir::NoDotAndDotDot), currentBefore);
        QVERIFY(!QFile::exists(QStringLiteral("/x")));
    }

    void refusedTableKeepsRecords()
    {
        UArchive archive;
        archive.setPath(work(QStringLiteral("kept.cpf")));
        archive.addFile(work(QStringLiteral("kept.cpf")));
        const QString archivePath = makeFile(QStringLiteral("bad.cpz"), buildArchive({ { "/../x", qCompress("x") } }));
        QVERIFY(!archive.read(archivePath));
        QCOMPARE(archiveNames(archive), QStringList { "/kept.cpf" });
        QCOMPARE(archive.path(), work(QStringLiteral("kept.cpz")));
        QVERIFY(!QFileInfo::exists(extractFolder()));
    }

    void writeFailureKeepsArchive_data()
    {
        QTest::addColumn<QString>("source");
        QTest::newRow("missing source") << QStringLiteral("missing.png");
        QTest::newRow("folder as source") << QStringLiteral("pics");
        QTest::newRow("unreadable source") << QStringLiteral("pics/locked.png");
        QTest::newRow("source too large to unpack") << QStringLiteral("pics/huge.png");
    }

    void writeFailureKeepsArchive()
    {
        QFETCH(QString, source);
        QFile huge(makeFile(QStringLiteral("pics/huge.png"), QByteArray()));
        QVERIFY(huge.open(QIODevice::WriteOnly) && huge.resize(qint64(UArchive::MaxEntrySize) + 1));
        huge.close();
        const QString locked = makeFile(QStringLiteral("pics/locked.png"), "locked");
        QFile::setPermissions(locked, QFileDevice::Permissions());
        if (source == QLatin1String("pics/locked.png") && QFile(locked).open(QIODevice::ReadOnly))
            QSKIP("file permissions do not apply to this user");
        const QByteArray previous = buildArchive({ { "/old.cpf", qCompress("old") } });
        const QString archivePath = makeFile(QStringLiteral("save/Lobby.cpz"), previous);

        UArchive archive;
        archive.setPath(archivePath);
        archive.addFile(makeFile(QStringLiteral("save/Lobby.cpf"), "new"));
        archive.addFile(work(source), QStringLiteral("image"));
        QVERIFY(!archive.write());
        QCOMPARE(readAll(archivePath), previous);
        QCOMPARE(QDir(work(QStringLiteral("save"))).entryList(QDir::Files),
                 QStringList({ "Lobby.cpf", "Lobby.cpz" }));
    }

    void unreadableFilesAreLeftOut_data() { writeFailureKeepsArchive_data(); }

    // Taken off the list before writing, the rest is stored and reads back.
    void unreadableFilesAreLeftOut()
    {
        QFETCH(QString, source);
        QFile huge(makeFile(QStringLiteral("pics/huge.png"), QByteArray()));
        QVERIFY(huge.open(QIODevice::WriteOnly) && huge.resize(qint64(UArchive::MaxEntrySize) + 1));
        huge.close();
        const QString locked = makeFile(QStringLiteral("pics/locked.png"), "locked");
        QFile::setPermissions(locked, QFileDevice::Permissions());
        if (source == QLatin1String("pics/locked.png") && QFile(locked).open(QIODevice::ReadOnly))
            QSKIP("file permissions do not apply to this user");
        const QString archivePath = work(QStringLiteral("save/Lobby.cpz"));

        UArchive archive;
        archive.setPath(archivePath);
        archive.addFile(makeFile(QStringLiteral("save/Lobby.cpf"), "new"));
        archive.addFile(makeFile(QStringLiteral("pics/fine.png"), "fine"), QStringLiteral("image"));
        archive.addFile(work(source), QStringLiteral("image"));
        QCOMPARE(archive.dropUnreadableFiles(), QStringList{work(source)});
        QVERIFY(archive.write());

        UArchive opened;
        QVERIFY(opened.read(archivePath));
        QCOMPARE(archiveNames(opened), (QStringList{"/Lobby.cpf", "/image/fine.png"}));
        QCOMPARE(readAll(opened.findLocalPath(QStringLiteral("fine.png"))), QByteArray("fine"));
    }

    void unwritableTarget()
    {
        makeFile(QStringLiteral("plain"), "not a folder");
        QDir().mkpath(work(QStringLiteral("folder.cpz")));
        UArchive archive;
        archive.addFile(makeFile(QStringLiteral("Lobby.cpf"), "p"));
        QVERIFY(!archive.write());
        archive.setPath(work(QStringLiteral("plain/Lobby.cpf")));
        QVERIFY(!archive.write());
        archive.setPath(work(QStringLiteral("folder")));
        QVERIFY(!archive.write());
        QVERIFY(QFileInfo(work(QStringLiteral("folder.cpz"))).isDir());
    }

    void readOnlyFolderKeepsArchive()
    {
        const QByteArray previous = buildArchive({ { "/old.cpf", qCompress("old") } });
        const QString archivePath = makeFile(QStringLiteral("ro/Lobby.cpz"), previous);
        const QString folder = work(QStringLiteral("ro"));
        QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
        if (QFile(folder + "/probe").open(QIODevice::WriteOnly)) {
            QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
            QSKIP("folder permissions do not apply to this user");
        }
        UArchive archive;
        archive.setPath(archivePath);
        archive.addFile(makeFile(QStringLiteral("Lobby.cpf"), "new"));
        const bool bWritten = archive.write();
        QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        QVERIFY(!bWritten);
        QCOMPARE(readAll(archivePath), previous);
    }

    void foreignFolderIsLeftAloneAndAFreshOneUsed_data()
    {
        QTest::addColumn<bool>("asFile");
        QTest::newRow("folder") << false;
        QTest::newRow("file") << true;
    }

    void foreignFolderIsLeftAloneAndAFreshOneUsed()
    {
        QFETCH(bool, asFile);
        const QString keep = asFile ? makeFile(QStringLiteral("out/Archive"), "mine")
                                    : makeFile(QStringLiteral("out/Archive/keep.txt"), "mine");
        const QString archivePath = makeFile(QStringLiteral("a.cpz"), buildArchive({ { "/keep.txt", qCompress("x") } }));
        UArchive archive;
        // Left alone, and every open still works in a fresh folder beside it.
        for (int open = 0; open < 2; ++open) {
            QVERIFY(archive.read(archivePath));
            QCOMPARE(readAll(keep), QByteArray("mine"));
            QVERIFY(!QFileInfo::exists(extractFolder() + QLatin1Char('/') + UArchive::MarkerFileName));
            const QString unpacked = archive.findLocalPath(QStringLiteral("keep.txt"));
            QCOMPARE(unpacked, extractFolder() + QStringLiteral("-2/keep.txt"));
            QCOMPARE(readAll(unpacked), QByteArray("x"));
        }
        QCOMPARE(UArchive::extractFolderPath(), extractFolder() + QStringLiteral("-2"));
    }

    void ownFolderIsRefilled()
    {
        const QString first = makeFile(QStringLiteral("a.cpz"), buildArchive({ { "/a.cpf", qCompress("a") } }));
        const QString second = makeFile(QStringLiteral("b.cpz"), buildArchive({ { "/b.cpf", qCompress("b") } }));
        UArchive archive;
        QVERIFY(archive.read(first));
        QVERIFY(QFileInfo(extractFolder() + QLatin1Char('/') + UArchive::MarkerFileName).isFile());
        makeFile(QStringLiteral("out/Archive/stale.txt"), "stale");
        QVERIFY(archive.read(second));
        QVERIFY(!QFileInfo::exists(extractFolder() + "/a.cpf"));
        QVERIFY(!QFileInfo::exists(extractFolder() + "/stale.txt"));
        QCOMPARE(readAll(extractFolder() + "/b.cpf"), QByteArray("b"));
        QCOMPARE(archiveNames(archive), QStringList { "/b.cpf" });
        QCOMPARE(archive.path(), second);
        QVERIFY(!QFileInfo::exists(extractFolder() + ".old"));
    }

    void leftoverBesideTheFolder_data()
    {
        QTest::addColumn<bool>("own");
        QTest::newRow("left by this program") << true;
        QTest::newRow("someone else's") << false;
    }

    void leftoverBesideTheFolder()
    {
        // The previous content is moved beside the folder while it is removed;
        // what an interrupted run left there goes only when it carries the marker.
        QFETCH(bool, own);
        const QString archivePath = makeFile(QStringLiteral("a.cpz"), buildArchive({ { "/a.cpf", qCompress("a") } }));
        UArchive archive;
        QVERIFY(archive.read(archivePath));
        const QString leftover = makeFile(QStringLiteral("out/Archive.old/keep.txt"), "mine");
        if (own)
            makeFile(QStringLiteral("out/Archive.old/") + UArchive::MarkerFileName, QByteArray());
        QVERIFY(archive.read(archivePath));
        QCOMPARE(readAll(extractFolder() + "/a.cpf"), QByteArray("a"));
        QCOMPARE(QFileInfo::exists(leftover), !own);
    }

    void extractFolderPath_data()
    {
        QTest::addColumn<QString>("setting");
        QTest::addColumn<QString>("folder");
        QTest::newRow("folder") << "base" << "base/Archive";
        QTest::newRow("trailing slash") << "base/" << "base/Archive";
        QTest::newRow("backslashes") << "base\\deeper\\" << "base/deeper/Archive";
        QTest::newRow("missing parents") << "a/b/c" << "a/b/c/Archive";
    }

    void extractFolderPath()
    {
        QFETCH(QString, setting);
        QFETCH(QString, folder);
        setArchiveSetting(work(setting));
        QCOMPARE(UArchive::extractFolderPath(), work(folder));
        UArchive archive;
        QVERIFY(archive.read(makeFile(QStringLiteral("a.cpz"), buildArchive({ { "/a.cpf", qCompress("a") } }))));
        QCOMPARE(archive.findLocalPath(QStringLiteral(".cpf")), work(folder) + "/a.cpf");
    }

    void emptySettingUsesCache()
    {
        setArchiveSetting(QString());
        const QString cache = QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
        QVERIFY(!cache.isEmpty());
        QCOMPARE(UArchive::extractFolderPath(), cache + "/Archive");
        UArchive archive;
        QVERIFY(archive.read(makeFile(QStringLiteral("a.cpz"), buildArchive({ { "/a.cpf", qCompress("a") } }))));
        QCOMPARE(readAll(cache + "/Archive/a.cpf"), QByteArray("a"));
        QVERIFY(!QFileInfo::exists(QDir::current().filePath(QStringLiteral("Archive"))));
        QVERIFY(QDir(cache + "/Archive").removeRecursively());
    }
};

VVB_TEST_MAIN(TestUArchive)
#include "tst_uarchive.moc"
