#pragma once

#include "commands/BCommand.h"

#include <QList>
#include <QPointer>
#include <QRectF>

// Base of the align and distribute commands; never made by id. Acts on the
// selected controls of the document, in document order, and remembers each
// one's rectangle before the first run: undo moves each back to it.
class BAlignCommand : public BCommand
{
    Q_DECLARE_TR_FUNCTIONS(BAlignCommand)

public:
    explicit BAlignCommand(int mode = BCommandMode::Undoable);
    ~BAlignCommand() override;

    // Gathers the selection and its rectangles; filed only when something is selected.
    bool run(int value) override;
    // Aligns every control to the selection's bounding rectangle by the flag.
    void doCommand() override;
    void undoCommand() override;
    QString name() const override;
    int id() const override;

    // One Qt alignment flag.
    int alignment() const { return m_nAlignment; }

protected:
    QList<CControl *> controls() const;
    // The union of the controls' rectangles.
    static QRectF boundsOf(const QList<CControl *> &controls);
    // The offset that aligns `rect` to `target` by `flag`.
    static QPointF alignOffset(const QRectF &target, const QRectF &rect, int flag);
    // Each control aligned on its own to `target`.
    void alignEach(const QRectF &target, int flag) const;
    // The selection moved as one block so that its bounds align to `target`.
    void alignBlock(const QRectF &target, int flag) const;
    // Keeps the outer two controls and spaces the centres of the others evenly.
    void distribute(Qt::Orientation orientation) const;
    // The canvas's rectangle; empty without a canvas.
    QRectF canvasRect() const;

    int m_nAlignment;

private:
    QList<QPointer<CControl>> m_controls;
    QList<QRectF> m_savedRects;
};
