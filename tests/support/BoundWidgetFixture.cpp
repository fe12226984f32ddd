#include "support/BoundWidgetFixture.h"

#include "model/CControl.h"
#include "transforms/TTransform.h"
#include "widgets/WWidget.h"

BoundWidgetFixture::BoundWidgetFixture(const QString &widgetType, const Settings &widgetSettings,
                                       const Settings &binding, const QString &element, FakeNode *pNode,
                                       const QString &controlName, const QString &controlType)
    : node(pNode)
{
    fx.model()->setCanvas(&canvas);
    if (node) {
        if (node->label().isEmpty())
            node->setLabel(QStringLiteral("Zone 1"));
        node->setProtocol(&protocol);
    }
    control = fx.addControl(controlName, controlType, node);
    for (const auto &attribute : binding)
        control->setAttribute(element, attribute.first, attribute.second);
    control->updateFractionDigits();
    widget = WidgetFixture::readWidget(control, widgetType, widgetSettings);
    control->initialize();
    control->attachModel(fx.model());
    protocol.clear();
}

BoundWidgetFixture::Settings BoundWidgetFixture::letters(const QString &set)
{
    return {{QStringLiteral("set"), set}, {QStringLiteral("transform"), QStringLiteral("chrL")}};
}

BoundWidgetFixture::Settings BoundWidgetFixture::range(const QString &minimum, const QString &maximum,
                                                       const QString &step, const QString &units)
{
    return {{QStringLiteral("minimum"), minimum},
            {QStringLiteral("maximum"), maximum},
            {QStringLiteral("step"), step},
            {QStringLiteral("units"), units},
            {QStringLiteral("format"), QStringLiteral("nn.n")},
            {QStringLiteral("transform"), QStringLiteral("strV")}};
}

TTransform *BoundWidgetFixture::transform() const
{
    return control ? control->transform() : nullptr;
}

void BoundWidgetFixture::reply(const QString &text)
{
    if (TTransform *pTransform = transform())
        pTransform->deliverReply(text);
}
