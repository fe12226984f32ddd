#pragma once

#include "commands/BToolVertexCommand.h"

// Inserts a vertex into the target's outline at a list position.
class BToolInsertVertexCommand : public BToolVertexCommand
{
    Q_DECLARE_TR_FUNCTIONS(BToolInsertVertexCommand)

public:
    explicit BToolInsertVertexCommand(int mode = BCommandMode::Undoable);
    ~BToolInsertVertexCommand() override;

    // handle: the list position of the new vertex; point: the vertex.
    void mouseEvent(const QPointF &point, int handle, int id, int phase) override;
    QString name() const override;
    int id() const override;

protected:
    void perform() override;
    bool isReady() const override;
};
