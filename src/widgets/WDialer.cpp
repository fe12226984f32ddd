#include "widgets/WDialer.h"

#include "model/CAttributes.h"
#include "model/CControl.h"
#include "protocols/PProtocol.h"
#include "protocols/PVMDProtocol.h"
#include "transforms/TTransform.h"
#include "utility/ULogger.h"
#include "utility/UNumbers.h"
#include "xml/XmlWriter.h"


namespace {

// Reply texts by state, in the order they are matched.
struct StateText
{
    const char *text;
    WDialer::DialerState state;
};

const StateText StateTexts[] = {
    {"HANGUP", WDialer::State_HangUp},
    {"IDLE", WDialer::State_HangUp},
    {"ACTIVE", WDialer::State_Active},
    {"INCOMING", WDialer::State_Incoming},
    {"ACTIVE_INCOMING", WDialer::State_ActiveIncoming},
    {"OUTGOING", WDialer::State_Outgoing},
    {"RINGBACK", WDialer::State_RingBack},
    {"BUSY", WDialer::State_Busy},
    {"DIALING", WDialer::State_Dialing},
    {"DIALTONE", WDialer::State_DialTone},
    {"HOLD", WDialer::State_Hold},
};

const char *const StartupStatus = "---";

QString unknownText()
{
    return WDialer::tr("UNKNOWN");
}

QString conferenceText()
{
    return WDialer::tr("CONFERENCE");
}

QString withoutQuotes(QString text)
{
    text.remove(QLatin1Char('"'));
    return text;
}

bool isSetUpOrRinging(WDialer::DialerState state)
{
    switch (state) {
    case WDialer::State_Incoming:
    case WDialer::State_ActiveIncoming:
    case WDialer::State_Outgoing:
    case WDialer::State_RingBack:
    case WDialer::State_Dialing:
    case WDialer::State_DialTone:
        return true;
    default:
        return false;
    }
}

} // namespace

WDialer::WDialer(QQuickItem *pParent)
    : WWidget(pParent)
    , m_nDialerState(State_Startup)
    , m_bHoldActive(false)
    , m_sStatusText(QLatin1String(StartupStatus))
    , m_bAspectRatioCorrectionActive(true)
    , m_sPrimaryColor(QStringLiteral("black"))
    , m_secondaryColor(128, 128, 128)
    , m_bAlwaysShowCallAndEnd(false)
    , m_bLoggingActive(false)
    , m_nSecondaryRed(128)
    , m_nSecondaryGreen(128)
    , m_nSecondaryBlue(128)
    , m_bConferencePending(false)
    , m_nQueryToggleCount(0)
    , m_pLogger(ULogger::instance())
{
    connect(this, &WDialer::accept, this, &WDialer::onAccept);
    connect(this, &WDialer::backspace, this, &WDialer::onBackspace);
    connect(this, &WDialer::backspaceHeld, this, &WDialer::onBackspaceHeld);
    connect(this, &WDialer::clear, this, &WDialer::onClear);
    connect(this, &WDialer::end, this, &WDialer::onEnd);
    connect(this, &WDialer::callOrEnd, this, &WDialer::onCallOrEnd);
    connect(this, &WDialer::digit, this, &WDialer::onDigit);
    connect(this, &WDialer::digitHeld, this, &WDialer::onDigitHeld);
    connect(this, &WDialer::digitHeldFiveSeconds, this, &WDialer::onDigitHeldFiveSeconds);
    connect(this, &WDialer::directory, this, &WDialer::onDirectory);
    connect(this, &WDialer::hold, this, &WDialer::onHold);
    connect(this, &WDialer::addCallOrFlash, this, &WDialer::onAddCallOrFlash);
    connect(this, &WDialer::endAndAccept, this, &WDialer::onEndAndAccept);
    connect(this, &WDialer::declineAndStayActive, this, &WDialer::onDeclineAndStayActive);
    connect(this, &WDialer::holdAndAccept, this, &WDialer::onHoldAndAccept);
    // QML resizes the whole control, not only its own item.
    connect(this, &WDialer::adjustHeight, this, [this](float h) { setHeight(h); });
    connect(this, &WDialer::adjustWidth, this, [this](float w) { setWidth(w); });

    m_callDurationTimer.setInterval(CallDurationMs);
    m_callEndedTimer.setInterval(CallEndedMs);
    m_callEndedTimer.setSingleShot(true);
    m_statusUpdateTimer.setInterval(StatusCheckMs);
    m_statusUpdateTimer.setSingleShot(true);
    m_queryTypeToggleTimer.setInterval(QueryToggleMs);
    connect(&m_callDurationTimer, &QTimer::timeout, this, &WDialer::onCallDurationTimerTimeOut);
    connect(&m_callEndedTimer, &QTimer::timeout, this, &WDialer::onCallEndedTimerTimeOut);
    connect(&m_statusUpdateTimer, &QTimer::timeout, this, &WDialer::onStatusUpdateTimeout);
    connect(&m_queryTypeToggleTimer, &QTimer::timeout, this, &WDialer::onQueryTypeToggleTimerTimeout);
    emit displayTextChanged();
}

