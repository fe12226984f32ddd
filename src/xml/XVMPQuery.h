#pragma once

#include <QByteArray>
#include <QDomDocument>
#include <QDomElement>
#include <QHash>
#include <QString>
#include <QStringList>

// The second, DOM-based pass over a design file: follows a control group's
// assignments to the amplifiers it drives. The document is parsed once, on
// the first question, and indexed so each question costs little.
class XVMPQuery
{
public:
    // bytes: the design file as read from disk.
    explicit XVMPQuery(const QByteArray &bytes);
    ~XVMPQuery();

    // Titles of the amplifiers the group with this id drives, in the order of
    // its target ids; empty when anything fails.
    QStringList findGroupAmpTitles(const QString &groupId);

    // Whether the bytes parsed (parses them on first use).
    bool isParsed();

    // The bytes as text, decoded by their byte-order mark or declared
    // encoding (Windows-1252 by default of the design tool, else UTF-8).
    static QString decode(const QByteArray &bytes);

private:
    void parse();
    void buildIndex();
    QStringList targetIds(const QDomElement &group) const;
    QString ampTitle(const QString &targetId);
    QString titleOfAmplifier(const QString &ampId);

    QByteArray m_bytes;
    QDomDocument m_document;
    bool m_bTried = false;
    bool m_bParsed = false;
    bool m_bHasAssignment = false;
    QHash<QString, QDomElement> m_groups;          // first Group below Assignment, by "id"
    QHash<QString, QDomElement> m_nodeProperties;  // first Property "nodeID", by "value"
    QHash<QString, QString> m_ampTitles;           // amplifier id -> title ("" when none)
};
