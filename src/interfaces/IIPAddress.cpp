#include "interfaces/IIPAddress.h"

unsigned IIPAddress::octet(int index) const
{
    if (index < 0 || index > 3)
        return 255;
    return (m_address.toIPv4Address() >> shiftOf(index)) & 0xFFu;
}

void IIPAddress::setOctet(int index, unsigned value)
{
    if (index < 0 || index > 3)
        return;
    const quint32 mask = 0xFFu << shiftOf(index);
    const quint32 address = (m_address.toIPv4Address() & ~mask) | ((value & 0xFFu) << shiftOf(index));
    m_address.setAddress(address);
}