WDialer::~WDialer()
{
    m_callDurationTimer.stop();
    m_callEndedTimer.stop();
    m_statusUpdateTimer.stop();
    m_queryTypeToggleTimer.stop();
}

const QString &WDialer::noConnectionText()
{
    static const QString text = tr("No Connection");
    return text;
}

WDialer::DialerState WDialer::stateOfReply(const QString &text)
{
    for (const StateText &entry : StateTexts) {
        if (text == QLatin1String(entry.text))
            return entry.state;
    }
    return State_OTHER;
}

QString WDialer::formatNumber(const QString &digits)
{
    const qsizetype length = digits.size();
    bool number = false;
    digits.toULongLong(&number, 10);
    // toULongLong accepts a leading "+" or blanks; a dialled number has neither.
    const bool plain = number && !digits.contains(QLatin1Char('+')) && digits.trimmed() == digits;
    if (!plain || length < 4 || length > 10)
        return digits;
    QString text = digits;
    if (length <= 7)
        return text.insert(3, QLatin1Char('-'));
    text.insert(6, QLatin1Char('-'));
    text.insert(3, QLatin1String(") "));
    return text.prepend(QLatin1Char('('));
}

QString WDialer::formatDuration(qint64 seconds)
{
    const qint64 minutes = seconds / 60;
    QString text;
    if (minutes > 59)
        text = QString::number(minutes / 60) + QLatin1Char(':');
    text += QStringLiteral("%1:%2").arg(minutes % 60, 2, 10, QLatin1Char('0')).arg(seconds % 60, 2, 10, QLatin1Char('0'));
    return text;
}

// ---------------------------------------------------------------- hooks without work

void WDialer::initWidget(QObject *)
{
}

void WDialer::destroy()
{
}

void WDialer::setCanvasItem(QQuickItem *)
{
}

DPropDialog *WDialer::createPropertiesDialog(QWidget *pParent)
{
    return WWidget::createPropertiesDialog(pParent);
}

// ---------------------------------------------------------------- binding

void WDialer::setTransform(TTransform *pTransform)
{
    if (m_pTransform)
        disconnect(m_pTransform, &TTransform::replyValueReady, this, &WDialer::updateFromTransform);
    WWidget::setTransform(pTransform);
    if (pTransform)
        connect(pTransform, &TTransform::replyValueReady, this, &WDialer::updateFromTransform,
                Qt::UniqueConnection);
}

void WDialer::setupFromParameter(CAttributes *pAttributes)
{
    if (m_pWidget && pAttributes)
        setCallType(pAttributes->callType());
    rebuildSecondaryColor();
    if (m_pTransform)
        queryCallState();
}

void WDialer::rebuildSecondaryColor()
{
    m_secondaryColor = QColor(m_nSecondaryRed, m_nSecondaryGreen, m_nSecondaryBlue);
    emit secondaryColorChanged();
}

// ---------------------------------------------------------------- property setters

void WDialer::setIsHoldActive(bool active)
{
    if (m_bHoldActive == active)
        return;
    m_bHoldActive = active;
    emit holdStateChanged(active);
}

void WDialer::setCallType(const QString &type)
{
    if (m_sCallType == type)
        return;
    m_sCallType = type;
    emit callTypeChanged();
}

