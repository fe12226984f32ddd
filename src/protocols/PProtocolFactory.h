#pragma once

#include <QString>

class PProtocol;

// Makes the protocol object for a device type: the processors' control
// protocol, or the panel file transfer for "File".
class PProtocolFactory
{
public:
    // A new protocol the caller owns, or null.
    PProtocol *createProtocol(const QString &deviceType) const;
};
