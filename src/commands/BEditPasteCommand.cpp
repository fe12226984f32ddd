#include "commands/BEditPasteCommand.h"

#include "commands/BCommandId.h"
#include "commands/BEditCopyCommand.h"
#include "commands/BToolSelectCommand.h"
#include "model/MModel.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QQuickItem>

#include <algorithm>

BEditPasteCommand::BEditPasteCommand(int)
    : BCommand(BCommandMode::Undoable)
{
    m_controls.setNotOwner(true);
}

BEditPasteCommand::~BEditPasteCommand()
{
    // The composite destroys what it owns when it goes.
    m_controls.setNotOwner(state() == BCommandState::Done);
}

bool BEditPasteCommand::run(int)
{
    MModel *pModel = model();
    if (!pModel || !qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
        return false;
    const QMimeData *pData = QGuiApplication::clipboard()->mimeData(QClipboard::Clipboard);
    if (!pData || !pData->hasFormat(BEditCopyCommand::MimeType))
        return false;
    pModel->placeControl(&m_controls, pData->data(BEditCopyCommand::MimeType));
    const auto *pPanel = qobject_cast<const CComposite *>(pModel->currentPanel());
    if (m_controls.childCount() == 0 || !pPanel || pPanel->panelTypeName() == QLatin1String("template"))
        return false;
    keepInsideCanvas();
    m_controls.setMode(CControl::ModeSelected);
    submit(this);
    return true;
}

// Copied where the canvas was larger, the controls would hang past this
// one's edge, and the next open would find them there.
void BEditPasteCommand::keepInsideCanvas()
{
    const QQuickItem *pArea = model()->qmlRootItem();
    if (!pArea || !(pArea->width() > 0.0) || !(pArea->height() > 0.0))
        return;
    QRectF block;
    for (const CControl *pControl : m_controls.children()) {
        if (pControl)
            block = block.united(pControl->bounds());
    }
    if (block.isNull())
        return;
    const qreal x = std::max(0.0, std::min(block.x(), pArea->width() - block.width()));
    const qreal y = std::max(0.0, std::min(block.y(), pArea->height() - block.height()));
    if (x == block.x() && y == block.y())
        return;
    for (CControl *pControl : m_controls.children()) {
        if (pControl)
            pControl->moveBy(QPointF(x - block.x(), y - block.y()));
    }
}

void BEditPasteCommand::doCommand()
{
    const bool first = state() == BCommandState::New;
    BCommand::doCommand();
    if (!model())
        return;
    model()->selectControls(&m_controls);
    if (first)
        selectPasted();
}

void BEditPasteCommand::undoCommand()
{
    BCommand::undoCommand();
    if (model())
        model()->deselectControls(&m_controls);
}

// The pasted controls become the selection, so that the next drag or nudge
// moves all of them.
void BEditPasteCommand::selectPasted()
{
    model()->deselectAll();
    BToolSelectCommand *pTool = model()->selectTool();
    if (!pTool)
        return;
    const int modifiers = pTool->modifiers();
    pTool->setModifiers(0);
    for (CControl *pControl : m_controls.children()) {
        pTool->select(pControl);
        pTool->setModifiers(int(Qt::ShiftModifier));
    }
    pTool->setModifiers(modifiers);
    pTool->run(0);
}

QString BEditPasteCommand::name() const
{
    return tr("Paste");
}

int BEditPasteCommand::id() const
{
    return BCommandId::EditPaste;
}
