#pragma once

#include "model/CComposite.h"
#include "support/QmlCanvasFixture.h"

#include <QList>
#include <QPair>
#include <QString>

class CControl;
class HNode;
class WWidget;

// A panel on a headless canvas whose controls get their widgets from the
// real QML files, element by element as the project reader hands them over.
// Saved settings read back through the XML reader, so a test can save a
// widget and load what was written into a fresh control.
class WidgetFixture
{
public:
    // Element name and text, in order.
    using Settings = QList<QPair<QString, QString>>;

    WidgetFixture();
    ~WidgetFixture();

    QmlCanvasFixture &canvas() { return m_canvas; }
    MModel *model() { return m_canvas.model(); }
    CComposite *panel() { return &m_panel; }

    // A new control on the panel, bound to the model and, when given, the node.
    CControl *addControl(const QString &name, const QString &type, HNode *pNode = nullptr);
    // Reads one widget of the type into the control; null when none was made.
    static WWidget *readWidget(CControl *pControl, const QString &type, const Settings &settings);

    // What the widget writes, as bytes and as its leaf elements with a text.
    static QByteArray saveBytes(WWidget *pWidget);
    static Settings saved(WWidget *pWidget);
    static QStringList names(const Settings &settings);
    // The value of the first element of that name; a null text when absent.
    static QString valueOf(const Settings &settings, const QString &name);

    // Saves the widget and reads what was written into a new control of the
    // same name, type and node: the round trip of the project file.
    WWidget *reload(WWidget *pWidget);

private:
    QmlCanvasFixture m_canvas;
    CComposite m_panel;
};
