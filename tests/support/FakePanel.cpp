#include "support/FakePanel.h"

#include "hardware/CParameter.h"
#include "hardware/HNode.h"
#include "widgets/WWidget.h"

namespace {

const QSizeF DefaultSize(100, 40);

} // namespace

FakePanel::FakePanel(const QString &name)
    : m_graphics({QStringLiteral("Frame"), QStringLiteral("Label"), QStringLiteral("Image")})
{
    setKind(QStringLiteral("Panel"));
    setName(name);
    m_sizes.insert(QStringLiteral("PanelLink"), QSizeF(120, 30));
}

CControl *FakePanel::createControlForNode(HNode *, HNode *pNode, const QString &name, const QPointF &position)
{
    const CParameter *pParameter = pNode ? pNode->findParameter(name) : nullptr;
    return pParameter ? build(name, pParameter->type(), pNode, position) : nullptr;
}

CControl *FakePanel::createFromGraphics(const QString &name, const QPointF &position)
{
    return m_graphics.contains(name) ? build(name, name, nullptr, position) : nullptr;
}

CControl *FakePanel::createPanelLink(CControl *pTarget, const QPointF &position)
{
    CControl *pLink = build(QStringLiteral("Link"), QStringLiteral("PanelLink"), nullptr, position);
    if (pLink)
        m_targets.insert(pLink, pTarget);
    return pLink;
}

CControl *FakePanel::build(const QString &name, const QString &type, HNode *pNode, const QPointF &position)
{
    auto *pControl = new CControl;
    pControl->setKind(QStringLiteral("Control"));
    pControl->setName(name);
    pControl->setType(type);
    if (pNode)
        pControl->setNode(pNode);
    const QString widgetType = type.toLower();
    const QSizeF size = m_sizes.value(type, DefaultSize);
    const QList<QPair<QString, double>> rect = {{QStringLiteral("x"), position.x()},
                                                {QStringLiteral("y"), position.y()},
                                                {QStringLiteral("width"), size.width()},
                                                {QStringLiteral("height"), size.height()}};
    for (const auto &setting : rect) {
        if (!pControl->createPrototype(widgetType, setting.first, QString::number(setting.second))) {
            pControl->setNode(nullptr); // the node is not the control's to delete
            delete pControl;
            return nullptr;
        }
    }
    pControl->finishWidget(widgetType);
    addChild(pControl);
    return pControl;
}
