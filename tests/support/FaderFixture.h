#pragma once

#include "support/FakeNodes.h"
#include "support/RecordingProtocol.h"
#include "support/WidgetFixture.h"

#include <QList>

class CControl;
class WLabel;
class WSlider;
class WTextEdit;

// A fader control on a headless canvas as its template builds it: frame,
// caption, fader and value text, the fader and the value text linked both
// ways, bound through a "strV" transform to a node whose protocol records
// what goes out. Without a node the control is unbound.
class FaderFixture
{
public:
    using Settings = WidgetFixture::Settings;

    // The binding's range settings: minimum, maximum, step, units, format.
    static Settings range(const QString &minimum, const QString &maximum, const QString &step,
                          const QString &units = QString(), const QString &format = QStringLiteral("nn.n"));

    // The node (null for none) goes to the control, which owns it while it
    // is in no hardware tree. A node without a label is labelled "Zone 1".
    explicit FaderFixture(const Settings &binding, const QString &name = QStringLiteral("Level"),
                          const QString &caption = QStringLiteral("*LABEL*"), FakeNode *pNode = new FakeNode);

    // The widgets the built-in fader template gives a control: read into
    // it, linked and initialised. Null members when the kinds are unknown.
    struct Widgets
    {
        WLabel *label = nullptr;
        WSlider *fader = nullptr;
        WTextEdit *text = nullptr;
    };
    static Widgets readTemplate(CControl *pControl, const QString &caption);

    // As QML does during a drag: each new position after "send needed".
    void drag(const QList<int> &positions);
    // The user's drag in the fader's QML: the knob moved to the position
    // while pressed, then let go.
    static bool dragKnob(WSlider *pFader, int position);
    // The knob position in QML.
    int position() const;
    // The value text shown.
    QString shownText() const;

    RecordingProtocol protocol;
    WidgetFixture fx;
    FakeNode *node;
    CControl *control = nullptr;
    WLabel *label = nullptr;
    WSlider *fader = nullptr;
    WTextEdit *text = nullptr;
};
