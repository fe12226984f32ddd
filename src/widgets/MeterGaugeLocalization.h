#pragma once

#include <QObject>

// Layout numbers of the meter gauge, read by its QML through the context
// property "MeterGaugeLocalValue". Constant for the object's life.
class MeterGaugeLocalization : public QObject
{
    Q_OBJECT
    Q_PROPERTY(qreal barWidth READ barWidth CONSTANT)
    Q_PROPERTY(qreal barHeightDif READ barHeightDif CONSTANT)
    Q_PROPERTY(qreal alignerWidth READ alignerWidth CONSTANT)
    Q_PROPERTY(qreal digitOffset READ digitOffset CONSTANT)

public:
    explicit MeterGaugeLocalization(QObject *pParent = nullptr);
    ~MeterGaugeLocalization() override;

    qreal barWidth() const { return m_barWidth; }
    qreal barHeightDif() const { return m_barHeightDif; }
    qreal alignerWidth() const { return m_alignerWidth; }
    qreal digitOffset() const { return m_digitOffset; }

private:
    qreal m_barWidth;
    qreal m_barHeightDif;
    qreal m_alignerWidth;
    qreal m_digitOffset;
};
