#pragma once

#include <QList>
#include <QPointer>

class BCommand;
class KMainController;

// Performs commands and keeps the undo and redo histories, each at most
// HistoryLimit commands long (oldest first). Owns every command handed to it
// and keeps the main window's Undo, Redo, Undo List and Paste actions in step.
// One per process; the model deletes it with every command it holds.
class BCommandProcessor
{
public:
    static constexpr int HistoryLimit = 100;

    static BCommandProcessor *instance();
    ~BCommandProcessor();

    // Performs the command and files, deletes or clears by its mode after
    // performing; a null command only refreshes the actions.
    void execute(BCommand *pCommand);
    void undo();
    void redo();
    // index + 1 steps; steps past an empty history do nothing.
    void undoTo(int index);
    void redoTo(int index);
    int undoCount() const { return int(m_undoStack.size()); }
    int redoCount() const { return int(m_redoStack.size()); }
    // How many commands execute has taken over so far.
    int executedCount() const { return m_nExecuted; }
    // Counted from the oldest; null outside the history.
    BCommand *undoCommandAt(int index) const;
    BCommand *redoCommandAt(int index) const;
    // Deletes every command of both histories.
    void clear();
    void setMainController(KMainController *pController);
    // The clipboard holds controls ("application/control").
    bool canPaste() const;
    void updateActions();
    // The undo-list dialog on this processor, run modally.
    void showUndoList();
    void dumpStack(const QList<BCommand *> &stack) const;

private:
    BCommandProcessor();
    Q_DISABLE_COPY(BCommandProcessor)

    bool holds(BCommand *pCommand) const;
    // Has the panes show the values that undoing or redoing a gesture put in force.
    static void showValuesInForce(const BCommand *pCommand);
    static void markModified(const BCommand *pCommand);
    static void pushBounded(QList<BCommand *> &history, BCommand *pCommand);
    static void deleteAll(QList<BCommand *> &history);
    void enableAction(int actionId, bool enabled);

    QList<BCommand *> m_undoStack;
    QList<BCommand *> m_redoStack;
    QPointer<KMainController> m_pMainController;
    int m_nExecuted = 0;

    static BCommandProcessor *s_pInstance;
};
