#pragma once

#include "commands/BToolSelectCommand.h"

#include <QStringList>

// A select tool that writes what the canvas hands it to a log:
// "mouse <x>,<y> handle <h> id <hex> phase <p>", "key <key> mods <m> id <hex>
// repeat <0|1> phase <p>" and "run <value>", then does what the real tool does.
class RecordingSelectTool : public BToolSelectCommand
{
public:
    explicit RecordingSelectTool(QStringList *pLog);

    void mouseEvent(const QPointF &point, int handle, int id, int phase) override;
    void keyEvent(int key, int modifiers, int id, bool autoRepeat, int phase) override;
    bool run(int value) override;

private:
    QStringList *m_pLog;
};
