#include "commands/BLayoutOrderCommand.h"

#include "commands/BCommandProcessor.h"
#include "model/CComposite.h"
#include "model/MModel.h"

#include <algorithm>

BLayoutOrderCommand::BLayoutOrderCommand(int mode)
    : BCommand(mode)
{
}

BLayoutOrderCommand::~BLayoutOrderCommand() = default;

CComposite *BLayoutOrderCommand::currentPanel() const
{
    return qobject_cast<CComposite *>(panel());
}

bool BLayoutOrderCommand::run(int)
{
    if (!model())
        return false;
    const QList<CControl *> selection = selectedControls();
    if (CComposite *pPanel = currentPanel(); pPanel && !selection.isEmpty()) {
        for (CControl *pControl : selection) {
            m_controls.append(pControl);
            m_savedIndices.append(pPanel->indexOf(pControl));
        }
    }
    if (selection.isEmpty())
        return false;
    BCommandProcessor::instance()->execute(this);
    return true;
}

void BLayoutOrderCommand::doCommand()
{
    BCommand::doCommand();
    CComposite *pPanel = currentPanel();
    if (!pPanel)
        return;
    QList<CControl *> selected;
    for (const QPointer<CControl> &pControl : std::as_const(m_controls)) {
        if (pControl && pPanel->contains(pControl))
            selected.append(pControl);
    }
    if (!selected.isEmpty())
        apply(pPanel, reordered(pPanel->children(), selected));
}

void BLayoutOrderCommand::undoCommand()
{
    BCommand::undoCommand();
    CComposite *pPanel = currentPanel();
    if (!pPanel)
        return;
    // Every moved control out first, then back lowest index first: each one
    // lands where it was, since all below it are in place by then.
    QList<QPair<int, CControl *>> moved;
    for (int i = 0; i < m_controls.size(); ++i) {
        CControl *pControl = m_controls.at(i);
        if (pControl && m_savedIndices.at(i) >= 0 && pPanel->contains(pControl))
            moved.append({m_savedIndices.at(i), pControl});
    }
    if (moved.isEmpty())
        return;
    std::stable_sort(moved.begin(), moved.end(),
                     [](const auto &a, const auto &b) { return a.first < b.first; });
    QList<CControl *> order = pPanel->children();
    for (const auto &entry : std::as_const(moved))
        order.removeOne(entry.second);
    for (const auto &entry : std::as_const(moved))
        order.insert(qBound(0, entry.first, int(order.size())), entry.second);
    apply(pPanel, order);
}

void BLayoutOrderCommand::apply(CComposite *pPanel, const QList<CControl *> &order)
{
    if (pPanel->reorderChildren(order) && model())
        model()->reparentToCanvas(pPanel);
}
