#include "commands/BAlignHCenterCommand.h"

#include "commands/BCommandId.h"

#include <QGuiApplication>

BAlignHCenterCommand::BAlignHCenterCommand(int mode)
    : BAlignCommand(mode)
{
    m_nAlignment = Qt::AlignHCenter;
}

BAlignHCenterCommand::~BAlignHCenterCommand() = default;

void BAlignHCenterCommand::doCommand()
{
    // A redo centres as the first run did, whatever is held now.
    if (state() == BCommandState::New)
        setModifiers(int(QGuiApplication::keyboardModifiers()));
    const QRectF canvas = canvasRect();
    if ((modifiers() & Qt::ShiftModifier) && !canvas.isEmpty())
        alignBlock(canvas, m_nAlignment);
    else
        alignEach(boundsOf(controls()), m_nAlignment);
    BCommand::doCommand();
}

QString BAlignHCenterCommand::name() const
{
    return tr("Align Horizontal Center");
}

int BAlignHCenterCommand::id() const
{
    return BCommandId::AlignHCenter;
}
