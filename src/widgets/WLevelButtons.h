#pragma once

#include "widgets/WSlider.h"

// Widget of "levelbutton": a plus and a minus button with a caption and the
// current value between them, stepping the same kind of parameter a fader
// sets. Each step goes out at once; there is no send delay.
class WLevelButtons : public WSlider
{
    Q_OBJECT

public:
    explicit WLevelButtons(QQuickItem *pParent = nullptr);
    ~WLevelButtons() override;

    void refresh() override;
    bool save(XmlWriter *pWriter) override;
    bool processElement(const QString &name, const QString &text) override;
    void updateFromTransform() override;
    void setNode(HNode *pNode) override;
    void setTransform(TTransform *pTransform) override;
    bool isType(const QString &type) const override;
    DPropDialog *createPropertiesDialog(QWidget *pParent) override;
    QVariant propertyValue(WidgetPropertyId::Type id) const override;
    void setPropertyValue(WidgetPropertyId::Type id, const QVariant &value) override;
    void unbindNode() override;
    void linkValue(WWidget *pSource) override;

    // The value text of a position: percent of the range without decimals
    // and "%", or the value in units with one decimal.
    QString valueText(float position) const;

public slots:
    void outputValue(int value) override;
    void onLabelChangedByReload(const QString &oldLabel, const QString &newLabel);

private:
    // Shows the value text of the position and returns its number.
    float showValue(float position);
    void fillCaptionPlaceholders();
};
