#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>

class QXmlStreamAttributes;

// The second pass over a design file: follows a control group's assignments
// to the amplifiers it drives. One pull-parser pass over the bytes, made on
// the first question, keeps just what the questions need (the first
// "nodeID" Property of each value with its element's parent, the groups of
// the assignment section with their target ids, and the first "title"
// Property below each element that holds a "nodeID" Property), so that every
// question costs little and a large design is read once, not once per group.
class XVMPQuery
{
public:
    // bytes: the design file as read from disk.
    explicit XVMPQuery(const QByteArray &bytes);
    ~XVMPQuery();

    // Titles of the amplifiers the group with this id drives, in the order of
    // its target ids; empty when anything fails.
    QStringList findGroupAmpTitles(const QString &groupId);

    // Whether the bytes parsed (reads them on first use).
    bool isParsed();

    // The bytes as text, decoded by their byte-order mark or declared
    // encoding (Windows-1252 by default of the design tool, else UTF-8).
    static QString decode(const QByteArray &bytes);

private:
    // A "nodeID" Property: the element holding it and the module above that.
    struct NodeProperty
    {
        int holder = -1;         // serial number of the holding element
        QString moduleAmpId;     // "tarvoNodeID" of the holder's parent element
    };
    struct GroupEntry
    {
        bool hasAssign = false;
        QStringList targetIds;   // non-empty, each once, in document order
        QSet<QString> seen;
    };
    struct TitleEntry
    {
        bool found = false;
        QString value;
    };
    struct OpenElement
    {
        int serial = 0;
        QString tarvoNodeId;
        bool holdsNodeProperty = false;
        TitleEntry title;        // first "title" Property below it
        QString groupId;         // a registered group of the assignment section
    };

    void parse();
    void startElement(const QStringView &name, const QXmlStreamAttributes &attributes);
    void endElement();
    void noteNodeProperty(const QString &value);
    void noteTitle(const QString &value);
    void noteAssign(const QString &targetId);
    QString ampTitle(const QString &targetId);
    QString titleOfAmplifier(const QString &ampId);

    QByteArray m_bytes;
    bool m_bTried = false;
    bool m_bParsed = false;
    bool m_bHasAssignment = false;
    int m_nAssignmentDepth = -1;      // depth of the open assignment section; -1 outside
    int m_nSerial = 0;
    QList<OpenElement> m_open;
    QHash<QString, NodeProperty> m_nodeProperties;  // first "nodeID" Property, by value
    QHash<QString, GroupEntry> m_groups;            // first Group of the assignment section, by id
    QList<QString> m_openGroups;                    // registered groups now open
    QHash<int, TitleEntry> m_holderTitles;          // by serial of a holding element
    QHash<QString, QString> m_ampTitles;            // amplifier id -> title ("" when none)
};
