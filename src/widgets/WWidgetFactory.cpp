#include "widgets/WWidgetFactory.h"

#include "utility/LogCategories.h"
#include "widgets/MQmlInterface.h"
#include "widgets/WActiveCombo.h"
#include "widgets/WButton.h"
#include "widgets/WCmdButton.h"
#include "widgets/WComboSelection.h"
#include "widgets/WDialer.h"
#include "widgets/WDropList.h"
#include "widgets/WDropSite.h"
#include "widgets/WFrame.h"
#include "widgets/WImage.h"
#include "widgets/WLabel.h"
#include "widgets/WLevelButtons.h"
#include "widgets/WMeter.h"
#include "widgets/WMeterImage.h"
#include "widgets/WPanelLink.h"
#include "widgets/WRegion.h"
#include "widgets/WRoomSelection.h"
#include "widgets/WSlider.h"
#include "widgets/WTextEdit.h"
#include "widgets/WTextLink.h"
#include "widgets/WWidget.h"

#include <QDebug>
#include <QQmlComponent>
#include <QQmlEngine>
#include <QtQml>

namespace {

struct TypeEntry
{
    const char *type;
    const char *qmlFile;
};

// A kind joins this table when its QML file exists.
const TypeEntry TypeTable[] = {
    {"bounds", "qrc:/qmlcontrol/QmlBounds.qml"},
    {"dialer", "qrc:/qmlcontrol/QmlDialer.qml"},
    {"droplist", "qrc:/qmlcontrol/QmlDroplist.qml"},
    {"frame", "qrc:/qmlcontrol/QmlFrame.qml"},
    {"label", "qrc:/qmlcontrol/QmlLabel.qml"},
    {"panellink", "qrc:/qmlcontrol/QmlPanelLink.qml"},
    {"slider", "qrc:/qmlcontrol/QmlFader.qml"},
    {"textedit", "qrc:/qmlcontrol/QmlTextEdit.qml"},
    {"dropsite", "qrc:/qmlcontrol/QmlDropsite.qml"},
    {"region", "qrc:/qmlcontrol/QmlRegion.qml"},
    {"roomselector", "qrc:/qmlcontrol/QmlRoomSelector.qml"},
    {"activeroomcombo", "qrc:/qmlcontrol/QmlActiveRoomCombo.qml"},
    {"comboselector", "qrc:/qmlcontrol/QmlComboSelector.qml"},
    {"button", "qrc:/qmlcontrol/QmlButton.qml"},
    {"cmdbutton", "qrc:/qmlcontrol/QmlCmdButton.qml"},
    {"textlink", "qrc:/qmlcontrol/QmlTextLink.qml"},
    {"levelbutton", "qrc:/qmlcontrol/QmlLevelButtons.qml"},
    {"image", "qrc:/qmlcontrol/QmlImage.qml"},
    {"meter", "qrc:/qmlcontrol/QmlMeter.qml"},
    {"meterimage", "qrc:/qmlcontrol/QmlMeterImage.qml"},
};

void warnComponentErrors(const QQmlComponent &component, const QUrl &url)
{
    for (const QQmlError &error : component.errors())
        qCWarning(lcWidgets).noquote() << "Error loading QML at path: " + url.toString() + " Error message: "
                                    + error.toString();
}

} // namespace

WWidgetFactory::WWidgetFactory()
    : m_pModel(nullptr)
{
}

WWidgetFactory::~WWidgetFactory() = default;

void WWidgetFactory::registerQmlTypes()
{
    static bool registered = false;
    if (registered)
        return;
    registered = true;
    qmlRegisterType<MQmlInterface>("mqmlinterface", 1, 0, "MQmlInterface");
    qmlRegisterType<WWidget>("wwidget", 1, 0, "WWidget");
    qmlRegisterType<WButton>("wbutton", 1, 0, "WButton");
    qmlRegisterType<WCmdButton>("wcmdbutton", 1, 0, "WCmdButton");
    qmlRegisterType<WDialer>("wdialer", 1, 0, "WDialer");
    qmlRegisterType<WDropList>("wdroplist", 1, 0, "WDropList");
    qmlRegisterType<WDropSite>("wdropsite", 1, 0, "WDropSite");
    qmlRegisterType<WFrame>("wframe", 1, 0, "WFrame");
    qmlRegisterType<WImage>("wimage", 1, 0, "WImage");
    qmlRegisterType<WLabel>("wlabel", 1, 0, "WLabel");
    qmlRegisterType<WMeter>("wmeter", 1, 0, "WMeter");
    qmlRegisterType<WMeterImage>("wmeterimage", 1, 0, "WMeterImage");
    qmlRegisterType<WPanelLink>("wpanellink", 1, 0, "WPanelLink");
    qmlRegisterType<WSlider>("wslider", 1, 0, "WSlider");
    qmlRegisterType<WTextEdit>("wtextedit", 1, 0, "WTextEdit");
    qmlRegisterType<WRegion>("wregion", 1, 0, "WRegion");
    qmlRegisterType<WRoomSelection>("wroomselection", 1, 0, "WRoomSelection");
    qmlRegisterType<WActiveCombo>("wactivecombo", 1, 0, "WActiveCombo");
    qmlRegisterType<WComboSelection>("wcomboselection", 1, 0, "WComboSelection");
    qmlRegisterType<WTextLink>("wtextlink", 1, 0, "WTextLink");
    qmlRegisterType<WLevelButtons>("wlevelbuttons", 1, 0, "WLevelButtons");
}

