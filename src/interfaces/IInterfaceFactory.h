#pragma once

class IInterface;

// Makes the transport of a processor node.
class IInterfaceFactory
{
public:
    // Always a new TCP client; the caller owns it.
    IInterface *createInterface() const;
};
