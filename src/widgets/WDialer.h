#pragma once

#include "widgets/WWidget.h"

#include <QColor>
#include <QDateTime>
#include <QPointer>
#include <QString>
#include <QTimer>

class ULogger;

// Widget of "dialer": the keypad of a telephone-interface block (PSTN or
// VoIP). Keys edit the number locally or send commands; the call state and
// the caller ID come back from polls and drive the state machine below. The
// state only ever changes from what the block reports, never from a key.
//
// Commands go out through the transform: its third index carries the command
// number, its value text the command text. Its second index chooses what the
// next poll asks for (1 the call state, 2 the caller ID).
class WDialer : public WWidget
{
    Q_OBJECT
    Q_PROPERTY(DialerState dialerState READ dialerState WRITE setDialerState NOTIFY dialerStateChanged)
    Q_PROPERTY(bool isHoldActive READ isHoldActive WRITE setIsHoldActive NOTIFY holdStateChanged)
    Q_PROPERTY(QString callType READ callType NOTIFY callTypeChanged)
    Q_PROPERTY(QString idString READ idString NOTIFY idStringChanged)
    Q_PROPERTY(QString displayText READ displayText WRITE setDisplayText NOTIFY displayTextChanged)
    Q_PROPERTY(QString statusText READ statusText NOTIFY statusTextChanged)
    Q_PROPERTY(bool isAspectRatioCorrectionActive READ isAspectRatioCorrectionActive NOTIFY
                   aspectRatioCorrectionActivationChanged)
    Q_PROPERTY(QString primaryColor READ primaryColor NOTIFY primaryColorChanged)
    Q_PROPERTY(QColor secondaryColor READ secondaryColor NOTIFY secondaryColorChanged)
    Q_PROPERTY(bool alwaysShowCallAndEnd READ alwaysShowCallAndEnd NOTIFY alwaysShowCallAndEndChanged)
    Q_PROPERTY(bool isLoggingActive READ isLoggingActive NOTIFY isLoggingActiveChanged)

public:
    enum DialerState {
        State_HangUp = 0,
        State_Active = 1,
        State_Incoming = 2,
        State_ActiveIncoming = 3,
        State_Outgoing = 4,
        State_RingBack = 5,
        State_Busy = 6,
        State_Dialing = 7,
        State_DialTone = 8,
        State_Hold = 9,
        State_OTHER = 10,
        State_Startup = 11
    };
    Q_ENUM(DialerState)

    // Command numbers of the third index.
    static constexpr int CommandKey = 1;
    static constexpr int CommandDial = 2;
    static constexpr int CommandEnd = 3;
    static constexpr int CommandAnswer = 4;
    static constexpr int CommandHold = 6;
    // Query selectors of the second index.
    static constexpr int QueryCallState = 1;
    static constexpr int QueryCallerId = 2;

    static constexpr int CallDurationMs = 1000;
    static constexpr int CallEndedMs = 2000;
    static constexpr int StatusCheckMs = 5000;
    static constexpr int QueryToggleMs = 490;
    // Caller-ID requests the toggle timer asks for at most, minus one.
    static constexpr int MaxQueryToggles = 40;
    // Poll dividers: every round while a call is set up, every fourth otherwise.
    static constexpr int FastPollDivider = 1;
    static constexpr int SlowPollDivider = 4;

    explicit WDialer(QQuickItem *pParent = nullptr);
    ~WDialer() override;

    // The translated "No Connection", made once per process.
    static const QString &noConnectionText();
    // The call state a reply text names (quotes already removed).
    static DialerState stateOfReply(const QString &text);
    // The number as the display shows it.
    static QString formatNumber(const QString &digits);
    // Seconds of a call as the status shows them ("00:00", "1:02:05").
    static QString formatDuration(qint64 seconds);

    void initWidget(QObject *pItem) override;
    void destroy() override;
    void setCanvasItem(QQuickItem *pItem) override;
    void setupFromParameter(CAttributes *pAttributes) override;
    bool save(XmlWriter *pWriter) override;
    bool processElement(const QString &name, const QString &text) override;
    void scaleGeometry(qreal factor, bool both) override;
    void moveBy(const QPointF &offset) override;
    void fitToRect(const QRectF &rect) override;
    void refitToRect(const QRectF &oldRect, const QRectF &newRect) override;
    void updateFromTransform() override;
    void setTransform(TTransform *pTransform) override;
    DPropDialog *createPropertiesDialog(QWidget *pParent) override;
    QVariant propertyValue(WidgetPropertyId::Type id) const override;
    void setPropertyValue(WidgetPropertyId::Type id, const QVariant &value) override;

