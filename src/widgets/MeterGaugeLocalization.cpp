#include "widgets/MeterGaugeLocalization.h"

MeterGaugeLocalization::MeterGaugeLocalization(QObject *pParent)
    : QObject(pParent)
    , m_barWidth(15)
    , m_barHeightDif(10)
    , m_alignerWidth(66)
    , m_digitOffset(-8)
{
}

MeterGaugeLocalization::~MeterGaugeLocalization() = default;
