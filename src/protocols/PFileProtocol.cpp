#include "protocols/PFileProtocol.h"

#include "interfaces/IInterface.h"
#include "model/MModel.h"
#include "utility/LogCategories.h"

#include <QCoreApplication>
#include <QDebug>
#include <QFile>
#include <QProgressDialog>

PFileProtocol::PFileProtocol(QObject *parent)
    : PProtocol(parent)
{
}

PFileProtocol::~PFileProtocol()
{
    delete m_pProgress.data();
    delete m_pFile;
}

QString PFileProtocol::name() const
{
    return QStringLiteral("File");
}

// ---------------------------------------------------------------- sending

bool PFileProtocol::sendFile(const QString &path)
{
    if (!m_pInterface)
        return false;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    // A client reconnects by itself: a connection that dropped once has lost bytes for good.
    m_bConnectionLost = false;
    const QMetaObject::Connection stateConnection = connect(
        m_pInterface.data(), &IInterface::interfaceStateChanged, this,
        &PFileProtocol::onSendStateChanged);
    showSendProgress(file.size());
    const bool sent = sendPieces(file) && drainSend() && !m_bConnectionLost;
    disconnect(stateConnection);
    file.close();
    closeSendProgress();
    return sent;
}

void PFileProtocol::onSendStateChanged(bool connected)
{
    if (!connected)
        m_bConnectionLost = true;
}

bool PFileProtocol::sendPieces(QFile &file)
{
    while (!file.atEnd()) {
        const QByteArray piece = file.read(PieceSize);
        if (piece.isEmpty()) {
            qCWarning(lcProtocols) << "read error" << file.errorString();
            return false;
        }
        setSendProgress(file.pos());
        QCoreApplication::processEvents();
        if (isSendAborted() || !m_pInterface || m_bConnectionLost)
            return false;
        const int written = m_pInterface->send(piece, int(piece.size()), TcpMessageType::Immediate,
                                               QByteArray(), 0);
        if (written != piece.size())
            return false;
        m_pInterface->waitForBytesWritten(PieceWaitMs);
    }
    return true;
}

bool PFileProtocol::drainSend()
{
    if (!m_pInterface)
        return false;
    m_pInterface->waitForBytesWritten(EndWaitMs);
    // Every byte must have left, and the peer must still be there to take them.
    while (m_pInterface && m_pInterface->bytesToWrite() > 0
           && m_pInterface->waitForBytesWritten(EndWaitMs)) {
    }
    return m_pInterface && m_pInterface->bytesToWrite() == 0 && m_pInterface->isConnected();
}

void PFileProtocol::showSendProgress(qint64 total)
{
    delete m_pProgress.data();
    m_pProgress = new QProgressDialog(tr("Sending to Mobile Device..."), tr("Abort"), 0, 0);
    m_pProgress->setMaximum(int(qMin<qint64>(total, INT_MAX)));
    // No parent window to be modal to: block the whole application instead.
    m_pProgress->setWindowModality(Qt::ApplicationModal);
    m_pProgress->setWindowFlags(m_pProgress->windowFlags() | Qt::WindowStaysOnTopHint);
    // At the last piece the dialog must stay, and its Abort count, until the bytes are out.
    m_pProgress->setAutoReset(false);
    m_pProgress->setAutoClose(false);
    m_pProgress->show();
}

void PFileProtocol::setSendProgress(qint64 done)
{
    if (m_pProgress)
        m_pProgress->setValue(int(qMin<qint64>(done, m_pProgress->maximum())));
}

bool PFileProtocol::isSendAborted() const
{
    return m_pProgress && m_pProgress->wasCanceled();
}

void PFileProtocol::closeSendProgress()
{
    delete m_pProgress.data();
}

// ---------------------------------------------------------------- receiving

bool PFileProtocol::receiveFile(const QString &path)
{
    if (!m_pInterface || !canWaitForReceive() || m_pFile)
        return false;
    const QString temporaryPath = path + QLatin1Char('t');
    m_pFile = new QFile(temporaryPath);
    if (!m_pFile->open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        delete m_pFile;
        m_pFile = nullptr;
        return false;
    }
    m_bPeerClosed = false;
    m_bCancelled = false;
    m_bWriteFailed = false;
    // Made before the wait so the peer's close is known before any cancel path runs.
    m_peerClosedConnection = connect(m_pInterface.data(), &IInterface::connectionClose, this,
                                     &PFileProtocol::onPeerClosed);
    waitForReceive();
    disconnect(m_peerClosedConnection);
    const bool received = finishReceive(path, temporaryPath);
    delete m_pFile;
    m_pFile = nullptr;
    return received;
}

bool PFileProtocol::finishReceive(const QString &path, const QString &temporaryPath)
{
    if (m_pFile->isOpen()) {
        if (!m_pFile->flush())
            m_bWriteFailed = true;
        m_pFile->close();
    }
    if (m_pFile->error() != QFileDevice::NoError)
        m_bWriteFailed = true;
    // Only a whole file, ended by the sender, replaces the target.
    const bool complete = m_bPeerClosed && !m_bCancelled && !m_bWriteFailed;
    if (complete && QFile(temporaryPath).size() > 0 && replaceFile(path, temporaryPath))
        return true;
    QFile::remove(temporaryPath);
    return false;
}

bool PFileProtocol::replaceFile(const QString &path, const QString &temporaryPath)
{
    // The old file steps aside first and comes back when the new one cannot take its place.
    const QString asidePath = path + QLatin1Char('~');
    const bool hadTarget = QFile::exists(path);
    QFile::remove(asidePath);
    if (hadTarget && !QFile::rename(path, asidePath)) {
        qCWarning(lcProtocols) << "cannot replace" << path;
        return false;
    }
    if (!QFile::rename(temporaryPath, path)) {
        qCWarning(lcProtocols) << "cannot move the received file to" << path;
        if (hadTarget)
            QFile::rename(asidePath, path);
        return false;
    }
    if (hadTarget)
        QFile::remove(asidePath);
    return true;
}

qint64 PFileProtocol::receivedBytes() const
{
    return m_pFile && m_pFile->isOpen() ? m_pFile->pos() : 0;
}

bool PFileProtocol::onReceive(const QByteArray &bytes)
{
    if (!m_pFile || !m_pFile->isOpen() || m_bCancelled || m_bWriteFailed)
        return false;
    if (m_pFile->write(bytes) != bytes.size()) {
        qCWarning(lcProtocols) << "write error" << m_pFile->errorString();
        m_bWriteFailed = true;
        return false;
    }
    return true;
}

void PFileProtocol::onPeerClosed()
{
    m_bPeerClosed = true;
}

void PFileProtocol::connectionClose()
{
    if (!m_pFile)
        return;
    // Reached without the peer having closed: the user cancelled the receive.
    if (!m_bPeerClosed)
        m_bCancelled = true;
    if (m_pFile->isOpen()) {
        if (!m_pFile->flush())
            m_bWriteFailed = true;
        m_pFile->close();
    }
}

bool PFileProtocol::canWaitForReceive() const
{
    return m_pModel != nullptr;
}

void PFileProtocol::waitForReceive()
{
    if (m_pModel)
        m_pModel->doDownloadDialog(this, m_pInterface.data());
}
