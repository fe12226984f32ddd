#pragma once

#include "widgets/WMeterSource.h"
#include "widgets/WWidget.h"

// Widget of "meterimage": a meter shown as one of four pictures (grey, green,
// yellow, orange) under a caption, chosen by the live level. It polls and
// reads its value as the bar meter does, but keeps polling while hidden.
class WMeterImage : public WWidget
{
    Q_OBJECT

public:
    static constexpr QLatin1String GreyImage{"../images/meterGrey.png"};
    static constexpr QLatin1String GreenImage{"../images/meterGreen.png"};
    static constexpr QLatin1String YellowImage{"../images/meterYellow.png"};
    static constexpr QLatin1String OrangeImage{"../images/meterOrange.png"};

    explicit WMeterImage(QQuickItem *pParent = nullptr);
    ~WMeterImage() override;

    const WMeterSource &source() const { return m_source; }
    // The picture of a shown level.
    QString imageFor(double level) const;

public slots:
    void onOnlineStateChanged(bool online) override;
    void onLabelChangedByReload(const QString &oldLabel, const QString &newLabel);
    void onGetStatusTimerTimeout();

public:
    void initWidget(QObject *pItem) override;
    void setupFromParameter(CAttributes *pAttributes) override;
    void refresh() override;
    bool save(XmlWriter *pWriter) override;
    bool processElement(const QString &name, const QString &text) override;
    void updateFromTransform() override;
    void setLabelText(const QString &text) override;
    void setNode(HNode *pNode) override;
    void setTransform(TTransform *pTransform) override;
    bool hasTitle() const override;
    DPropDialog *createPropertiesDialog(QWidget *pParent) override;
    QVariant propertyValue(WidgetPropertyId::Type id) const override;
    void setPropertyValue(WidgetPropertyId::Type id, const QVariant &value) override;
    void unbindNode() override;

private:
    void setOpacity(double value);
    void setImage(const QString &path);
    static bool isLiveImage(const QString &path);

    WMeterSource m_source;
};
