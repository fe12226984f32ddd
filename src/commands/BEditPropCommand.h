#pragma once

#include "commands/BCommand.h"

#include <QPointer>
#include <QVariant>

class WWidget;

// One change of one widget setting made on a property page. Running it reads
// the value in force; an edit that changes nothing deletes itself and is never
// filed. Applying, undoing and redoing select the widget again and broadcast
// selection-changed so that the Properties tab shows the value now in force.
// The widget is guarded: once it is gone the command only keeps its state.
class BEditPropCommand : public BCommand
{
    Q_DECLARE_TR_FUNCTIONS(BEditPropCommand)

public:
    explicit BEditPropCommand(int mode = BCommandMode::Undoable);
    ~BEditPropCommand() override;

    void doCommand() override;
    void undoCommand() override;
    // Files the command; not when the widget is gone or the value would not change.
    bool run(int value) override;
    // "Edit: " and the value that the next undo (done) or redo (otherwise) sets.
    QString description() const override;
    QString name() const override;
    int id() const override;

    // The widget, its control and that control's model; none clears all three.
    void setControl(WWidget *pWidget);
    WWidget *widget() const { return m_pWidget; }
    CControl *control() const;

    void setPropertyId(int id) { m_nPropertyId = id; }
    int propertyId() const { return m_nPropertyId; }
    void setNewValue(const QVariant &value) { m_newValue = value; }
    const QVariant &newValue() const { return m_newValue; }
    const QVariant &oldValue() const { return m_oldValue; }

private:
    // Whether applying it would change the widget's value in force.
    bool changesValue() const;
    void apply(const QVariant &value);

    QPointer<WWidget> m_pWidget;
    QPointer<CControl> m_pControl;
    int m_nPropertyId;
    QVariant m_oldValue;
    QVariant m_newValue;
};
