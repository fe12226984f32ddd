#pragma once

#include "widgets/WWidget.h"

#include <QStringList>

// Widget of "activeroomcombo": a one-line strip naming the rooms combined
// with its room ("Combined w/ A, B"), bound to the room's node. Each answer
// of the group's combination query refreshes the names; the strip is told
// only when they changed.
class WActiveCombo : public WWidget
{
    Q_OBJECT
    Q_PROPERTY(QStringList roomNames READ roomNames NOTIFY otherRoomNamesChanged)
    Q_PROPERTY(int count READ count NOTIFY otherRoomNamesChanged)
    Q_PROPERTY(QString separator READ separator NOTIFY separatorChanged)
    Q_PROPERTY(int sideMargins READ sideMargins NOTIFY sideMarginsChanged)

public:
    // The first refresh always publishes, even no names.
    static constexpr const char *InitialKey = "NOT_EMPTY";

    explicit WActiveCombo(QQuickItem *pParent = nullptr);
    ~WActiveCombo() override;

    void initWidget(QObject *pItem) override;
    void destroy() override;
    void setCanvasItem(QQuickItem *pItem) override;
    bool save(XmlWriter *pWriter) override;
    bool processElement(const QString &name, const QString &text) override;
    void updateFromTransform() override;
    void setControl(CControl *pControl) override;
    void setNode(HNode *pNode) override;
    DPropDialog *createPropertiesDialog(QWidget *pParent) override;
    QVariant propertyValue(WidgetPropertyId::Type id) const override;
    void setPropertyValue(WidgetPropertyId::Type id, const QVariant &value) override;
    void unbindNode() override;

    const QStringList &roomNames() const { return m_roomNames; }
    int count() const { return int(m_roomNames.size()); }
    const QString &separator() const { return m_separator; }
    int sideMargins() const { return m_sideMargins; }

signals:
    void otherRoomNamesChanged();
    void separatorChanged();
    void sideMarginsChanged();

public slots:
    void onQueryResponseReady();

private:
    QString scaleText() const;
    void setSideMargins(const QString &text);

    QStringList m_roomNames;
    QString m_roomNamesKey;
    QString m_separator;
    int m_sideMargins;
};
