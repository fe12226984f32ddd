#include "commands/BEditDeleteCommand.h"

#include "commands/BCommandId.h"

BEditDeleteCommand::BEditDeleteCommand(int)
    : BCommand(BCommandMode::Discard)
{
    m_controls.setNotOwner(true);
}

BEditDeleteCommand::~BEditDeleteCommand()
{
    // The composite destroys what it owns when it goes.
    m_controls.setNotOwner(state() != BCommandState::Done);
}

bool BEditDeleteCommand::run(int)
{
    if (!model() || !model()->collectSelection(&m_controls))
        return false;
    submit(this);
    return true;
}

void BEditDeleteCommand::doCommand()
{
    BCommand::doCommand();
    if (model())
        model()->deselectControls(&m_controls, &m_places);
    setMode(BCommandMode::Undoable);
}

void BEditDeleteCommand::undoCommand()
{
    BCommand::undoCommand();
    if (model())
        model()->selectControls(&m_controls, &m_places);
}

QString BEditDeleteCommand::name() const
{
    return tr("Delete");
}

int BEditDeleteCommand::id() const
{
    return BCommandId::EditDelete;
}
