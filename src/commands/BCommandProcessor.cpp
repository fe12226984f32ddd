#include "commands/BCommandProcessor.h"

#include "commands/BCommand.h"
#include "commands/BToolCommand.h"
#include "controllers/ActionId.h"
#include "controllers/KMainController.h"
#include "controllers/NotifyEventId.h"
#include "dialogs/DUndoListDialog.h"
#include "model/MModel.h"
#include "utility/LogCategories.h"

#include <QClipboard>
#include <QDebug>
#include <QGuiApplication>
#include <QMimeData>

#include <utility>

namespace {

const char *const ControlMimeType = "application/control";

} // namespace

BCommandProcessor *BCommandProcessor::s_pInstance = nullptr;

BCommandProcessor *BCommandProcessor::instance()
{
    if (!s_pInstance)
        s_pInstance = new BCommandProcessor();
    return s_pInstance;
}

BCommandProcessor::BCommandProcessor() = default;

BCommandProcessor::~BCommandProcessor()
{
    deleteAll(m_undoStack);
    deleteAll(m_redoStack);
    // The model deletes the instance; a later instance() must not hand out a dangling one.
    if (s_pInstance == this)
        s_pInstance = nullptr;
}

void BCommandProcessor::execute(BCommand *pCommand)
{
    if (pCommand && holds(pCommand)) {
        // Filing it a second time would delete it twice.
        qCWarning(lcCommands) << "command is already in a history";
        pCommand = nullptr;
    }
    if (pCommand) {
        ++m_nExecuted;
        pCommand->doCommand();
        // Only what is filed changed the project: a click that moved nothing,
        // a copy or a refused drop leaves a saved project saved.
        if (pCommand->mode() != BCommandMode::Discard)
            markModified(pCommand);
        switch (pCommand->mode()) {
        case BCommandMode::Undoable:
            pushBounded(m_undoStack, pCommand);
            deleteAll(m_redoStack);
            break;
        case BCommandMode::ClearHistory:
            deleteAll(m_undoStack);
            deleteAll(m_redoStack);
            delete pCommand;
            break;
        default:
            delete pCommand;
            break;
        }
    }
    updateActions();
}

void BCommandProcessor::undo()
{
    if (!m_undoStack.isEmpty()) {
        BCommand *pCommand = m_undoStack.takeLast();
        pCommand->undoCommand();
        markModified(pCommand);
        pushBounded(m_redoStack, pCommand);
        showValuesInForce(pCommand);
    }
    updateActions();
}

void BCommandProcessor::redo()
{
    if (!m_redoStack.isEmpty()) {
        BCommand *pCommand = m_redoStack.takeLast();
        pCommand->doCommand();
        markModified(pCommand);
        pushBounded(m_undoStack, pCommand);
        showValuesInForce(pCommand);
    }
    updateActions();
}

void BCommandProcessor::undoTo(int index)
{
    for (int step = 0; step <= index; ++step)
        undo();
}

void BCommandProcessor::redoTo(int index)
{
    for (int step = 0; step <= index; ++step)
        redo();
}

BCommand *BCommandProcessor::undoCommandAt(int index) const
{
    return m_undoStack.value(index, nullptr);
}

BCommand *BCommandProcessor::redoCommandAt(int index) const
{
    return m_redoStack.value(index, nullptr);
}

void BCommandProcessor::clear()
{
    deleteAll(m_undoStack);
    deleteAll(m_redoStack);
    updateActions();
}

void BCommandProcessor::setMainController(KMainController *pController)
{
    m_pMainController = pController;
    updateActions();
}

bool BCommandProcessor::canPaste() const
{
    // No clipboard without a GUI application.
    if (!qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
        return false;
    const QMimeData *pData = QGuiApplication::clipboard()->mimeData();
    return pData && pData->hasFormat(QLatin1String(ControlMimeType));
}

void BCommandProcessor::updateActions()
{
    if (!m_pMainController)
        return;
    enableAction(ActionId::Undo, !m_undoStack.isEmpty());
    enableAction(ActionId::Redo, !m_redoStack.isEmpty());
    enableAction(ActionId::UndoList, !m_undoStack.isEmpty() || !m_redoStack.isEmpty());
    enableAction(ActionId::Paste, canPaste());
}

void BCommandProcessor::enableAction(int actionId, bool enabled)
{
    m_pMainController->setActionEnabled(actionId, enabled);
}

void BCommandProcessor::showUndoList()
{
    DUndoListDialog dialog;
    dialog.setProcessor(this);
    dialog.runModal();
}

void BCommandProcessor::dumpStack(const QList<BCommand *> &stack) const
{
    qCDebug(lcCommands).noquote() << "---------------------";
    for (const BCommand *pCommand : stack)
        pCommand->dump();
}

// A gesture (drag, resize, reshape, nudge) tells the panes when it ends;
// taking it back or doing it again must as well, or the Properties tab keeps
// the values of before. Other commands tell what they change themselves.
void BCommandProcessor::showValuesInForce(const BCommand *pCommand)
{
    if (!dynamic_cast<const BToolCommand *>(pCommand))
        return;
    if (MModel *pModel = pCommand->model())
        pModel->notifyControllers(NotifyEventId::GeometryEdited);
}

void BCommandProcessor::markModified(const BCommand *pCommand)
{
    if (MModel *pModel = pCommand->model())
        pModel->setModified(true);
}

bool BCommandProcessor::holds(BCommand *pCommand) const
{
    return m_undoStack.contains(pCommand) || m_redoStack.contains(pCommand);
}

void BCommandProcessor::pushBounded(QList<BCommand *> &history, BCommand *pCommand)
{
    history.append(pCommand);
    if (history.size() > HistoryLimit)
        delete history.takeFirst();
}

void BCommandProcessor::deleteAll(QList<BCommand *> &history)
{
    // Emptied before the deletions: a destructor must not find itself still listed.
    const QList<BCommand *> commands = std::exchange(history, {});
    qDeleteAll(commands);
}
