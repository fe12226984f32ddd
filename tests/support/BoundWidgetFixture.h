#pragma once

#include "model/CCanvas.h"
#include "support/FakeNodes.h"
#include "support/RecordingProtocol.h"
#include "support/WidgetFixture.h"

class CControl;
class TTransform;
class WWidget;

// One widget of a kind in a control on a headless canvas, read from its
// settings as the project reader hands them over, then bound through a real
// transform to a node whose protocol records what goes out. Without a node
// the control is unbound. The model's canvas has the default skin and accent.
class BoundWidgetFixture
{
public:
    using Settings = WidgetFixture::Settings;

    // The binding's attributes go under the element ("list" or "range"); the
    // node (null for none) goes to the control, which owns it while it is in
    // no hardware tree. A node without a label is labelled "Zone 1". The
    // control's type is what the Properties tab looks its page up by
    // ("LevelButtons" finds the widget "levelbutton").
    BoundWidgetFixture(const QString &widgetType, const Settings &widgetSettings, const Settings &binding,
                       const QString &element = QStringLiteral("list"), FakeNode *pNode = new FakeNode,
                       const QString &controlName = QStringLiteral("Control"),
                       const QString &controlType = QStringLiteral("Control"));

    // A list binding through "chrL" over the value letters.
    static Settings letters(const QString &set);
    // A range binding through "strV".
    static Settings range(const QString &minimum, const QString &maximum, const QString &step,
                          const QString &units = QString());

    TTransform *transform() const;
    // The device answers with this text, as the protocol hands it over.
    void reply(const QString &text);

    RecordingProtocol protocol;
    CCanvas canvas;
    WidgetFixture fx;
    FakeNode *node;
    CControl *control = nullptr;
    WWidget *widget = nullptr;
};
