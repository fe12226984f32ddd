#include "hardware/HRCCommandText.h"

#include <algorithm>
#include <limits>

namespace {
const QString FailurePrefix = QStringLiteral("FAILURE::");
}

QString HRCCommandText::query(const QString &groupText)
{
    return QStringLiteral("GRC %1\r").arg(groupText);
}

QString HRCCommandText::combine(int groupNumber, const QStringList &roomListTexts)
{
    QString lists;
    for (const QString &text : roomListTexts)
        lists += QLatin1Char('[') + text + QLatin1Char(']');
    return QStringLiteral("SRC %1,%2\r").arg(groupNumber).arg(lists);
}

QString HRCCommandText::join(int groupNumber, int roomInCombo, int joiningRoom)
{
    return QStringLiteral("SRC %1,%2,%3,J\r").arg(groupNumber).arg(roomInCombo).arg(joiningRoom);
}

QString HRCCommandText::split(int groupNumber, int roomStaying, int leavingRoom)
{
    return QStringLiteral("SRC %1,%2,%3,S\r").arg(groupNumber).arg(roomStaying).arg(leavingRoom);
}

QString HRCCommandText::joined(const QStringList &commands)
{
    QStringList parts;
    for (const QString &command : commands) {
        if (!command.isEmpty())
            parts.append(command);
    }
    return parts.join(QLatin1Char(';'));
}

bool HRCCommandText::isEmptyCombine(const QString &command)
{
    return command.endsWith(QStringLiteral(",\r"));
}

QString HRCCommandText::failure(const QString &message)
{
    return FailurePrefix + message;
}

bool HRCCommandText::isFailure(const QString &text)
{
    return text.startsWith(FailurePrefix);
}

QString HRCCommandText::failureMessage(const QString &text)
{
    QString message = text;
    return message.remove(FailurePrefix);
}

QString HRCCommandText::roomListText(const QList<int> &rooms)
{
    QStringList shortTexts;
    QStringList longTexts;
    for (int room : rooms) {
        const QString text = QString::number(room);
        (text.size() == 1 ? shortTexts : longTexts).append(text);
    }
    std::sort(shortTexts.begin(), shortTexts.end());
    std::sort(longTexts.begin(), longTexts.end());
    return (shortTexts + longTexts).join(QLatin1Char(','));
}

bool HRCCommandText::parseReply(const QString &reply, Reply &result)
{
    result = Reply();
    // A reply may end in "\r", "\r\n" or blanks; none of it belongs to the last list.
    QString text = reply;
    while (!text.isEmpty() && text.back().isSpace())
        text.chop(1);

    const QStringList parts = text.split(QLatin1Char('['));
    if (!parseGroupNumber(parts.first(), result.m_nGroupNumber))
        return false;
    result.m_bHasLists = parts.size() > 1;
    for (int i = 1; i < parts.size(); ++i) {
        if (parts.at(i).endsWith(QLatin1Char(']')))
            result.m_lCombos.append(parseRoomList(parts.at(i)));
    }
    return true;
}

bool HRCCommandText::parseGroupNumber(const QString &head, int &groupNumber)
{
    groupNumber = -1;
    if (!head.endsWith(QLatin1Char(',')))
        return false;
    const QStringList words = head.left(head.size() - 1).split(QLatin1Char(' '));
    if (words.size() != 2)
        return false;
    bool ok = false;
    const qlonglong value = words.at(1).toLongLong(&ok);
    if (!ok) {
        groupNumber = 0;
        return true;
    }
    if (value < std::numeric_limits<int>::min() || value > std::numeric_limits<int>::max())
        return false;
    groupNumber = int(value);
    return true;
}

QList<int> HRCCommandText::parseRoomList(const QString &part)
{
    QList<int> rooms;
    const QString body = part.left(part.size() - 1);
    // "[]" is an empty list, not a list holding room 0.
    if (body.isEmpty())
        return rooms;
    const QStringList items = body.split(QLatin1Char(','));
    for (const QString &item : items)
        rooms.append(item.toInt());
    return rooms;
}
