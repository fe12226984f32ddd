#include "support/FaderFixture.h"

#include "model/CControl.h"
#include "widgets/WLabel.h"
#include "widgets/WSlider.h"
#include "widgets/WTextEdit.h"

FaderFixture::Settings FaderFixture::range(const QString &minimum, const QString &maximum, const QString &step,
                                           const QString &units, const QString &format)
{
    return {{QStringLiteral("minimum"), minimum},
            {QStringLiteral("maximum"), maximum},
            {QStringLiteral("step"), step},
            {QStringLiteral("units"), units},
            {QStringLiteral("format"), format}};
}

FaderFixture::FaderFixture(const Settings &binding, const QString &name, const QString &caption, FakeNode *pNode)
    : node(pNode)
{
    if (node) {
        if (node->label().isEmpty())
            node->setLabel(QStringLiteral("Zone 1"));
        node->setProtocol(&protocol);
    }
    control = fx.addControl(name, QStringLiteral("Slider"), node);
    for (const auto &attribute : binding)
        control->setAttribute(QStringLiteral("range"), attribute.first, attribute.second);
    control->setAttribute(QStringLiteral("range"), QStringLiteral("transform"), QStringLiteral("strV"));
    control->updateFractionDigits();
    const Widgets widgets = readTemplate(control, caption);
    label = widgets.label;
    fader = widgets.fader;
    text = widgets.text;
    protocol.clear();
}

FaderFixture::Widgets FaderFixture::readTemplate(CControl *pControl, const QString &caption)
{
    Widgets widgets;
    // The geometry of the built-in fader template.
    WidgetFixture::readWidget(pControl, QStringLiteral("frame"),
                              {{"x", "0"}, {"y", "0"}, {"width", "80"}, {"height", "360"}, {"z", "0"}});
    widgets.label = qobject_cast<WLabel *>(WidgetFixture::readWidget(
        pControl, QStringLiteral("label"),
        {{"x", "0"}, {"y", "0"}, {"width", "80"}, {"height", "28.8"}, {"heightfract", "0.08"}, {"text", caption}}));
    widgets.fader = qobject_cast<WSlider *>(WidgetFixture::readWidget(pControl, QStringLiteral("slider"),
                                                                      {{"id", "1"},
                                                                       {"link", "2"},
                                                                       {"x", "20"},
                                                                       {"y", "57.6"},
                                                                       {"width", "40"},
                                                                       {"height", "288"},
                                                                       {"xfract", "0.25"},
                                                                       {"yfract", "0.16"},
                                                                       {"widthfract", "0.5"},
                                                                       {"heightfract", "0.8"}}));
    widgets.text = qobject_cast<WTextEdit *>(WidgetFixture::readWidget(
        pControl, QStringLiteral("textedit"),
        {{"id", "2"}, {"link", "1"}, {"x", "8"}, {"y", "28.8"}, {"width", "64"}, {"height", "28.8"}}));
    pControl->initialize();
    return widgets;
}

void FaderFixture::drag(const QList<int> &positions)
{
    for (int position : positions) {
        fader->setIsSendNeeded(true);
        fader->outputValue(position);
    }
}

bool FaderFixture::dragKnob(WSlider *pFader, int position)
{
    QObject *pDragArea = nullptr;
    for (QObject *pChild : pFader->widget()->findChildren<QObject *>()) {
        if (pChild->property("dragging").isValid() && pChild->property("grabOffset").isValid())
            pDragArea = pChild;
    }
    if (!pDragArea)
        return false;
    pDragArea->setProperty("dragging", true);
    pFader->widget()->setProperty("value", position);
    pDragArea->setProperty("dragging", false);
    return true;
}

int FaderFixture::position() const
{
    return fader->widgetProperty("value").toInt();
}

QString FaderFixture::shownText() const
{
    return text->text();
}
