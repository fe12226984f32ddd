#pragma once

#include <QHostAddress>

// An IPv4 address read and written by octet; octet 0 is the most significant.
class IIPAddress
{
public:
    QHostAddress toHostAddress() const { return m_address; }
    void setAddress(const QHostAddress &address) { m_address = address; }

    // 255 for an index above 3.
    unsigned octet(int index) const;
    // Takes the low eight bits of the value; an index outside 0 to 3 changes nothing.
    void setOctet(int index, unsigned value);

private:
    static int shiftOf(int index) { return (3 - index) * 8; }

    QHostAddress m_address;
};
