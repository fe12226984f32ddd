#pragma once

#include "widgets/WMeterSource.h"
#include "widgets/WWidget.h"

#include <QTimer>

// Widget of "meter": a vertical bar gauge of a meter point of the
// installation. Online it polls at its rate, lights up to three bands from
// each reply, holds the peak for a few updates and lets it fall; offline the
// gauge is unlit. A scale of no height, or a minimum above the maximum, stays
// unlit, and a level is drawn inside the scale whatever the reply.
class WMeter : public WWidget
{
    Q_OBJECT
    Q_PROPERTY(float minimum READ minimumValue NOTIFY minimumChanged)
    Q_PROPERTY(float maximum READ maximumValue NOTIFY maximumChanged)
    Q_PROPERTY(QString unitsText READ unitsText NOTIFY unitsTextChanged)

public:
    // Milliseconds after the last update before the held peak falls a step.
    static constexpr int PeakFallMs = 2500;
    // Updates a new peak is held before it starts to fall, and the fall per update.
    static constexpr double PeakHoldUpdates = 3.0;
    static constexpr double PeakFallStep = 0.08;

    // Band colours.
    static constexpr QLatin1String UnlitColor{"#C3C3C3"};
    static constexpr QLatin1String LowColor{"#21f321"};
    static constexpr QLatin1String MiddleColor{"#fff780"};
    static constexpr QLatin1String HighColor{"#ff8000"};

    explicit WMeter(QQuickItem *pParent = nullptr);
    ~WMeter() override;

    float minimumValue() const { return float(m_source.minimum()); }
    float maximumValue() const { return float(m_source.maximum()); }
    const QString &unitsText() const { return m_sUnitsText; }
    const WMeterSource &source() const { return m_source; }
    double peak() const { return m_dPeak; }
    const QTimer &peakTimer() const { return m_peakTimer; }
    bool isOnline() const { return m_bOnline; }

signals:
    void minimumChanged();
    void maximumChanged();
    void unitsTextChanged();

public slots:
    void onOnlineStateChanged(bool online) override;
    void onSendDelayTimerTimeout();
    void onGetStatusTimerTimeout();
    void onLabelChangedByReload(const QString &oldLabel, const QString &newLabel);

public:
    void setupFromParameter(CAttributes *pAttributes) override;
    void refresh() override;
    bool save(XmlWriter *pWriter) override;
    bool processElement(const QString &name, const QString &text) override;
    void updateFromTransform() override;
    void setLabelText(const QString &text) override;
    void setNode(HNode *pNode) override;
    void setTransform(TTransform *pTransform) override;
    void setWidgetVisible(bool visible) override;
    DPropDialog *createPropertiesDialog(QWidget *pParent) override;
    QVariant propertyValue(WidgetPropertyId::Type id) const override;
    void setPropertyValue(WidgetPropertyId::Type id, const QVariant &value) override;
    void unbindNode() override;

private:
    double range() const { return m_source.maximum() - m_source.minimum(); }
    double fraction(double level) const;
    void setMarkerLevel(double level);
    double markerLevel() const;
    void takePeak(double level);
    void showBands(double level);
    void unlight();

    WMeterSource m_source;
    double m_dPeak;
    double m_dPeakFall;
    double m_dPeakHold;
    QTimer m_peakTimer;
    QString m_sUnitsText;
    bool m_bOnline;
};