    DialerState dialerState() const { return m_nDialerState; }
    void setDialerState(DialerState state);
    bool isHoldActive() const { return m_bHoldActive; }
    void setIsHoldActive(bool active);
    const QString &callType() const { return m_sCallType; }
    const QString &idString() const { return m_sIdString; }
    const QString &displayText() const { return m_sDisplayText; }
    void setDisplayText(const QString &text);
    const QString &statusText() const { return m_sStatusText; }
    bool isAspectRatioCorrectionActive() const { return m_bAspectRatioCorrectionActive; }
    const QString &primaryColor() const { return m_sPrimaryColor; }
    QColor secondaryColor() const { return m_secondaryColor; }
    bool alwaysShowCallAndEnd() const { return m_bAlwaysShowCallAndEnd; }
    bool isLoggingActive() const { return m_bLoggingActive; }

    const QString &digits() const { return m_sDigits; }
    const QString &lastNumber() const { return m_sLastNumber; }
    const QString &savedIdString() const { return m_sSavedIdString; }
    const QString &savedDisplayText() const { return m_sSavedDisplayText; }
    bool isConferencePending() const { return m_bConferencePending; }
    int queryToggleCount() const { return m_nQueryToggleCount; }
    quint8 secondaryRed() const { return m_nSecondaryRed; }
    quint8 secondaryGreen() const { return m_nSecondaryGreen; }
    quint8 secondaryBlue() const { return m_nSecondaryBlue; }

    // The timers, for those who drive them.
    QTimer *callDurationTimer() { return &m_callDurationTimer; }
    QTimer *callEndedTimer() { return &m_callEndedTimer; }
    QTimer *statusUpdateTimer() { return &m_statusUpdateTimer; }
    QTimer *queryTypeToggleTimer() { return &m_queryTypeToggleTimer; }

    void sendCommand(int index, const QString &text);
    void updateDisplayText();
    void updateStatusText();
    void processStateReply(const QString &reply);
    void processCallerIdReply(const QString &reply);

signals:
    // Requests QML calls as functions; each runs the slot of the same name with "on" in front.
    void accept();
    void backspace();
    void backspaceHeld();
    void clear();
    void end();
    void callOrEnd(bool doNotSendEnd);
    void digit(const QString &digit);
    void digitHeld(const QString &text);
    void digitHeldFiveSeconds(const QString &text);
    void directory();
    void hold();
    void addCallOrFlash();
    void endAndAccept();
    void declineAndStayActive();
    void holdAndAccept();

    void dialerStateChanged();
    void holdStateChanged(bool isActive);
    void callTypeChanged();
    void idStringChanged();
    void displayTextChanged();
    void statusTextChanged();
    void aspectRatioCorrectionActivationChanged();
    void adjustHeight(float h);
    void adjustWidth(float w);
    void primaryColorChanged();
    void secondaryColorChanged();
    void isLoggingActiveChanged();
    void alwaysShowCallAndEndChanged();

private slots:
    void onBackspace();
    void onBackspaceHeld();
    void onClear();
    void onDigit(const QString &digit);
    void onDigitHeld(const QString &digit);
    void onDigitHeldFiveSeconds(const QString &digit);
    void onCallOrEnd(bool doNotSendEnd);
    void onEnd();
    void onDirectory();
    void onHold();
    void onAddCallOrFlash();
    void onAccept();
    void onEndAndAccept();
    void onDeclineAndStayActive();
    void onHoldAndAccept();
    void onCallDurationTimerTimeOut();
    void onCallEndedTimerTimeOut();
    void onStatusUpdateTimeout();
    void onQueryTypeToggleTimerTimeout();

private:
    // Hung up, unknown or not yet known: keys edit the number locally.
    bool isIdle() const;
    void setCallType(const QString &type);
    void setIdString(const QString &text);
    void setStatusText(const QString &text);
    void setPrimaryColor(const QString &name);
    void setAlwaysShowCallAndEnd(bool on);
    void setLoggingActive(bool on);
    void setAspectRatioCorrection(bool on);
    void rebuildSecondaryColor();
    void startCallerIdQuery();
    void queryCallState();
    int pollDividerFor(DialerState state) const;
    // Sets x and y with the correction off, then width and height with it on.
    void placeItem(const QRectF &rect);

    DialerState m_nDialerState;
    bool m_bHoldActive;
    QString m_sCallType;
    QString m_sIdString;
    QString m_sDisplayText;
    QString m_sStatusText;
    bool m_bAspectRatioCorrectionActive;
    QString m_sPrimaryColor;
    QColor m_secondaryColor;
    bool m_bAlwaysShowCallAndEnd;
    bool m_bLoggingActive;
    QString m_sDigits;
    QString m_sLastNumber;
    QDateTime m_callStartTime;
    QTimer m_callDurationTimer;
    QTimer m_callEndedTimer;
    QTimer m_statusUpdateTimer;
    QTimer m_queryTypeToggleTimer;
    quint8 m_nSecondaryRed;
    quint8 m_nSecondaryGreen;
    quint8 m_nSecondaryBlue;
    QString m_sSavedIdString;
    QString m_sSavedDisplayText;
    bool m_bConferencePending;
    int m_nQueryToggleCount;
    QPointer<ULogger> m_pLogger;
};
