#include "support/WidgetFixture.h"

#include "model/CControl.h"
#include "support/XmlLeafReader.h"
#include "widgets/WDelegate.h"
#include "widgets/WWidget.h"
#include "xml/XmlWriter.h"

#include <QCoreApplication>
#include <QEvent>

WidgetFixture::WidgetFixture()
{
    WDelegate::instance()->setFactory(m_canvas.factory());
    m_panel.setKind(QStringLiteral("Panel"));
    m_panel.setName(QStringLiteral("Home"));
    m_panel.setContextObject(m_canvas.model());
}

// The panel's controls and their QML items go before the canvas.
WidgetFixture::~WidgetFixture()
{
    m_panel.clear();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    WDelegate::instance()->setFactory(nullptr);
}

CControl *WidgetFixture::addControl(const QString &name, const QString &type, HNode *pNode)
{
    auto *pControl = new CControl;
    pControl->setKind(QStringLiteral("Control"));
    pControl->setName(name);
    pControl->setType(type);
    pControl->setContextObject(m_canvas.model());
    if (pNode)
        pControl->setNode(pNode);
    m_panel.addChild(pControl);
    return pControl;
}

WWidget *WidgetFixture::readWidget(CControl *pControl, const QString &type, const Settings &settings)
{
    const int before = int(pControl->widgets().size());
    for (const auto &setting : settings)
        pControl->createPrototype(type, setting.first, setting.second);
    pControl->finishWidget(type);
    if (pControl->widgets().size() == before)
        return nullptr;
    return pControl->widgets().last().data();
}

QByteArray WidgetFixture::saveBytes(WWidget *pWidget)
{
    QByteArray bytes;
    XmlWriter writer;
    writer.setByteArray(&bytes);
    writer.setEncoding(XmlEncodingUtf8);
    writer.writeDeclaration();
    pWidget->save(&writer);
    writer.flush();
    return bytes;
}

WidgetFixture::Settings WidgetFixture::saved(WWidget *pWidget)
{
    XmlLeafReader reader;
    Settings settings;
    if (!reader.read(saveBytes(pWidget)))
        return settings;
    for (const XmlLeafReader::Leaf &leaf : std::as_const(reader.leaves)) {
        if (leaf.parent == pWidget->typeName())
            settings.append({leaf.element, leaf.text});
    }
    return settings;
}

QStringList WidgetFixture::names(const Settings &settings)
{
    QStringList list;
    for (const auto &setting : settings)
        list.append(setting.first);
    return list;
}

QString WidgetFixture::valueOf(const Settings &settings, const QString &name)
{
    for (const auto &setting : settings) {
        if (setting.first == name)
            return setting.second;
    }
    return QString();
}

WWidget *WidgetFixture::reload(WWidget *pWidget)
{
    CControl *pOld = pWidget->control();
    CControl *pControl = addControl(pOld ? pOld->name() : QString(), pOld ? pOld->type() : QString(),
                                    pOld ? pOld->node() : nullptr);
    return readWidget(pControl, pWidget->typeName(), saved(pWidget));
}
