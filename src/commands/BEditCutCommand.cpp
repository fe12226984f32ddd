#include "commands/BEditCutCommand.h"

#include "commands/BCommandId.h"

BEditCutCommand::BEditCutCommand(int)
{
    setMode(BCommandMode::Undoable);
    m_controls.setNotOwner(true);
}

BEditCutCommand::~BEditCutCommand()
{
    // The composite destroys what it owns when it goes.
    m_controls.setNotOwner(state() != BCommandState::Done);
}

bool BEditCutCommand::run(int)
{
    // Nothing leaves the panel unless it reached the clipboard.
    if (!copyToClipboard(&m_controls)) {
        m_controls.clear();
        return false;
    }
    submit(this);
    return true;
}

void BEditCutCommand::doCommand()
{
    BCommand::doCommand();
    if (model())
        model()->deselectControls(&m_controls, &m_places);
}

void BEditCutCommand::undoCommand()
{
    BCommand::undoCommand();
    if (model())
        model()->selectControls(&m_controls, &m_places);
}

QString BEditCutCommand::name() const
{
    return tr("Cut");
}

int BEditCutCommand::id() const
{
    return BCommandId::EditCut;
}
