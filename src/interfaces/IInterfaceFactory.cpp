#include "interfaces/IInterfaceFactory.h"

#include "interfaces/ITcpClient.h"

IInterface *IInterfaceFactory::createInterface() const
{
    return new ITcpClient();
}
