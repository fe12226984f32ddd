#include "commands/BEditCopyCommand.h"

#include "commands/BCommandId.h"
#include "model/CComposite.h"
#include "model/MModel.h"
#include "xml/XmlWriter.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

const QLatin1String BEditCopyCommand::MimeType("application/control");

BEditCopyCommand::BEditCopyCommand(int)
    : BCommand(BCommandMode::Discard)
{
}

BEditCopyCommand::~BEditCopyCommand() = default;

bool BEditCopyCommand::run(int)
{
    CComposite controls;
    if (!copyToClipboard(&controls))
        return false;
    submit(this);
    return true;
}

void BEditCopyCommand::doCommand()
{
}

void BEditCopyCommand::undoCommand()
{
}

bool BEditCopyCommand::copyToClipboard(CComposite *pControls)
{
    MModel *pModel = model();
    if (!pModel || !pControls)
        return false;
    pControls->setNotOwner(true);
    if (!pModel->collectSelection(pControls))
        return false;
    QByteArray bytes;
    {
        XmlWriter writer;
        writer.setByteArray(&bytes);
        writer.setEncoding(XmlEncodingUtf16BE);
        writer.writeDeclaration();
        writer.writeStartElement(QStringLiteral("VMD"));
        writer.writeStartElement(QStringLiteral("Controls"));
        // Only the controls themselves stand between Controls and /Controls.
        pControls->setType(QString());
        // Half a document on the clipboard would only be refused by the paste.
        if (!pControls->writeXml(&writer))
            return false;
        writer.writeEndElement(QStringLiteral("Controls"));
        writer.writeEndElement(QStringLiteral("VMD"));
        if (!writer.flush())
            return false;
    }
    if (!qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
        return false;
    QClipboard *pClipboard = QGuiApplication::clipboard();
    auto *pData = new QMimeData;
    pData->setData(MimeType, bytes);
    pClipboard->setMimeData(pData, QClipboard::Clipboard);
    // The system may refuse the data or hand the clipboard to another program at once.
    const QMimeData *pHeld = pClipboard->mimeData(QClipboard::Clipboard);
    return pHeld && pHeld->data(MimeType) == bytes;
}

QString BEditCopyCommand::name() const
{
    return tr("Copy");
}

int BEditCopyCommand::id() const
{
    return BCommandId::EditCopy;
}
