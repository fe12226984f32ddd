#include "hardware/HDeviceModels.h"

#include <QFile>
#include <QHash>

#include <array>

namespace {

// Card positions of one processor model, by bands of module numbers
// 1-4, 5-8, 9-12 and 13-16 (0: the band has no position).
struct CardRow
{
    std::array<int, 4> inputs;
    std::array<int, 4> outputs;
    std::array<const char *, 5> kinds; // further module kinds, in test order
    std::array<int, 5> kindPositions;
};

const std::array<CardRow, 7> &cardRows()
{
    static const std::array<CardRow, 7> rows = {{
        {{3, 4, 5, 0}, {1, 2, 0, 0}, {"DivErov", "Dante", "VoIP", "USB", "PSTN"}, {6, 7, 9, 10, 11}},
        {{1, 3, 0, 0}, {2, 4, 0, 0}, {"DivErov", "KRXLink", "Dante", nullptr, nullptr}, {5, 5, 6, 0, 0}},
        {{1, 3, 4, 0}, {2, 0, 0, 0}, {"DivErov", "KRXLink", "Dante", nullptr, nullptr}, {5, 5, 6, 0, 0}},
        {{1, 0, 0, 0}, {2, 3, 4, 0}, {"DivErov", "KRXLink", nullptr, nullptr, nullptr}, {5, 5, 0, 0, 0}},
        {{1, 2, 3, 4}, {0, 0, 0, 0}, {"DivErov", "KRXLink", nullptr, nullptr, nullptr}, {5, 5, 0, 0, 0}},
        {{3, 0, 0, 0}, {1, 0, 0, 0}, {"DivErov", "Dante", "VoIP", "USB", "PSTN"}, {6, 7, 9, 10, 11}},
        {{0, 0, 0, 0}, {0, 0, 0, 0}, {"Dante", nullptr, nullptr, nullptr, nullptr}, {7, 0, 0, 0, 0}},
    }};
    return rows;
}

int bandPosition(const std::array<int, 4> &bands, int n)
{
    if (n < 1 || n > 16)
        return n;
    const int position = bands[static_cast<size_t>((n - 1) / 4)];
    return position > 0 ? position : n;
}

} // namespace

const QStringList &HDeviceModels::processorModels()
{
    static const QStringList models = {
        QStringLiteral("KRX 880"),  QStringLiteral("KRX 440"), QStringLiteral("KRX 620"),
        QStringLiteral("KRX 260"),  QStringLiteral("KRX 1600"), QStringLiteral("KRX 680"),
        QStringLiteral("KRX D64"),
    };
    return models;
}

const QStringList &HDeviceModels::azrAmplifiers()
{
    static const QStringList models = {
        QStringLiteral("AZR 2400"), QStringLiteral("AZR 4400"), QStringLiteral("AZR 8400"),
    };
    return models;
}

const QStringList &HDeviceModels::aqAmplifiers()
{
    static const QStringList models = {
        QStringLiteral("AQ 2125"), QStringLiteral("AQ 2250"),
        QStringLiteral("AQ 4125"), QStringLiteral("AQ 4250"),
    };
    return models;
}

const QStringList &HDeviceModels::telephoneEndpoints()
{
    static const QStringList models = {QStringLiteral("IN-USB2T"), QStringLiteral("IN-USB4T")};
    return models;
}

const QStringList &HDeviceModels::usbEndpoints()
{
    static const QStringList models = {QStringLiteral("IN-USB2"), QStringLiteral("IN-USB4")};
    return models;
}

bool HDeviceModels::resourceLines(const QString &path, QList<QByteArray> &lines)
{
    static QHash<QString, QList<QByteArray>> files;
    const auto it = files.constFind(path);
    if (it != files.constEnd()) {
        lines = it.value();
        return true;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return false;
    lines.clear();
    while (!file.atEnd()) {
        QByteArray line = file.readLine();
        while (line.endsWith('\n') || line.endsWith('\r'))
            line.chop(1);
        lines.append(line);
    }
    // Only the built-in data is read-only and so safe to keep.
    if (path.startsWith(QLatin1String(":/")))
        files.insert(path, lines);
    return true;
}

QString HDeviceModels::meterlessProcessor()
{
    return QStringLiteral("KRX 410");
}

QString HDeviceModels::shortLinkProcessor()
{
    return QStringLiteral("KRX 420");
}

QString HDeviceModels::inputGroupLabel()
{
    return QStringLiteral("KRX 880 Inputs");
}

bool HDeviceModels::holdsAzrAmplifier(const QStringList &titles)
{
    for (const QString &model : azrAmplifiers()) {
        if (titles.contains(model))
            return true;
    }
    return false;
}

int HDeviceModels::cardPosition(const QString &processorTitle, const QString &moduleTitle,
                                int n, int portIndex)
{
    const QStringList &models = processorModels();
    for (int row = 0; row < models.size(); ++row) {
        if (processorTitle.contains(models.at(row)))
            return processorCardPosition(row, moduleTitle, n);
    }
    if (processorTitle.contains(QLatin1String("AQ")) || processorTitle.contains(QLatin1String("AZ")))
        return amplifierCardPosition(processorTitle, moduleTitle, n, portIndex);
    return n;
}

int HDeviceModels::processorCardPosition(int row, const QString &moduleTitle, int n)
{
    const CardRow &cards = cardRows()[static_cast<size_t>(row)];
    if (moduleTitle.contains(QLatin1String("Input")))
        return bandPosition(cards.inputs, n);
    if (moduleTitle.contains(QLatin1String("Output")))
        return bandPosition(cards.outputs, n);
    for (size_t i = 0; i < cards.kinds.size() && cards.kinds[i]; ++i) {
        if (moduleTitle.contains(QLatin1String(cards.kinds[i])))
            return cards.kindPositions[i];
    }
    return n;
}

int HDeviceModels::amplifierCardPosition(const QString &processorTitle,
                                         const QString &moduleTitle, int n, int portIndex)
{
    int kind = 0;
    if (moduleTitle.contains(QLatin1String("Analog In")) || moduleTitle.contains(QLatin1String("Digital In")))
        kind = 1;
    else if (moduleTitle.contains(QLatin1String("Output")) || processorTitle.contains(QLatin1String("Out")))
        kind = 2;
    if (kind == 0)
        return n;
    if (portIndex >= 0)
        n = portIndex + 1;
    return (n >= 1 && n <= 8) ? kind : n;
}