void WDialer::setIdString(const QString &text)
{
    if (m_sIdString == text)
        return;
    m_sIdString = text;
    emit idStringChanged();
}

void WDialer::setDisplayText(const QString &text)
{
    if (m_sDisplayText == text)
        return;
    m_sDisplayText = text;
    emit displayTextChanged();
}

void WDialer::setStatusText(const QString &text)
{
    if (m_sStatusText == text)
        return;
    m_sStatusText = text;
    emit statusTextChanged();
}

void WDialer::setPrimaryColor(const QString &name)
{
    m_sPrimaryColor = name;
    emit primaryColorChanged();
}

void WDialer::setAlwaysShowCallAndEnd(bool on)
{
    m_bAlwaysShowCallAndEnd = on;
    emit alwaysShowCallAndEndChanged();
}

void WDialer::setLoggingActive(bool on)
{
    m_bLoggingActive = on;
    emit isLoggingActiveChanged();
}

void WDialer::setAspectRatioCorrection(bool on)
{
    if (m_bAspectRatioCorrectionActive == on)
        return;
    m_bAspectRatioCorrectionActive = on;
    emit aspectRatioCorrectionActivationChanged();
}

// ---------------------------------------------------------------- keys

bool WDialer::isIdle() const
{
    return m_nDialerState == State_HangUp || m_nDialerState == State_OTHER || m_nDialerState == State_Startup;
}

void WDialer::sendCommand(int index, const QString &text)
{
    if (!m_pTransform || !m_pProtocol || !m_pTransform->attributes())
        return;
    m_pTransform->setThirdIndex(index);
    m_pTransform->setValueText(text);
    m_pProtocol->sendValue(m_pTransform);
}

void WDialer::onDigit(const QString &digit)
{
    if (isIdle()) {
        m_sDigits += digit;
        updateDisplayText();
    } else if (m_nDialerState == State_Active || m_nDialerState == State_DialTone) {
        m_sDigits += digit;
        updateDisplayText();
        sendCommand(CommandKey, digit);
    }
}

void WDialer::onDigitHeld(const QString &digit)
{
    if (digit == QLatin1String("9") && m_bLoggingActive) {
        setLoggingActive(false);
        return;
    }
    onDigit(digit);
}

void WDialer::onDigitHeldFiveSeconds(const QString &digit)
{
    if (digit == QLatin1String("7"))
        setLoggingActive(true);
}

void WDialer::onBackspace()
{
    if (!isIdle())
        return;
    if (!m_sDigits.isEmpty())
        m_sDigits.chop(1);
    updateDisplayText();
}

void WDialer::onBackspaceHeld()
{
    if (isIdle())
        emit clear();
}

void WDialer::onClear()
{
    m_sDigits.clear();
    updateDisplayText();
}

void WDialer::onCallOrEnd(bool doNotSendEnd)
{
    // The key is dead for a moment after a call, so a double press cannot redial.
    if (m_callEndedTimer.isActive())
        return;
    if (m_nDialerState == State_HangUp || m_nDialerState == State_DialTone || m_nDialerState == State_OTHER) {
        if (m_sDigits.isEmpty()) {
            if (!m_sLastNumber.isEmpty()) {
                m_sDigits = m_sLastNumber;
                updateDisplayText();
            }
            return;
        }
        m_sLastNumber = m_sDigits;
        sendCommand(CommandDial, QLatin1Char('"') + m_sDigits + QLatin1Char('"'));
        return;
    }
    if (!doNotSendEnd)
        sendCommand(CommandEnd, QString());
}

void WDialer::onEnd()
{
    sendCommand(CommandEnd, QString());
}

void WDialer::onDeclineAndStayActive()
{
    sendCommand(CommandEnd, QString());
}

void WDialer::onAccept()
{
    sendCommand(CommandAnswer, QString());
}

void WDialer::onEndAndAccept()
{
    sendCommand(CommandAnswer, QString());
}

void WDialer::onHoldAndAccept()
{
    sendCommand(CommandHold, QString());
    sendCommand(CommandAnswer, QString());
}

void WDialer::onHold()
{
    if (m_nDialerState == State_Active)
        sendCommand(CommandHold, QString());
}

void WDialer::onDirectory()
{
}

