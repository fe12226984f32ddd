#pragma once

#include "commands/BCommand.h"

#include <QPointer>
#include <QPointF>

class MQmlInterface;

// Common ground of the drops from the project tree: the bridge whose drop
// fields they read, the grid snap of the drop point, the size a new control
// starts with, and the hand-over of the object they built between the
// document (while done) and the command (while undone). Never made by id.
class BDropCommand : public BCommand
{
    Q_DECLARE_TR_FUNCTIONS(BDropCommand)

public:
    explicit BDropCommand(int mode = BCommandMode::Undoable);
    // Destroys the built object when the command owns it (undone).
    ~BDropCommand() override;

    // The control, link or panel the drop built; null when it built nothing.
    CControl *control() const;

protected:
    // The QML bridge given as the source, or null.
    MQmlInterface *bridge() const;
    // The bridge's drop point on the grid of the model's view scale.
    QPointF snappedDropPoint() const;
    // The size last stored for the control's type, at least its minimum,
    // at the control's place, moved inside the panel's drawing area when it
    // would hang past an edge (the next open would rescale the panel to fit it).
    void sizeControl(CControl *pControl) const;
    // The control alone becomes the select tool's selection.
    void selectControl(CControl *pControl) const;
    // Takes the element (a control, or a panel with its controls) out of the
    // select tool's selection and out of mode 1.
    void releaseSelection(CControl *pElement) const;
    // Whether the element's composite lists it.
    static bool isListed(const CControl *pElement);
    // Destroys an element that no composite lists any more.
    static void destroyUnlisted(CControl *pElement);
    // A drop that built nothing: performed once and deleted, nothing filed.
    void refuse();

    QPointer<CControl> m_pControl;
};
