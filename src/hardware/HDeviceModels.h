#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// Names of the maker's device models that the tree treats specially, kept in
// one place; they are titles of the built-in chassis dictionaries
// (tools/device_data.txt lists them too: change both together).
class HDeviceModels
{
public:
    // Title substrings of the processor models, in the order the card-position
    // rules try them (row 1 first).
    static const QStringList &processorModels();

    // Amplifiers of the "AZR" series (second amplifier line): no network
    // status, kept out of the project tree.
    static const QStringList &azrAmplifiers();

    // The four amplifiers of the first ("AQ") line whose unused outputs
    // ("Amp Output" labelled "----") are hidden.
    static const QStringList &aqAmplifiers();

    // Processor whose nodes show no meters and whose links carry two
    // parameters per channel.
    static QString meterlessProcessor();

    // Processor whose DivErov node shows only its first twelve parameters.
    static QString shortLinkProcessor();

    // Endpoint models (model text "IN..."): the two telephone endpoints, the
    // first one first, and the two USB endpoints. Each telephone model's name
    // begins with a USB model's name.
    static const QStringList &telephoneEndpoints();
    static const QStringList &usbEndpoints();

    // Label of the input group of one processor model.
    static QString inputGroupLabel();

    // The lines of a built-in data file (line ends dropped), read once per
    // run; false when the file cannot be opened.
    static bool resourceLines(const QString &path, QList<QByteArray> &lines);

    // True when one of the AZR amplifier models is in the list.
    static bool holdsAzrAmplifier(const QStringList &titles);

    // Card position of a module numbered n inside a processor (or amplifier)
    // titled processorTitle; n itself when no rule covers it.
    static int cardPosition(const QString &processorTitle, const QString &moduleTitle,
                            int n, int portIndex);

private:
    static int processorCardPosition(int row, const QString &moduleTitle, int n);
    static int amplifierCardPosition(const QString &processorTitle,
                                     const QString &moduleTitle, int n, int portIndex);
};