void WDialer::onAddCallOrFlash()
{
    if (m_nDialerState == State_ActiveIncoming) {
        sendCommand(CommandKey, QStringLiteral("!"));
        return;
    }
    if (m_nDialerState != State_Active)
        return;
    if (m_sIdString != conferenceText()) {
        // The held call and the current one change places.
        const QString otherId = m_sSavedIdString;
        const QString otherNumber = m_sSavedDisplayText;
        if (m_bConferencePending) {
            m_sSavedIdString = m_sIdString;
            m_sSavedDisplayText = m_sDigits;
        } else {
            m_sSavedIdString = conferenceText();
            m_sSavedDisplayText.clear();
        }
        setIdString(otherId);
        m_sDigits = otherNumber;
        updateDisplayText();
    }
    sendCommand(CommandKey, QStringLiteral("!"));
}

// ---------------------------------------------------------------- display and status

void WDialer::updateDisplayText()
{
    setDisplayText(formatNumber(m_sDigits));
}

void WDialer::updateStatusText()
{
    QString text;
    switch (m_nDialerState) {
    case State_Active:
        text = tr("Active");
        break;
    case State_Incoming:
        text = tr("Incoming");
        break;
    case State_ActiveIncoming:
        text = tr("Active + Incoming");
        break;
    case State_Outgoing:
    case State_RingBack:
    case State_Dialing:
    case State_DialTone:
        setStatusText(QString());
        text = QObject::tr("Dialing");
        break;
    case State_Busy:
        text = tr("Busy");
        break;
    case State_Hold:
        text = tr("Hold");
        break;
    default:
        break;
    }
    setIsHoldActive(m_nDialerState == State_Hold);
    setStatusText(text);
}

void WDialer::onCallDurationTimerTimeOut()
{
    setStatusText(formatDuration(m_callStartTime.secsTo(QDateTime::currentDateTime())));
}

void WDialer::onCallEndedTimerTimeOut()
{
    m_sDigits.clear();
    updateDisplayText();
    // A connection lost during the call stays shown until a reply comes.
    if (m_sStatusText != noConnectionText())
        updateStatusText();
}

// ---------------------------------------------------------------- replies and the state machine

void WDialer::updateFromTransform()
{
    if (!m_pTransform || m_pTransform->replyFirstIndex() != 0)
        return;
    const QString text = m_pTransform->replyText();
    switch (m_pTransform->replySecondIndex()) {
    case QueryCallState:
        processStateReply(text);
        break;
    case QueryCallerId:
        processCallerIdReply(text);
        if (m_pTransform)
            queryCallState();
        break;
    default:
        break;
    }
}

void WDialer::processStateReply(const QString &reply)
{
    const QString text = withoutQuotes(reply);
    if (m_pLogger)
        m_pLogger->logTagged(QStringLiteral("dialer state = "), text);
    if (text == QLatin1String("ERROR") || text == PVMDProtocol::syncErrorText()) {
        m_statusUpdateTimer.start();
        return;
    }
    setDialerState(stateOfReply(text));
}

int WDialer::pollDividerFor(DialerState state) const
{
    if (isSetUpOrRinging(state))
        return FastPollDivider;
    if (state == State_Active)
        return m_sIdString == unknownText() ? FastPollDivider : SlowPollDivider;
    return SlowPollDivider;
}

void WDialer::queryCallState()
{
    m_pTransform->setIndexes(0, QueryCallState, 0);
}

void WDialer::setDialerState(DialerState state)
{
    m_statusUpdateTimer.start();
    if (m_sStatusText == noConnectionText())
        updateStatusText();
    if (state == m_nDialerState || !m_pTransform)
        return;
    m_pTransform->setPollDivider(pollDividerFor(state));
    const DialerState old = m_nDialerState;
    m_nDialerState = state;

    if (state == State_Active) {
        m_callStartTime = QDateTime::currentDateTime();
        onCallDurationTimerTimeOut();
        m_callDurationTimer.start();
        if (m_sIdString == unknownText())
            startCallerIdQuery();
        else
            m_queryTypeToggleTimer.stop();
        emit dialerStateChanged();
        return;
    }
    m_callDurationTimer.stop();
    if (state == State_HangUp && old != State_Startup) {
        setStatusText(tr("Call Ended"));
        m_callEndedTimer.start();
        setIdString(QString());
        setDisplayText(QString());
    } else {
        updateStatusText();
        if (state == State_Incoming || state == State_ActiveIncoming) {
            if (state == State_ActiveIncoming) {
                m_sSavedIdString = m_sIdString;
                m_sSavedDisplayText = m_sDisplayText;
                m_bConferencePending = true;
            }
            setIdString(unknownText());
            startCallerIdQuery();
            emit dialerStateChanged();
            return;
        }
    }
    m_queryTypeToggleTimer.stop();
    m_sSavedIdString.clear();
    m_sSavedDisplayText.clear();
    m_bConferencePending = false;
    if (m_pTransform)
        queryCallState();
    emit dialerStateChanged();
}

