#include "hardware/HNodeFactory.h"

#include "hardware/HAudioIO.h"
#include "hardware/HBlock.h"
#include "hardware/HChassis.h"
#include "hardware/HDante.h"
#include "hardware/HGroup.h"
#include "hardware/HKRXLink.h"
#include "hardware/HParameterSet.h"
#include "hardware/HParameterSetList.h"
#include "hardware/HRCGroup.h"
#include "hardware/HRCRoom.h"

#include <QStringList>

HNodeFactory::HNodeFactory() = default;

HNodeFactory::~HNodeFactory() = default;

HNode *HNodeFactory::createNode(const QString &typeName, const QString &cardType) const
{
    static const QStringList processors = {
        QStringLiteral("KRX"),    QStringLiteral("Calvex"), QStringLiteral("Tarvo"),
        QStringLiteral("Ostrav"), QStringLiteral("Pelmar"), QStringLiteral("Zindle")};
    static const QStringList inputs = {QStringLiteral("Input"), QStringLiteral("PstnRx"),
                                       QStringLiteral("VoipRx"), QStringLiteral("UsbRx")};
    static const QStringList outputs = {QStringLiteral("Output"), QStringLiteral("PstnTx"),
                                        QStringLiteral("VoipTx"), QStringLiteral("UsbTx")};
    static const QStringList ignored = {
        QStringLiteral("Fennick"), QStringLiteral("Serialin"), QStringLiteral("Serialout"),
        QStringLiteral("GPO"),     QStringLiteral("GPI"),      QStringLiteral("DeviceNode")};

    if (typeName.isEmpty())
        return nullptr;
    if (processors.contains(typeName))
        return new HChassis;
    if (inputs.contains(typeName))
        return new HAudioIO(cardType, HAudioIO::DirectionInput);
    if (outputs.contains(typeName))
        return new HAudioIO(cardType, HAudioIO::DirectionOutput);
    if (typeName == QLatin1String("KRXLinkTx") || typeName == QLatin1String("DivErov"))
        return new HKRXLink;
    if (typeName == QLatin1String("DanteRx"))
        return new HDante(cardType, HAudioIO::DirectionInput);
    if (typeName == QLatin1String("DanteTx"))
        return new HDante(cardType, HAudioIO::DirectionOutput);
    if (ignored.contains(typeName))
        return nullptr;
    if (typeName == QLatin1String("Group"))
        return new HGroup;
    if (typeName == QLatin1String("RCGroup"))
        return new HRCGroup;
    if (typeName == QLatin1String("RCRoom"))
        return new HRCRoom;
    if (typeName == QLatin1String("ParameterSet"))
        return new HParameterSet;
    if (typeName == QLatin1String("PanelList"))
        return new HParameterSetList;
    return new HBlock;
}
