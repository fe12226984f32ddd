#pragma once

#include "model/CCanvas.h"
#include "support/FakeProcessorServer.h"
#include "support/QmlCanvasFixture.h"

#include <QList>
#include <QString>

#include <memory>
#include <vector>

class CComposite;
class CControl;
class HChassis;
class HNode;
class MModel;
class QQuickItem;
class QTimer;

// An initialised model on a headless QML canvas, its "intrf" the built-in
// interface object, with one scene whose panel "Home" is shown. Processors
// are real chassis nodes at 127.0.0.1, each answered by its own fake
// processor; the model goes online and offline as the editor's connection
// toggle has it.
class OnlineFixture
{
public:
    OnlineFixture();
    ~OnlineFixture();

    MModel *model() { return m_qml.model(); }
    CComposite *panel() const { return m_pPanel; }
    QObject *intrf() const { return m_qml.intrf(); }
    QQuickItem *canvas() const { return m_qml.canvas(); }
    QTimer *pollTimer();

    // A chassis in the hardware tree whose address and port are those of a
    // new fake processor; one not listening refuses every connection.
    HChassis *processor(const QString &label, bool listening = true,
                        FakeProcessorServer::Mode mode = FakeProcessorServer::Polling);
    FakeProcessorServer *server(const HChassis *pChassis) const;
    // A block below the node (a processor or a group).
    HNode *block(HNode *pParent, const QString &label);
    // A group below the node that holds blocks itself.
    HNode *group(HNode *pParent, const QString &label);
    // A control on the panel, asking in form 1 for index1 of the node
    // through a "text" transform; no widgets. Polled on every pass.
    CControl *boundControl(const QString &name, HNode *pNode, int index1, CComposite *pPanel = nullptr);
    CComposite *addPanel(const QString &name);

    // As the connection toggle: switch, collect the transports.
    void goOnline(bool on);

    // Runs deferred deletions, including those that deletions schedule.
    static void flushDeletes();

private:
    struct Processor
    {
        HChassis *pChassis;
        std::unique_ptr<FakeProcessorServer> pServer;
    };

    CCanvas m_canvas;
    QmlCanvasFixture m_qml;
    CComposite *m_pScene = nullptr;
    CComposite *m_pPanel = nullptr;
    std::vector<Processor> m_processors;
};