void WDialer::startCallerIdQuery()
{
    if (m_pTransform)
        m_pTransform->setIndexes(0, QueryCallerId, 0);
    m_queryTypeToggleTimer.start();
    m_nQueryToggleCount = 0;
}

void WDialer::onQueryTypeToggleTimerTimeout()
{
    // A caller-ID request still waits for its answer.
    if (m_pTransform && m_pTransform->secondIndex() != QueryCallState)
        return;
    if (!m_sIdString.isEmpty() && m_sIdString != unknownText())
        return;
    if (m_pTransform)
        m_pTransform->setIndexes(0, QueryCallerId, 0);
    ++m_nQueryToggleCount;
    if (m_nQueryToggleCount > MaxQueryToggles)
        m_queryTypeToggleTimer.stop();
}

void WDialer::processCallerIdReply(const QString &reply)
{
    const QString text = withoutQuotes(reply);
    if (m_sCallType != QLatin1String("VoIP")) {
        // tag&number&name, where the name may hold "&" itself.
        QStringList parts = text.split(QLatin1Char('&'), Qt::KeepEmptyParts);
        while (parts.size() > 3) {
            parts[2] += QLatin1Char('&') + parts.at(3);
            parts.removeAt(3);
        }
        if (parts.size() == 3 && !parts.at(2).isEmpty())
            setIdString(parts.at(2));
        if (parts.size() >= 2 && !parts.at(1).isEmpty())
            m_sDigits = parts.at(1);
    } else {
        setIdString(text);
        m_sDigits.clear();
    }
    if (!m_sIdString.isEmpty() && m_sIdString != unknownText())
        m_queryTypeToggleTimer.stop();
    updateDisplayText();
}

void WDialer::onStatusUpdateTimeout()
{
    if (!model())
        return;
    if (m_pProtocol && m_pProtocol->isOnline()) {
        m_statusUpdateTimer.start();
        return;
    }
    setDialerState(State_HangUp);
    setStatusText(noConnectionText());
}

// ---------------------------------------------------------------- geometry

void WDialer::placeItem(const QRectF &rect)
{
    setAspectRatioCorrection(false);
    setWidgetProperty("x", float(rect.x()));
    setWidgetProperty("y", float(rect.y()));
    setAspectRatioCorrection(true);
    setWidgetProperty("width", float(rect.width()));
    setWidgetProperty("height", float(rect.height()));
}

void WDialer::scaleGeometry(qreal factor, bool both)
{
    if (!m_pWidget || !UNumbers::isPositive(float(factor)))
        return;
    const QRectF rect = widgetRect();
    const qreal x = both ? rect.x() * factor : rect.x() / factor;
    placeItem(QRectF(x, rect.y() * factor, rect.width() * factor, rect.height() * factor));
}

void WDialer::moveBy(const QPointF &offset)
{
    setAspectRatioCorrection(false);
    WWidget::moveBy(offset);
    setAspectRatioCorrection(true);
}

void WDialer::fitToRect(const QRectF &rect)
{
    if (!m_pWidget)
        return;
    placeItem(QRectF(rect.x() + m_dXFract * rect.width(), rect.y() + m_dYFract * rect.height(),
                     m_dWidthFract * rect.width(), m_dHeightFract * rect.height()));
}

