#include "OnlineFixture.h"

#include "hardware/HChassis.h"
#include "hardware/HComposite.h"
#include "hardware/HRoot.h"
#include "model/CComposite.h"
#include "model/CControl.h"
#include "model/MModel.h"
#include "support/FakeNodes.h"
#include "transforms/TTransform.h"
#include "widgets/MQmlInterface.h"
#include "widgets/WDelegate.h"

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>

namespace {

// A group of blocks, as a control group or a room-combining group is.
class FakeGroup : public HComposite
{
public:
    QString category() const override { return QStringLiteral("Groups"); }
};

} // namespace

OnlineFixture::OnlineFixture()
{
    MModel *pModel = model();
    pModel->setCanvas(&m_canvas);
    pModel->init();
    if (auto *pInterface = qobject_cast<MQmlInterface *>(m_qml.intrf()))
        pInterface->setModel(pModel);
    WDelegate::instance()->setFactory(m_qml.factory());
    m_pScene = new CComposite;
    m_pScene->setKind(QStringLiteral("Scene"));
    m_pScene->setName(QStringLiteral("COLLECTION1"));
    pModel->scenes()->addChild(m_pScene);
    m_pPanel = addPanel(QStringLiteral("Home"));
    pModel->setCurrentPanel(m_pPanel);
}

// Offline first, then the document, then the processors with their
// transports, before the canvas and the model go.
OnlineFixture::~OnlineFixture()
{
    MModel *pModel = model();
    pModel->setConnectionEnabled(false);
    pModel->scenes()->clear();
    flushDeletes();
    HRoot *pRoot = pModel->rootNode();
    while (pRoot->childCount() > 0) {
        HNode *pNode = pRoot->childAt(0);
        pRoot->removeChild(pNode);
        delete pNode;
    }
    flushDeletes();
    WDelegate::instance()->setFactory(nullptr);
}

QTimer *OnlineFixture::pollTimer()
{
    return model()->findChild<QTimer *>(QStringLiteral("polling"));
}

CComposite *OnlineFixture::addPanel(const QString &name)
{
    auto *pPanel = new CComposite;
    pPanel->setKind(QStringLiteral("Panel"));
    pPanel->setName(name);
    m_pScene->addChild(pPanel);
    pPanel->setContextObject(model());
    return pPanel;
}

HChassis *OnlineFixture::processor(const QString &label, bool listening, FakeProcessorServer::Mode mode)
{
    auto pServer = std::make_unique<FakeProcessorServer>(mode);
    if (!pServer->listen())
        return nullptr;
    if (!listening)
        pServer->stopListening();
    auto *pChassis = new HChassis;
    pChassis->setLabel(label);
    pChassis->setProperty(QStringLiteral("ipaddress"), pServer->address().toString());
    pChassis->setProperty(QStringLiteral("serialport"), QString::number(pServer->port()));
    model()->rootNode()->addNode(pChassis);
    m_processors.push_back({pChassis, std::move(pServer)});
    return pChassis;
}

FakeProcessorServer *OnlineFixture::server(const HChassis *pChassis) const
{
    for (const Processor &processor : m_processors) {
        if (processor.pChassis == pChassis)
            return processor.pServer.get();
    }
    return nullptr;
}

HNode *OnlineFixture::block(HNode *pParent, const QString &label)
{
    auto *pNode = new FakeNode(QStringLiteral("Blocks"), label);
    pParent->addNode(pNode);
    return pNode;
}

HNode *OnlineFixture::group(HNode *pParent, const QString &label)
{
    auto *pGroup = new FakeGroup;
    pGroup->setLabel(label);
    pParent->addNode(pGroup);
    return pGroup;
}

CControl *OnlineFixture::boundControl(const QString &name, HNode *pNode, int index1, CComposite *pPanel)
{
    auto *pControl = new CControl;
    pControl->setKind(QStringLiteral("Control"));
    pControl->setName(name);
    pControl->setType(QStringLiteral("Label"));
    pControl->setNode(pNode);
    pControl->setAttribute(QStringLiteral("list"), QStringLiteral("struct"), QStringLiteral("1"));
    pControl->setAttribute(QStringLiteral("list"), QStringLiteral("index1"), QString::number(index1));
    pControl->setAttribute(QStringLiteral("list"), QStringLiteral("transform"), QStringLiteral("text"));
    (pPanel ? pPanel : m_pPanel)->addChild(pControl);
    pControl->setContextObject(model());
    pControl->initialize();
    if (TTransform *pTransform = pControl->transform())
        pTransform->setPollDivider(1);
    return pControl;
}

void OnlineFixture::goOnline(bool on)
{
    model()->setConnectionEnabled(on);
    model()->collectInterfaces();
}

void OnlineFixture::flushDeletes()
{
    for (int pass = 0; pass < 3; ++pass)
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}
