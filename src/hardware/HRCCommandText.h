#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// Texts of the room-combining commands and the parser of the processor's
// query reply. Every command ends in a carriage return; several commands
// travel joined by ";".
class HRCCommandText
{
public:
    // What a query reply says: the group it names and its room lists.
    struct Reply
    {
        int m_nGroupNumber = -1;
        bool m_bHasLists = false;          // the reply holds at least one "["
        QList<QList<int>> m_lCombos;       // the well-formed lists, in order
    };

    static QString query(const QString &groupText);
    // roomListTexts: one text per shared combination, without brackets.
    static QString combine(int groupNumber, const QStringList &roomListTexts);
    static QString join(int groupNumber, int roomInCombo, int joiningRoom);
    static QString split(int groupNumber, int roomStaying, int leavingRoom);
    // Joins command texts with ";", skipping empty ones.
    static QString joined(const QStringList &commands);

    // A combine text that lists no combination: the group holds no shared one.
    static bool isEmptyCombine(const QString &command);

    static QString failure(const QString &message);
    static bool isFailure(const QString &text);
    // The message for the user: the text with every failure marker removed.
    static QString failureMessage(const QString &text);

    // Rooms as decimal texts, one-character texts first, each part in text order.
    static QString roomListText(const QList<int> &rooms);

    // Reads "GRC <group>,[a,b][c]..."; false when no group number can be read.
    static bool parseReply(const QString &reply, Reply &result);

private:
    static bool parseGroupNumber(const QString &head, int &groupNumber);
    static QList<int> parseRoomList(const QString &part);
};
