#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// A small design file written from the file format: two processors with
// cards and blocks, three kinds of control group, a room-combining group
// whose three rooms live on both processors, two parameter sets and a list.
// Tests change single elements to make re-import variants.
struct DesignFixture
{
    static QByteArray property(const QByteArray &name, const QByteArray &value);
    static QByteArray node(const QByteArray &attributes, const QList<QByteArray> &properties,
                           const QByteArray &inner = QByteArray());

    QByteArray version = "4.2";
    QList<QByteArray> nodes;     // the Node elements, in file order
    QByteArray groups;           // the Groups section's children
    QByteArray rcGroups;
    QByteArray parameterSets;
    QByteArray lists;
    QByteArray assignment;
    QByteArray extra;            // further top-level elements before Assignment

    DesignFixture();

    // Adds a telephone endpoint processor with a PSTN card ("Desk Phone") and
    // a VoIP card ("Lobby Phone"), whose blocks offer the dialer.
    void addTelephoneEndpoint();

    // Index in nodes of the element whose label is label; -1 when none.
    int indexOf(const QByteArray &label) const;
    QByteArray bytes() const;
    // Writes the file into dir; the path, or empty text on failure.
    QString write(const QString &dir, const QString &name = QStringLiteral("design.vmp")) const;
};
