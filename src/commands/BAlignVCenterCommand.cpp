#include "commands/BAlignVCenterCommand.h"

#include "commands/BCommandId.h"

#include <QGuiApplication>

BAlignVCenterCommand::BAlignVCenterCommand(int mode)
    : BAlignCommand(mode)
{
    m_nAlignment = Qt::AlignVCenter;
}

BAlignVCenterCommand::~BAlignVCenterCommand() = default;

void BAlignVCenterCommand::doCommand()
{
    // A redo centres as the first run did, whatever is held now.
    if (state() == BCommandState::New)
        setModifiers(int(QGuiApplication::keyboardModifiers()));
    const QRectF canvas = canvasRect();
    if (modifiers() == int(Qt::ShiftModifier) && !canvas.isEmpty())
        alignBlock(canvas, m_nAlignment);
    else
        alignEach(boundsOf(controls()), m_nAlignment);
    BCommand::doCommand();
}

QString BAlignVCenterCommand::name() const
{
    return tr("Align Vertical Center");
}

int BAlignVCenterCommand::id() const
{
    return BCommandId::AlignVCenter;
}
