#pragma once

#include "commands/BToolVertexCommand.h"

// Removes a vertex from the target's outline.
class BToolDeleteVertexCommand : public BToolVertexCommand
{
    Q_DECLARE_TR_FUNCTIONS(BToolDeleteVertexCommand)

public:
    explicit BToolDeleteVertexCommand(int mode = BCommandMode::Undoable);
    ~BToolDeleteVertexCommand() override;

    // handle: the index of the vertex to remove.
    void mouseEvent(const QPointF &point, int handle, int id, int phase) override;
    QString name() const override;
    int id() const override;

protected:
    void perform() override;
    bool isReady() const override;
};
