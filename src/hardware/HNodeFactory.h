#pragma once

#include <QString>

class HNode;

// Turns a design-file node type name into a new node of the right kind.
// Stateless; the caller owns what it returns.
class HNodeFactory
{
public:
    HNodeFactory();
    virtual ~HNodeFactory();

    // Null for an empty name and for the parts of a device that get no node;
    // a processing block for any name it does not know otherwise.
    HNode *createNode(const QString &typeName, const QString &cardType) const;
};
