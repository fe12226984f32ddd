#pragma once

#include "commands/BCommand.h"

#include <QStringList>

#include <functional>

// A document command that changes nothing but writes to a shared log what the
// processor does with it: "do <label> <state seen>", "undo <label>" and
// "delete <label>". The mode it is made with is the mode it has once performed.
class RecordingCommand : public BCommand
{
public:
    static constexpr int Id = 0x7F00;

    RecordingCommand(const QString &label, QStringList *pLog, int mode = BCommandMode::Undoable);
    ~RecordingCommand() override;

    void doCommand() override;
    void undoCommand() override;
    QString name() const override { return m_sLabel; }
    int id() const override { return Id; }

    // Commands of this kind that exist now.
    static int liveCount() { return s_nLive; }

    // Runs inside doCommand, before the state change (a command acting on the processor).
    std::function<void()> onDo;

private:
    void log(const QString &line);

    QString m_sLabel;
    QStringList *m_pLog;
    static int s_nLive;
};
