#include "commands/BAlignCommand.h"

#include "commands/BCommandProcessor.h"
#include "model/CControl.h"
#include "model/MModel.h"

#include <QQuickItem>

#include <algorithm>

BAlignCommand::BAlignCommand(int mode)
    : BCommand(mode)
    , m_nAlignment(Qt::AlignHCenter | Qt::AlignVCenter)
{
}

BAlignCommand::~BAlignCommand() = default;

bool BAlignCommand::run(int)
{
    if (!model())
        return false;
    const QList<CControl *> selection = selectedControls();
    if (panel() && !selection.isEmpty()) {
        for (CControl *pControl : selection) {
            m_controls.append(pControl);
            m_savedRects.append(pControl->bounds());
        }
    }
    if (selection.isEmpty())
        return false;
    BCommandProcessor::instance()->execute(this);
    return true;
}

QList<CControl *> BAlignCommand::controls() const
{
    QList<CControl *> result;
    for (const QPointer<CControl> &pControl : m_controls) {
        if (pControl)
            result.append(pControl);
    }
    return result;
}

void BAlignCommand::doCommand()
{
    BCommand::doCommand();
    alignEach(boundsOf(controls()), m_nAlignment);
}

void BAlignCommand::undoCommand()
{
    BCommand::undoCommand();
    for (int i = 0; i < m_controls.size() && i < m_savedRects.size(); ++i) {
        if (CControl *pControl = m_controls.at(i)) {
            const QRectF now = pControl->bounds();
            pControl->moveBy(m_savedRects.at(i).topLeft() - now.topLeft());
        }
    }
}

QRectF BAlignCommand::boundsOf(const QList<CControl *> &controls)
{
    QRectF united;
    for (int i = 0; i < controls.size(); ++i) {
        const QRectF rect = controls.at(i)->bounds();
        // united() would drop a control of no size.
        united = i == 0 ? rect : QRectF(QPointF(qMin(united.left(), rect.left()), qMin(united.top(), rect.top())),
                                        QPointF(qMax(united.right(), rect.right()),
                                                qMax(united.bottom(), rect.bottom())));
    }
    return united;
}

QPointF BAlignCommand::alignOffset(const QRectF &target, const QRectF &rect, int flag)
{
    switch (flag) {
    case Qt::AlignLeft:
        return {target.x() - rect.x(), 0};
    case Qt::AlignRight:
        return {(target.width() + target.x()) - (rect.x() + rect.width()), 0};
    case Qt::AlignHCenter:
        return {(target.width() * 0.5 + target.x()) - (rect.width() * 0.5 + rect.x()), 0};
    case Qt::AlignTop:
        return {0, target.y() - rect.y()};
    case Qt::AlignBottom:
        return {0, (target.height() + target.y()) - (rect.height() + rect.y())};
    case Qt::AlignVCenter:
        return {0, (target.height() * 0.5 + target.y()) - (rect.height() * 0.5 + rect.y())};
    default:
        return {};
    }
}

void BAlignCommand::alignEach(const QRectF &target, int flag) const
{
    for (CControl *pControl : controls())
        pControl->moveBy(alignOffset(target, pControl->bounds(), flag));
}

void BAlignCommand::alignBlock(const QRectF &target, int flag) const
{
    const QList<CControl *> selection = controls();
    const QPointF offset = alignOffset(target, boundsOf(selection), flag);
    for (CControl *pControl : selection)
        pControl->moveBy(offset);
}

void BAlignCommand::distribute(Qt::Orientation orientation) const
{
    QList<CControl *> list = controls();
    if (list.size() <= 2)
        return;
    const bool across = orientation == Qt::Horizontal;
    const auto exactCentre = [across](const CControl *pControl) {
        const QRectF r = pControl->bounds();
        return across ? r.x() + r.width() * 0.5 : r.y() + r.height() * 0.5;
    };
    const auto centre = [&exactCentre](const CControl *pControl) { return float(exactCentre(pControl)); };
    // Equal centres keep the selection's order.
    std::stable_sort(list.begin(), list.end(),
                     [&centre](const CControl *a, const CControl *b) { return centre(a) < centre(b); });
    const float first = centre(list.first());
    const float step = (centre(list.last()) - first) / float(list.size() - 1);
    float position = first;
    for (int i = 1; i < list.size() - 1; ++i) {
        position += step;
        const double offset = double(position) - exactCentre(list.at(i));
        list.at(i)->moveBy(across ? QPointF(offset, 0) : QPointF(0, offset));
    }
}

QRectF BAlignCommand::canvasRect() const
{
    const QQuickItem *pCanvas = model() ? model()->qmlRootItem() : nullptr;
    return pCanvas ? QRectF(0, 0, pCanvas->width(), pCanvas->height()) : QRectF();
}

QString BAlignCommand::name() const
{
    return QStringLiteral("Align???");
}

int BAlignCommand::id() const
{
    return 0;
}