void WDialer::refitToRect(const QRectF &oldRect, const QRectF &newRect)
{
    if (!m_pWidget)
        return;
    setAspectRatioCorrection(false);
    setWidgetProperty("x", newRect.x());
    setWidgetProperty("y", newRect.y());
    setAspectRatioCorrection(true);
    if (newRect.width() != oldRect.width())
        setWidgetProperty("width", newRect.width());
    if (newRect.height() != oldRect.height())
        setWidgetProperty("height", newRect.height());
}

// ---------------------------------------------------------------- XML

bool WDialer::save(XmlWriter *pWriter)
{
    if (!saveStart(pWriter))
        return false;
    pWriter->writeTextElement(QStringLiteral("primaryColor"), m_sPrimaryColor);
    pWriter->writeUIntElement(QStringLiteral("secondaryColorRed"), m_nSecondaryRed);
    pWriter->writeUIntElement(QStringLiteral("secondaryColorGreen"), m_nSecondaryGreen);
    pWriter->writeUIntElement(QStringLiteral("secondaryColorBlue"), m_nSecondaryBlue);
    pWriter->writeIntElement(QStringLiteral("alwaysShowCallAndEnd"), m_bAlwaysShowCallAndEnd ? 1 : 0);
    pWriter->writeEndElement(m_sType);
    return true;
}

bool WDialer::processElement(const QString &name, const QString &text)
{
    if (!m_pWidget)
        return false;
    // QML answers a size with a size of its own; that is not a layout to remember.
    bool rect = false;
    if (m_pControl) {
        const bool locked = m_pControl->isLayoutLocked();
        m_pControl->setLayoutLocked(true);
        rect = processRect(name, text);
        if (m_pControl)
            m_pControl->setLayoutLocked(locked);
    } else {
        rect = processRect(name, text);
    }
    if (rect || processFract(name, text) || processIdLink(name, text))
        return true;
    if (name == QLatin1String("primaryColor")) {
        setPrimaryColor(text);
    } else if (name == QLatin1String("secondaryColorRed")) {
        m_nSecondaryRed = quint8(UNumbers::toUInt(text) & 0xFF);
    } else if (name == QLatin1String("secondaryColorGreen")) {
        m_nSecondaryGreen = quint8(UNumbers::toUInt(text) & 0xFF);
    } else if (name == QLatin1String("secondaryColorBlue")) {
        m_nSecondaryBlue = quint8(UNumbers::toUInt(text) & 0xFF);
    } else if (name == QLatin1String("alwaysShowCallAndEnd")) {
        setAlwaysShowCallAndEnd(UNumbers::toInt(text) != 0);
    } else {
        return false;
    }
    return true;
}

// ---------------------------------------------------------------- property ids

QVariant WDialer::propertyValue(WidgetPropertyId::Type id) const
{
    switch (id) {
    case WidgetPropertyId::DialerType:
        return m_pControl ? m_pControl->nodeName() : m_sCallType;
    case WidgetPropertyId::DialerPrimaryColor:
        return m_sPrimaryColor;
    case WidgetPropertyId::DialerRed:
        return int(m_nSecondaryRed);
    case WidgetPropertyId::DialerGreen:
        return int(m_nSecondaryGreen);
    case WidgetPropertyId::DialerBlue:
        return int(m_nSecondaryBlue);
    case WidgetPropertyId::AlwaysShowCallAndEnd:
        return m_bAlwaysShowCallAndEnd;
    default:
        return WWidget::propertyValue(id);
    }
}

void WDialer::setPropertyValue(WidgetPropertyId::Type id, const QVariant &value)
{
    if (!m_pTransform)
        return;
    quint8 *pChannel = nullptr;
    switch (id) {
    case WidgetPropertyId::DialerPrimaryColor:
        setPrimaryColor(value.toString());
        return;
    case WidgetPropertyId::DialerRed:
        pChannel = &m_nSecondaryRed;
        break;
    case WidgetPropertyId::DialerGreen:
        pChannel = &m_nSecondaryGreen;
        break;
    case WidgetPropertyId::DialerBlue:
        pChannel = &m_nSecondaryBlue;
        break;
    case WidgetPropertyId::AlwaysShowCallAndEnd:
        setAlwaysShowCallAndEnd(value.toBool());
        return;
    default:
        WWidget::setPropertyValue(id, value);
        return;
    }
    *pChannel = quint8(value.toUInt() & 0xFF);
    rebuildSecondaryColor();
}
