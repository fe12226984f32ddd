#pragma once

#include "widgets/WWidget.h"

#include <QTimer>

// Widget of "button": a text, an image or both in an on and an off state (and
// a partial one for the connection indicator). A press sends one small value
// through the bound transform; which value, and what the release does, is the
// button's action. The button type chooses the images and the channel rules
// (mute, logic channel, set all, reset all, setup menu, indicator...).
class WButton : public WWidget
{
    Q_OBJECT

public:
    // Values of the action; the texts of ActionNames are the stored words.
    enum Action {
        Alternating = 0,
        Sequence = 1,
        SendOnThenOff = 2,
        Toggle = 3,
        Pulse = 4,
        NoAction = 5,
        ShowSetupMenu = 6,
        ShowConnectionStatus = 7,
    };
    enum ButtonType {
        Mute = 0,
        LogicChannel = 1,
        LogicSet = 2,
        LogicReset = 3,
        VirtualGpi = 4,
        VirtualGpo = 5,
        Setup = 6,
        ConnectionIndicator = 7,
    };

    // Milliseconds a pulse stays visible, and replies are ignored after a press.
    static constexpr int PulseTime = 200;
    static constexpr int HoldTime = 1000;
    // Channels offered for a channel button whose block gives no count.
    static constexpr int DefaultChannelCount = 8;

    explicit WButton(QQuickItem *pParent = nullptr);
    ~WButton() override;

    void initWidget(QObject *pItem) override;
    void destroy() override;
    void setupFromParameter(CAttributes *pAttributes) override;
    void setCanvasItem(QQuickItem *pItem) override;
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
    void reloadImages() override;
    void attachModel(MModel *pModel) override;
    void unbindNode() override;

    void setAction(const QString &text);
    QString actionName() const;
    void setButtonType(const QString &text);
    QString buttonTypeName() const;
    // The channel text as a number; 0 (with a warning) when it is not one.
    int channelNumber() const;
    // The channels of the bound block (the Channel field's range).
    int channelCount() const;
    void setContentMode(const QString &text);
    QString contentMode() const;

    void applyImageSet();
    void deriveImageSet();
    // The path a built-in image name stands for, offered to the project archive.
    QString resolveImageName(const QString &name) const;
    void setImageByName(const char *property, const QString &name);
    // A skin or accent image path moved to the current skin and accent; the
    // path unchanged when it is neither.
    QString reskinImagePath(const QString &path) const;

    // Lists a local image file with the project archive; the path unchanged.
    static QString archivedImagePath(XmlWriter *pWriter, const QString &path);

    int action() const { return m_nAction; }
    int buttonType() const { return m_nButtonType; }
    bool isChecked() const { return m_bChecked != 0; }
    const QString &channel() const { return m_channel; }
    const QString &imageSet() const { return m_sImageSet; }
    bool isHolding() const { return m_holdTimer.isActive(); }
    bool isPulsing() const { return m_pulseTimer.isActive(); }

public slots:
    void outputClicked(bool checked);
    void outputPressed();
    void outputReleased();
    void onPulseTimerTimeout();
    void onChangedStatusIndicator();
    void onLabelChangedByReload(const QString &oldLabel, const QString &newLabel);

protected:
    // Places one byte in the transform and sends it.
    void sendByte(unsigned char value);
    // Whether a press may send: a QML item, a transform, a protocol, output enabled.
    bool canSend() const;
    void setChecked(unsigned char checked);
    // The button's own texts after the label, channel, phone and microphone substitutions.
    QString substituteText(const QString &text, bool onText) const;
    void changeChannel(const QString &channel);
    void writeButtonElements(XmlWriter *pWriter);
    // The button's own elements; false when the name is none of them.
    bool processButtonElement(const QString &name, const QString &text);
    void updateActionProperties();

    unsigned char m_bChecked;
    unsigned char m_bCheckedAtPress;
    QString m_channel;
    int m_nButtonType;
    unsigned char m_nLastValue;
    int m_nOnIndex;
    int m_nOffIndex;
    int m_nToggleIndex;
    int m_nPulseIndex;
    int m_nAction;
    int m_nCurrentTab;
    QTimer m_pulseTimer;
    QTimer m_holdTimer;
    QString m_sImageSet;
    QString m_sOnImage;
    QString m_sOffImage;
    QString m_sPartialImage;
    int m_nIndex1ForQuery;
    // The state a running pulse returns to.
    unsigned char m_bCheckedBeforePulse;
};