QUrl WWidgetFactory::qmlFile(const QString &type)
{
    for (const TypeEntry &entry : TypeTable) {
        if (type == QLatin1String(entry.type))
            return QUrl(QLatin1String(entry.qmlFile));
    }
    return QUrl();
}

QStringList WWidgetFactory::typeNames()
{
    QStringList names;
    for (const TypeEntry &entry : TypeTable)
        names.append(QLatin1String(entry.type));
    return names;
}

WWidget *WWidgetFactory::createWidget(const QString &type)
{
    const QUrl url = qmlFile(type);
    if (url.isEmpty())
        return nullptr;
    QQuickItem *pItem = createQuickItem(url);
    WWidget *pWidget = pItem ? findWidget(pItem) : nullptr;
    if (!pWidget)
        return nullptr;
    pWidget->setWidget(pItem);
    pWidget->initWidget(pItem);
    return pWidget;
}

QQuickItem *WWidgetFactory::createQuickItem(const QUrl &url)
{
    if (!m_pContext || !m_pParentItem) {
        qCDebug(lcWidgets).noquote() << "Context and parent not ready for creation of quick item at path: " + url.toString();
        return nullptr;
    }
    QQmlEngine *pEngine = m_pContext->engine();
    if (!pEngine) {
        qCWarning(lcWidgets).noquote() << "QQmlEngine not available for loading of quick item at path: " + url.toString();
        return nullptr;
    }
    QQmlComponent *pComponent = component(pEngine, url);
    QObject *pObject = pComponent->isError() ? nullptr : pComponent->beginCreate(m_pContext);
    auto *pItem = qobject_cast<QQuickItem *>(pObject);
    if (pItem) {
        // Parents before completion, so files anchoring to their parent work.
        pItem->setParentItem(m_pParentItem);
        pItem->setParent(m_pParentItem);
    }
    if (pObject)
        pComponent->completeCreate();
    if (pComponent->isError()) {
        warnComponentErrors(*pComponent, url);
        delete pObject;
        return nullptr;
    }
    if (!pItem) {
        qCWarning(lcWidgets).noquote() << "Creation of QML component yielded null at path: " + url.toString();
        delete pObject;
        return nullptr;
    }
    return pItem;
}

QQmlComponent *WWidgetFactory::component(QQmlEngine *pEngine, const QUrl &url)
{
    // Loading the file again for every control costs more than the item
    // itself on a large panel.
    if (m_pComponentEngine != pEngine) {
        m_components.clear();
        m_pComponentEngine = pEngine;
    }
    QPointer<QQmlComponent> &pComponent = m_components[url];
    if (!pComponent)
        pComponent = new QQmlComponent(pEngine, url, QQmlComponent::PreferSynchronous, pEngine);
    return pComponent;
}

WWidget *WWidgetFactory::findWidget(QQuickItem *pItem)
{
    return pItem->findChild<WWidget *>(QStringLiteral("widget"));
}

void WWidgetFactory::setParentItem(QObject *pItem)
{
    m_pParentItem = qobject_cast<QQuickItem *>(pItem);
}

QQuickItem *WWidgetFactory::parentItem() const
{
    return m_pParentItem;
}

void WWidgetFactory::setContext(QQmlContext *pContext)
{
    m_pContext = pContext;
}

QQmlContext *WWidgetFactory::context() const
{
    return m_pContext;
}

void WWidgetFactory::setModel(MModel *pModel)
{
    m_pModel = pModel;
}

MModel *WWidgetFactory::model() const
{
    return m_pModel;
}

void WWidgetFactory::printItemParents(const QQuickItem *pItem)
{
    for (int depth = 0; pItem; ++depth, pItem = pItem->parentItem())
        qCDebug(lcWidgets) << depth << pItem;
}
