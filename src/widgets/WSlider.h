#pragma once

#include "widgets/WWidget.h"

#include <QTimer>

// Widget of "slider": a fader that sets one numeric parameter and shows the
// value the device reports. A QML position is a value divided by the step.
// Moves go out after a short delay, only the latest of a burst; values that
// come back move the knob without going out again. A fader control also holds
// a caption ("label"), a value text ("textedit") and a "frame": the fader
// lays them out when it is turned and fills the caption's placeholders.
class WSlider : public WWidget
{
    Q_OBJECT
    Q_PROPERTY(bool isDizoZuControl READ isDizoZuControl NOTIFY isDizoZuControlChanged)

public:
    // Milliseconds a move waits before it goes out.
    static constexpr int SendDelay = 20;
    // The pending value when nothing waits for the send delay.
    static constexpr float NothingPending = -99999.0f;

    explicit WSlider(QQuickItem *pParent = nullptr);
    ~WSlider() override;

    void initWidget(QObject *pItem) override;
    void destroy() override;
    void setupFromParameter(CAttributes *pAttributes) override;
    void refresh() override;
    void setCanvasItem(QQuickItem *pItem) override;
    bool save(XmlWriter *pWriter) override;
    bool processElement(const QString &name, const QString &text) override;
    void updateFromTransform() override;
    void setNode(HNode *pNode) override;
    void setTransform(TTransform *pTransform) override;
    // True when the text contains the type name ("slider" in "slider2").
    bool isType(const QString &type) const override;
    bool hasAttributes() const override;
    void storeAttributes(CAttributes *pAttributes) override;
    bool hasTitle() const override;
    DPropDialog *createPropertiesDialog(QWidget *pParent) override;
    QVariant propertyValue(WidgetPropertyId::Type id) const override;
    void setPropertyValue(WidgetPropertyId::Type id, const QVariant &value) override;
    void linkValue(WWidget *pSource) override;

    bool isDizoZuControl() const { return m_bDizoZuControl; }
    // The chassis of the bound node; empty without a node.
    QString chassisName() const;

    float step() const { return m_fStep; }
    // In parameter units.
    float lastValue() const { return m_fLastValue; }
    float minPosition() const { return m_fMinPosition; }
    float maxPosition() const { return m_fMaxPosition; }
    // Whether the range was taken from the bound parameter at least once.
    bool isSetUpFromParameter() const { return m_bValueInitialized; }
    float lowerLimit() const { return m_fLowerLimit; }
    float upperLimit() const { return m_fUpperLimit; }
    bool isPercent() const { return m_bPercent; }
    // 0 vertical, 90 horizontal.
    float angle() const { return m_fRotation; }
    bool isSendNeeded() const { return m_bSendNeeded; }
    // Whether a move waits for the send delay.
    bool isSendPending() const { return m_fPendingValue != NothingPending; }

public slots:
    // A knob position from QML: queued for the send delay.
    void outputValue(int value) override;
    void setIsSendNeeded(bool state);

signals:
    void isDizoZuControlChanged();

private slots:
    void onSendDelayTimerTimeout();

protected:
    // Percent of the range, or the position in units.
    float displayValue(float position) const;
    // The bound control's binding record; null without a control.
    CAttributes *binding() const;
    // Writes a position into QML, rounded and kept within the range.
    void setPosition(float position);
    void fillLabelPlaceholders();
    // Whether the bound node names its channels (link blocks), and the label of
    // the channel the control's name gives ("Level 3": the third).
    bool hasChannelNode() const;
    QString channelLabelOfName() const;
    void editMinimum(const QVariant &value);
    void editMaximum(const QVariant &value);
    void editUnits(const QVariant &value);
    void editRotation(const QVariant &value);

    float m_fStep;
    float m_fLastValue;
    float m_fMinPosition;
    float m_fMaxPosition;
    bool m_bPercent;
    float m_fRotation;
    float m_fPendingValue;
    int m_nPendingPosition;
    QTimer m_sendDelayTimer;
    bool m_bSendNeeded;
    bool m_bDizoZuControl;
    bool m_bValueInitialized;
    float m_fUpperLimit;
    float m_fLowerLimit;

private:
    void readNodeLimits(CAttributes *pAttributes);
    QString nodeLimitKey(const CAttributes *pAttributes) const;
    void layoutCompanions();
};
