#include "model/MModel.h"

#include "interfaces/IInterface.h"
#include "protocols/PFileProtocol.h"

#include <QEventLoop>

MModel::MModel(QObject *parent)
    : QObject(parent)
{
}

MModel::~MModel() = default;

void MModel::setPollPending(bool pending)
{
    m_bPollEnabled = pending;
}

void MModel::doDownloadDialog(PFileProtocol *pProtocol, IInterface *pInterface)
{
    if (!pProtocol || !pInterface)
        return;
    QEventLoop loop;
    connect(pInterface, &IInterface::connectionClose, &loop, &QEventLoop::quit);
    loop.exec();
}
