#pragma once

#include "hardware/HNode.h"
#include "transforms/TTransform.h"

#include <QPointer>
#include <QString>
#include <QTimer>

class CAttributes;
class WWidget;
class XmlWriter;

// The value road shared by the bar meter and the image meter: the poll timer
// and its rate, the meter point handed to the transform, the scale and its two
// colour breaks, the level offset of the amplifier outputs and the caption
// placeholders. The owning widget connects the timer and calls in; numbers
// read from a file are finite (anything else reads as 0).
class WMeterSource
{
public:
    static constexpr int DefaultPollMs = 250;
    // Added to every reply of an output whose type number is "2".
    static constexpr double OutputOffset = 24.0;

    explicit WMeterSource(WWidget *pWidget);

    QTimer &pollTimer() { return m_pollTimer; }
    const QTimer &pollTimer() const { return m_pollTimer; }

    // "1x/s" to "5x/s"; any other text is kept but leaves the interval alone.
    const QString &rate() const { return m_sMeterRate; }
    void setRate(const QString &text);
    // The poll interval of a rate text; 0 for a text outside the five.
    static int rateInterval(const QString &text);

    double minimum() const { return m_dMinimum; }
    double maximum() const { return m_dMaximum; }
    double colorBreak1() const { return m_dColorBreak1; }
    double colorBreak2() const { return m_dColorBreak2; }
    const QString &channelName() const { return m_sChannelName; }
    int indexOffset() const { return m_nIndexOffset; }

    // One poll: only with a protocol and a transform that is still live.
    void poll() const;
    // The shown level of the transform's last reply (reply plus the level
    // offset); false without a transform or for a reply that is no number.
    bool readLevel(double *pLevel) const;
    double levelOffset() const;

    // The transform's meter channel becomes the card pin of the binding.
    void setupFromParameter(CAttributes *pAttributes) const;
    // Hands the meter point to the transform, then resolves a placeholder caption.
    void refresh();
    // A node renamed by a new import renames the caption that shows its label.
    void reloadLabel(const QString &oldLabel, const QString &newLabel) const;

    // The elements both kinds read: "meterRate", "channelName", "indexOffset".
    bool processPointElement(const QString &name, const QString &text);
    // The scale elements, read only for a bound widget; true when handled.
    bool processScaleElement(const QString &name, const QString &text);
    void writeRange(XmlWriter *pWriter) const;
    void writeBreaks(XmlWriter *pWriter) const;
    void writeRate(XmlWriter *pWriter) const;
    void writePoint(XmlWriter *pWriter) const;

    // ---- the set-up both kinds share, wired to the meter widget's own slots
    // The poll timer's ticks to the widget's poll.
    template <class Meter> void connectPoll(Meter *pMeter)
    {
        QObject::connect(&m_pollTimer, &QTimer::timeout, pMeter, &Meter::onGetStatusTimerTimeout);
    }
    // A new import's renames of the node to the caption; nothing for no node.
    template <class Meter> static void connectNode(HNode *pNode, Meter *pMeter)
    {
        if (pNode)
            QObject::connect(pNode, &HNode::labelChangedByReload, pMeter, &Meter::onLabelChangedByReload,
                             Qt::UniqueConnection);
    }
    template <class Meter> static void disconnectNode(HNode *pNode, Meter *pMeter)
    {
        if (pNode)
            QObject::disconnect(pNode, &HNode::labelChangedByReload, pMeter, &Meter::onLabelChangedByReload);
    }
    // The transform's replies to the widget's level; nothing for no transform.
    template <class Meter> static void connectTransform(TTransform *pTransform, Meter *pMeter)
    {
        if (pTransform)
            QObject::connect(pTransform, &TTransform::replyValueReady, pMeter, &Meter::updateFromTransform,
                             Qt::UniqueConnection);
    }

private:
    void resolveCaption();
    void setChannelName(const QString &name);

    QPointer<WWidget> m_pWidget;
    QTimer m_pollTimer;
    QString m_sMeterRate;
    double m_dMinimum;
    double m_dMaximum;
    double m_dColorBreak1;
    double m_dColorBreak2;
    QString m_sChannelName;
    qint32 m_nIndexOffset;
};
