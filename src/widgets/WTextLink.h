#pragma once

#include "widgets/WButton.h"

// Widget of "textlink": the caption of one parameter set in a rounded frame.
// A click sends the set's index; the link whose index the device reports
// back is drawn highlighted, so a row of links selects among the sets.
class WTextLink : public WButton
{
    Q_OBJECT

public:
    explicit WTextLink(QQuickItem *pParent = nullptr);
    ~WTextLink() override;

    void initWidget(QObject *pItem) override;
    void destroy() override;
    void setCanvasItem(QQuickItem *pItem) override;
    bool save(XmlWriter *pWriter) override;
    bool processElement(const QString &name, const QString &text) override;
    void updateFromTransform() override;
    void setNode(HNode *pNode) override;
    void setTransform(TTransform *pTransform) override;
    bool hasTitle() const override;
    DPropDialog *createPropertiesDialog(QWidget *pParent) override;
    QVariant propertyValue(WidgetPropertyId::Type id) const override;
    void setPropertyValue(WidgetPropertyId::Type id, const QVariant &value) override;
    void unbindNode() override;

    int index() const { return m_nIndex; }
    int current() const { return m_nCurrent; }

public slots:
    void outputClicked();
    void onLabelChangedByReload(const QString &oldLabel, const QString &newLabel);

private:
    QString buttonModeName() const;
    void setIndex(int index);

    int m_nIndex;
    int m_nCurrent;
};
