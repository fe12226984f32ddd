#include "hardware/CParameter.h"

#include "utility/LogCategories.h"

#include <QDebug>
#include <QHash>

CParameter::CParameter() = default;

CParameter::~CParameter() = default;

bool CParameter::setAttribute(const QString &name, const QString &value)
{
    if (name == QLatin1String("text"))
        m_sText = value;
    else if (name == QLatin1String("type"))
        m_sType = value;
    return true;
}

QString CParameter::iconPath() const
{
    static const QHash<QString, QString> icons = {
        {QStringLiteral("Button"), QStringLiteral(":/images/ButtonIcon.png")},
        {QStringLiteral("DropList"), QStringLiteral(":/images/DropListIcon.png")},
        {QStringLiteral("Slider"), QStringLiteral(":/images/SliderIcon.png")},
        {QStringLiteral("ParameterSet"), QStringLiteral(":/images/ParameterSetIcon.png")},
        {QStringLiteral("Dialer"), QStringLiteral(":/images/Dialer.png")},
        {QStringLiteral("Label"), QStringLiteral(":/images/AddLabel.png")},
        {QStringLiteral("RoomSelector"), QStringLiteral(":/images/polygon.png")},
        {QStringLiteral("ActiveRoomCombo"), QStringLiteral(":/images/AddLabel.png")},
        {QStringLiteral("ComboSelector"), QStringLiteral(":/images/AddCSC.png")},
        {QStringLiteral("LevelButton"), QStringLiteral(":/images/SliderIcon.png")},
        {QStringLiteral("Meter"), QStringLiteral(":/images/meterBlack.png")},
    };
    const auto it = icons.constFind(m_sType);
    if (it != icons.constEnd())
        return it.value();
    qCDebug(lcHardware).noquote() << QStringLiteral("Icon path for ") + m_sType + QStringLiteral(" not found");
    return QString();
}
