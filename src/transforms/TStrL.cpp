#include "transforms/TStrL.h"

#include "model/CAttributes.h"

void TStrL::configure()
{
    m_options.clear();
    if (!attributes())
        return;
    // Sections up to the first empty one.
    for (const QString &section : attributes()->set().split(QLatin1Char(','))) {
        if (section.isEmpty() || m_options.size() == Slots)
            break;
        m_options.append(section);
    }
}

QString TStrL::optionAt(unsigned char index) const
{
    if (index >= Slots)
        return QStringLiteral("?");
    // Slots past the configured options are empty.
    return m_options.value(index);
}
