#pragma once

#include "widgets/WWidget.h"

#include <QStringList>

// Widget of "comboselector": one coloured square per combination of a
// room-combining group, bound to the group's node. A click picks the
// combination that presses on room selectors add rooms to; the choice lives
// in the group, the colours come from it.
class WComboSelection : public WWidget
{
    Q_OBJECT
    Q_PROPERTY(QStringList comboColors READ comboColors NOTIFY comboColorsChanged)
    Q_PROPERTY(int selectedIndex READ selectedIndex WRITE setSelectedIndex NOTIFY selectedIndexChanged)
    Q_PROPERTY(int count READ count NOTIFY comboColorsChanged)
    Q_PROPERTY(int sideMargins READ sideMargins NOTIFY sideMarginsChanged)

public:
    explicit WComboSelection(QQuickItem *pParent = nullptr);
    ~WComboSelection() override;

    void initWidget(QObject *pItem) override;
    void destroy() override;
    void updateFromTransform() override;
    bool save(XmlWriter *pWriter) override;
    bool processElement(const QString &name, const QString &text) override;
    void setControl(CControl *pControl) override;
    void setNode(HNode *pNode) override;
    DPropDialog *createPropertiesDialog(QWidget *pParent) override;
    QVariant propertyValue(WidgetPropertyId::Type id) const override;
    void setPropertyValue(WidgetPropertyId::Type id, const QVariant &value) override;
    void unbindNode() override;

    // An empty text outside the list (QML may ask while the list shrinks).
    Q_INVOKABLE QString getComboColor(int index) const;
    Q_INVOKABLE void selectorClicked(int index);

    const QStringList &comboColors() const { return m_comboColors; }
    int selectedIndex() const;
    void setSelectedIndex(int index);
    int count() const { return int(m_comboColors.size()); }
    int sideMargins() const { return m_sideMargins; }

signals:
    void selectedIndexChanged();
    void comboColorsChanged();
    void sideMarginsChanged();

public slots:
    void onUpdateComboColorList();

private:
    void setSideMargins(const QString &text);

    QStringList m_comboColors;
    int m_sideMargins;
};
