#include "protocols/PProtocolFactory.h"

#include "protocols/PFileProtocol.h"
#include "protocols/PVMDProtocol.h"

PProtocol *PProtocolFactory::createProtocol(const QString &deviceType) const
{
    static const char *const Processors[] = {"Velmora", "KRX", "AQ", "AZ"};
    for (const char *prefix : Processors) {
        if (deviceType.startsWith(QLatin1String(prefix)))
            return new PVMDProtocol;
    }
    if (deviceType == QLatin1String("File"))
        return new PFileProtocol;
    return nullptr;
}
