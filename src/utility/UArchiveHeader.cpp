#include "utility/UArchiveHeader.h"

#include "utility/UArchiveHeaderRecord.h"

#include <QIODevice>
#include <QtEndian>

#include <algorithm>
#include <utility>

namespace {

const quint32 s_nMarker = 16;
const qint64 s_nTableStart = 8;
// A record header without its name: length, offset and size.
const qint64 s_nRecordFixedBytes = 12;

bool readNumber(QIODevice &device, quint32 &value)
{
    uchar bytes[4];
    if (device.read(reinterpret_cast<char *>(bytes), 4) != 4)
        return false;
    value = qFromBigEndian<quint32>(bytes);
    return true;
}

void appendNumber(QByteArray &bytes, quint32 value)
{
    uchar raw[4];
    qToBigEndian(value, raw);
    bytes.append(reinterpret_cast<const char *>(raw), 4);
}

QString decodeName(const QByteArray &raw)
{
    QString name(raw.size() / 2, Qt::Uninitialized);
    for (int i = 0; i < name.size(); ++i)
        name[i] = QChar(qFromLittleEndian<quint16>(raw.constData() + 2 * i));
    return name;
}

void appendName(QByteArray &bytes, const QString &name)
{
    for (const QChar c : name) {
        uchar raw[2];
        qToLittleEndian(c.unicode(), raw);
        bytes.append(reinterpret_cast<const char *>(raw), 2);
    }
}

}

UArchiveHeader::UArchiveHeader() = default;

UArchiveHeader::~UArchiveHeader()
{
    clear();
}

void UArchiveHeader::append(UArchiveHeaderRecord *pRecord)
{
    pRecord->setHeader(this);
    m_records.append(pRecord);
}

void UArchiveHeader::remove(UArchiveHeaderRecord *pRecord)
{
    if (m_records.removeOne(pRecord))
        delete pRecord;
}

void UArchiveHeader::clear()
{
    qDeleteAll(m_records);
    m_records.clear();
}

void UArchiveHeader::takeRecords(UArchiveHeader &other)
{
    clear();
    m_records = std::exchange(other.m_records, {});
    for (UArchiveHeaderRecord *pRecord : std::as_const(m_records))
        pRecord->setHeader(this);
}

UArchiveHeaderRecord *UArchiveHeader::findByLocalPath(const QString &localPath) const
{
    for (UArchiveHeaderRecord *pRecord : m_records) {
        if (pRecord->localPath() == localPath)
            return pRecord;
    }
    return nullptr;
}

UArchiveHeaderRecord *UArchiveHeader::findByArchiveName(const QString &archiveName) const
{
    for (UArchiveHeaderRecord *pRecord : m_records) {
        if (pRecord->archiveName() == archiveName)
            return pRecord;
    }
    return nullptr;
}

qint64 UArchiveHeader::byteSize() const
{
    qint64 size = s_nTableStart;
    for (const UArchiveHeaderRecord *pRecord : m_records)
        size += pRecord->headerBytes();
    return size;
}

bool UArchiveHeader::writeTo(QIODevice &device) const
{
    QByteArray bytes;
    bytes.reserve(byteSize());
    uchar marker[4];
    qToLittleEndian(s_nMarker, marker);
    bytes.append(reinterpret_cast<const char *>(marker), 4);
    appendNumber(bytes, quint32(m_records.size()));
    for (UArchiveHeaderRecord *pRecord : m_records) {
        pRecord->setNameLength(quint32(pRecord->archiveName().size()));
        appendNumber(bytes, pRecord->nameLength());
        appendName(bytes, pRecord->archiveName());
        appendNumber(bytes, pRecord->offset());
        appendNumber(bytes, pRecord->size());
    }
    return device.write(bytes) == bytes.size();
}

bool UArchiveHeader::readFrom(QIODevice &device, quint32 maxEntrySize)
{
    clear();
    quint32 count = 0;
    const bool bRead = device.seek(4) && readNumber(device, count) && readRecords(device, count)
                       && storedRangesFit(device.size()) && storedLengthsFit(device, maxEntrySize);
    if (!bRead)
        clear();
    return bRead;
}

bool UArchiveHeader::readRecords(QIODevice &device, quint32 count)
{
    // Every record takes at least its fixed part, so a forged count fails here
    // instead of making the loop run or allocate for it.
    if (s_nTableStart + qint64(count) * s_nRecordFixedBytes > device.size())
        return false;
    for (quint32 i = 0; i < count; ++i) {
        if (!readRecord(device))
            return false;
    }
    return true;
}

bool UArchiveHeader::readRecord(QIODevice &device)
{
    quint32 length = 0;
    if (!readNumber(device, length) || device.pos() + 2 * qint64(length) + 8 > device.size())
        return false;
    const QByteArray raw = device.read(2 * qint64(length));
    quint32 offset = 0;
    quint32 size = 0;
    if (raw.size() != 2 * qint64(length) || !readNumber(device, offset) || !readNumber(device, size))
        return false;
    const QString name = decodeName(raw);
    if (!UArchiveHeaderRecord::isValidArchiveName(name))
        return false;
    auto *pRecord = new UArchiveHeaderRecord(QString(), name);
    pRecord->setOffset(offset);
    pRecord->setSize(size);
    append(pRecord);
    return true;
}

bool UArchiveHeader::storedRangesFit(qint64 fileSize) const
{
    const qint64 dataStart = byteSize();
    QList<std::pair<qint64, qint64>> ranges;
    for (const UArchiveHeaderRecord *pRecord : m_records) {
        const qint64 end = qint64(pRecord->offset()) + pRecord->size();
        if (pRecord->offset() < dataStart || end > fileSize)
            return false;
        if (pRecord->size() > 0)
            ranges.append({ pRecord->offset(), end });
    }
    std::sort(ranges.begin(), ranges.end());
    for (int i = 1; i < ranges.size(); ++i) {
        if (ranges.at(i).first < ranges.at(i - 1).second)
            return false;
    }
    return true;
}

bool UArchiveHeader::storedLengthsFit(QIODevice &device, quint32 maxEntrySize) const
{
    // A stored file is empty or begins with the big-endian length of its content.
    for (const UArchiveHeaderRecord *pRecord : m_records) {
        if (pRecord->size() == 0)
            continue;
        quint32 length = 0;
        if (pRecord->size() < 4 || !device.seek(pRecord->offset()) || !readNumber(device, length)
            || length > maxEntrySize)
            return false;
    }
    return true;
}
