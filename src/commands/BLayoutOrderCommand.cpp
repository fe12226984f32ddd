#include "commands/BLayoutOrderCommand.h"

#include "commands/BCommandProcessor.h"
#include "model/CComposite.h"
#include "model/CControl.h"
#include "model/MModel.h"
#include "widgets/WWidget.h"

#include <algorithm>

namespace {

// The lowest and highest z among the widgets of some controls.
struct LayerRange
{
    qreal low = 0.0;
    qreal high = 0.0;
    bool valid = false;
};

LayerRange layerRange(const QList<CControl *> &controls)
{
    LayerRange range;
    for (const CControl *pControl : controls) {
        for (const QPointer<WWidget> &pWidget : pControl->widgets()) {
            if (!pWidget || !pWidget->widget())
                continue;
            const qreal z = pWidget->widgetProperty("z").toReal();
            range.low = range.valid ? qMin(range.low, z) : z;
            range.high = range.valid ? qMax(range.high, z) : z;
            range.valid = true;
        }
    }
    return range;
}

// Keeps each control's own layers (a fader's box below its track).
void shiftLayers(const QList<CControl *> &controls, qreal by)
{
    if (by == 0.0)
        return;
    for (const CControl *pControl : controls) {
        for (const QPointer<WWidget> &pWidget : pControl->widgets()) {
            if (pWidget && pWidget->widget())
                pWidget->setWidgetProperty("z", pWidget->widgetProperty("z").toReal() + by);
        }
    }
}

} // namespace

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
    if (selected.isEmpty())
        return;
    const QList<CControl *> before = pPanel->children();
    const QList<CControl *> after = reordered(before, selected);
    m_savedLayers = layersOf(before);
    restack(before, after, selected);
    apply(pPanel, after);
}

void BLayoutOrderCommand::undoCommand()
{
    BCommand::undoCommand();
    CComposite *pPanel = currentPanel();
    if (!pPanel)
        return;
    restoreLayers(m_savedLayers);
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

// Ties of z go by the panel's order, which the moves have settled: a shift
// only as far as the highest (lowest) z of those passed is enough.
void BLayoutOrderCommand::restack(const QList<CControl *> &before, const QList<CControl *> &after,
                                  const QList<CControl *> &selected) const
{
    QList<CControl *> others;
    QList<CControl *> passed;
    for (CControl *pOther : after) {
        if (selected.contains(pOther))
            continue;
        others.append(pOther);
        for (CControl *pControl : selected) {
            const bool wasAbove = before.indexOf(pOther) > before.indexOf(pControl);
            const bool isAbove = after.indexOf(pOther) > after.indexOf(pControl);
            if (passesAll() || (raises() ? wasAbove && !isAbove : !wasAbove && isAbove)) {
                passed.append(pOther);
                break;
            }
        }
    }
    const LayerRange moving = layerRange(selected);
    const LayerRange past = layerRange(passed);
    if (!moving.valid || !past.valid)
        return;
    if (raises()) {
        shiftLayers(selected, qMax(0.0, past.high - moving.low));
        return;
    }
    const qreal by = past.low - moving.high;
    if (by >= 0.0)
        return;
    // The file keeps no z below zero: the others rise instead.
    const qreal lift = qMax(0.0, -(moving.low + by));
    shiftLayers(selected, by + lift);
    shiftLayers(others, lift);
}

BLayoutOrderCommand::Layers BLayoutOrderCommand::layersOf(const QList<CControl *> &controls)
{
    Layers layers;
    for (const CControl *pControl : controls) {
        for (const QPointer<WWidget> &pWidget : pControl->widgets()) {
            if (pWidget && pWidget->widget())
                layers.append({pWidget, pWidget->widgetProperty("z").toReal()});
        }
    }
    return layers;
}

void BLayoutOrderCommand::restoreLayers(const Layers &layers)
{
    for (const auto &layer : layers) {
        if (layer.first && layer.first->widget())
            layer.first->setWidgetProperty("z", layer.second);
    }
}

void BLayoutOrderCommand::apply(CComposite *pPanel, const QList<CControl *> &order)
{
    if (pPanel->reorderChildren(order) && model())
        model()->reparentToCanvas(pPanel);
}
