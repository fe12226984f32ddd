#pragma once

#include <QCoreApplication>
#include <QList>
#include <QPointer>
#include <QPointF>
#include <QString>

class CControl;
class MModel;

// What the processor does with a command once it has performed it.
namespace BCommandMode {
constexpr int Discard = 0;      // delete it at once
constexpr int Undoable = 1;     // file it in the undo history
constexpr int ClearHistory = 2; // clear both histories, then delete it
} // namespace BCommandMode

namespace BCommandState {
constexpr int New = 0;
constexpr int Done = 1;
constexpr int Undone = 2;
constexpr int Cancelled = 3;
} // namespace BCommandState

// Base of every document command. A command is made by id through the
// factory, prepared (it records the scene and panel it acts on), and handed
// to the processor, which performs it and files it for undo. Every
// operation has a neutral default.
class BCommand
{
    Q_DECLARE_TR_FUNCTIONS(BCommand)

public:
    explicit BCommand(int mode = BCommandMode::Undoable);
    virtual ~BCommand();

    // Re-select the scene and panel acted on, then the state change; a
    // command reads its state first to tell a redo from the first run.
    virtual void doCommand();
    virtual void undoCommand();
    // Records the current panel and scene and marks the project modified.
    virtual void prepare();
    // Acts on the current selection or value; true when the command handed
    // itself to the processor, which then owns it. False leaves it with the
    // caller (nothing to act on, or a tool that is never filed).
    virtual bool run(int value);
    // phase: 1 press, 2 move, 3 release; handle: a resize edge, a vertex or -1.
    virtual void mouseEvent(const QPointF &point, int handle, int id, int phase);
    virtual void keyEvent(int key, int modifiers, int id, bool autoRepeat, int phase);
    virtual void setActive(bool active);
    virtual void select(CControl *pControl);
    virtual void reset();
    // The text of the undo list.
    virtual QString description() const;
    virtual void dump() const;
    virtual QString name() const;
    virtual int id() const;

    // Hands a command to the process-wide processor, which takes it over.
    static void submit(BCommand *pCommand);

    int mode() const { return m_nMode; }
    void setMode(int mode) { m_nMode = mode; }
    int state() const { return m_nState; }
    void setState(int state) { m_nState = state; }
    bool isActive() const { return m_bActive; }
    int modifiers() const { return m_nModifiers; }
    void setModifiers(int modifiers) { m_nModifiers = modifiers; }
    MModel *model() const;
    void setModel(MModel *pModel);
    // The QML bridge whose drop fields a drop command reads.
    QObject *source() const { return m_pSource; }
    void setSource(QObject *pSource) { m_pSource = pSource; }
    CControl *panel() const;
    // The control whose outline a vertex tool edits.
    CControl *target() const;
    void setTarget(CControl *pTarget);
    const QString &sceneName() const { return m_sSceneName; }

protected:
    // The selected controls of the whole document, in document order.
    QList<CControl *> selectedControls() const;

private:
    Q_DISABLE_COPY(BCommand)

    void reselect();

    int m_nMode;
    int m_nState;
    bool m_bActive;
    int m_nModifiers;
    QPointer<MModel> m_pModel;
    QPointer<QObject> m_pSource;
    QPointer<CControl> m_pPanel;
    QPointer<CControl> m_pTarget;
    QString m_sSceneName;
};
