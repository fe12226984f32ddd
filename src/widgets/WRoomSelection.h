#pragma once

#include "widgets/WPolygon.h"

#include <QMutex>

// Widget of "roomselector": the outline of one room of a room-combining
// group over a floor plan, bound to the room's node. Online, a press inside
// it asks the room to join the selected combination or leave it; the colour
// the registry reports decides whether it shows as selected. The node's
// commands go out through the widget's transform and protocol.
class WRoomSelection : public WPolygon
{
    Q_OBJECT
    Q_PROPERTY(float selectedOpacity READ selectedOpacity NOTIFY selectedOpacityChanged)
    Q_PROPERTY(float unselectedOpacity READ unselectedOpacity NOTIFY unselectedOpacityChanged)
    Q_PROPERTY(bool isSelected READ isSelected NOTIFY isSelectedChanged)

public:
    static constexpr float DefaultOpacity = 0.3f;

    explicit WRoomSelection(QQuickItem *pParent = nullptr);
    ~WRoomSelection() override;

    bool save(XmlWriter *pWriter) override;
    bool processElement(const QString &name, const QString &text) override;
    void updateFromTransform() override;
    void setNode(HNode *pNode) override;
    DPropDialog *createPropertiesDialog(QWidget *pParent) override;
    QVariant propertyValue(WidgetPropertyId::Type id) const override;
    void setPropertyValue(WidgetPropertyId::Type id, const QVariant &value) override;
    void unbindNode() override;
    void setSegmentColor(const QString &color, int index, bool deferUpdate) override;

    float selectedOpacity() const { return m_selectedOpacity; }
    float unselectedOpacity() const { return m_unselectedOpacity; }
    bool isSelected() const { return m_isSelected; }
    const QString &roomColor() const { return m_roomColor; }
    // Selected is any colour but the registry's no-combination colour (exact text).
    void setRoomColor(const QString &color);
    void previewSelected();

signals:
    void selectedOpacityChanged();
    void unselectedOpacityChanged();
    void isSelectedChanged();

public slots:
    // Asks the room node only online and inside the outline; whether the
    // press hit the outline, so that a miss reaches what lies below.
    bool outputPressed(qreal x, qreal y) override;
    void onQueryResponseReady();
    void onUpdateRoomColor(const QString &color, int roomID);
    void onSendMessage(const QString &message, int roomID);
    void onShowErrorDialog(const QString &message, int roomID);

private:
    bool isOffline() const;

    QString m_roomColor;
    QMutex m_colorMutex;
    bool m_isSelected;
    float m_selectedOpacity;
    float m_unselectedOpacity;
    bool m_showSelected;
};
