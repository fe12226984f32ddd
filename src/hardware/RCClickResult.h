#pragma once

#include <QString>

// What a click on a room means: a command for the processor (may be empty),
// a message for the user (empty when the click did not fail), and the colour
// the room is to show. A refused join can still carry the split command of
// the combination the room left.
struct RCClickResult
{
    QString m_sCommand;
    QString m_sFailure;
    QString m_sColor;

    bool hasFailure() const { return !m_sFailure.isEmpty(); }
};
