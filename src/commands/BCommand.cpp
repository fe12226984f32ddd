#include "commands/BCommand.h"

#include "commands/BCommandProcessor.h"
#include "model/CComposite.h"
#include "model/CControl.h"
#include "model/MModel.h"
#include "utility/LogCategories.h"

#include <QDebug>

BCommand::BCommand(int mode)
    : m_nMode(mode)
    , m_nState(BCommandState::New)
    , m_bActive(false)
    , m_nModifiers(0)
{
}

BCommand::~BCommand() = default;

void BCommand::doCommand()
{
    reselect();
    m_nState = BCommandState::Done;
}

void BCommand::undoCommand()
{
    reselect();
    m_nState = BCommandState::Undone;
}

void BCommand::reselect()
{
    if (!m_pModel)
        return;
    m_pModel->selectScene(m_sSceneName);
    m_pModel->setCurrentPanel(m_pPanel);
}

void BCommand::prepare()
{
    if (!m_pModel)
        return;
    m_pPanel = m_pModel->currentPanel();
    if (CControl *pScene = m_pModel->currentChildIn(QStringLiteral("Scenes")))
        m_sSceneName = pScene->name();
}

bool BCommand::run(int)
{
    return false;
}

void BCommand::mouseEvent(const QPointF &, int, int, int)
{
}

void BCommand::keyEvent(int, int, int, bool, int)
{
}

void BCommand::setActive(bool active)
{
    m_bActive = active;
}

void BCommand::select(CControl *)
{
}

void BCommand::reset()
{
}

QString BCommand::description() const
{
    return name();
}

void BCommand::dump() const
{
    qCDebug(lcCommands).noquote() << "Command:" << name() << static_cast<const void *>(this);
}

QString BCommand::name() const
{
    return tr("");
}

int BCommand::id() const
{
    return 0;
}

QList<CControl *> BCommand::selectedControls() const
{
    if (!m_pModel)
        return {};
    CComposite selection;
    selection.setNotOwner(true);
    m_pModel->collectSelection(&selection);
    const QList<CControl *> controls = selection.children();
    selection.clear();
    return controls;
}

void BCommand::submit(BCommand *pCommand)
{
    BCommandProcessor::instance()->execute(pCommand);
}

MModel *BCommand::model() const
{
    return m_pModel;
}

void BCommand::setModel(MModel *pModel)
{
    m_pModel = pModel;
}

CControl *BCommand::panel() const
{
    return m_pPanel;
}

CControl *BCommand::target() const
{
    return m_pTarget;
}

void BCommand::setTarget(CControl *pTarget)
{
    m_pTarget = pTarget;
}
