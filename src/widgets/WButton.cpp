#include "widgets/WButton.h"

#include "hardware/HNode.h"
#include "model/CAttributes.h"
#include "model/CControl.h"
#include "model/MModel.h"
#include "protocols/PProtocol.h"
#include "transforms/TTransform.h"
#include "utility/LogCategories.h"
#include "utility/UArchive.h"
#include "utility/UNumbers.h"
#include "xml/XmlWriter.h"

#include <QCoreApplication>
#include <QDebug>
#include <QUrl>

namespace {

const char *const ActionNames[] = {"alternating", "sequence",     "sendOthenF",
                                   "toggle",      "pulse",        "none",
                                   "showSetupMenu", "showConnectionStatus"};
const char *const ButtonTypeNames[] = {"mute",       "logicChannel", "logicSet", "logicReset",
                                       "virtualGPI", "virtualGPO",   "setup",    "connectionIndicator"};

// The set names are translated once, in one context, so the page, the
// derivation and the application compare equal.
const char *const ImageSetContext = "WButton";

struct ImageSet
{
    const char *name;
    const char *on;
    const char *off;
    const char *partial; // null: the partial image stays
};

const ImageSet ImageSets[] = {
    {QT_TRANSLATE_NOOP("WButton", "Mute/Unmute"), "mute_on", "mute_off", nullptr},
    {QT_TRANSLATE_NOOP("WButton", "Green LED"), "led_on", "led_off", nullptr},
    {QT_TRANSLATE_NOOP("WButton", "Red LED"), "red_led", "green_led_off", nullptr},
    {QT_TRANSLATE_NOOP("WButton", "Setup Icon"), "setup_button", "setup_button", nullptr},
    {QT_TRANSLATE_NOOP("WButton", "Connection Status Icon"), "connection_indicator_on", "connection_indicator_off",
     "connection_indicator_partial"},
    {QT_TRANSLATE_NOOP("WButton", "Set All"), "set_all", "set_all", nullptr},
    {QT_TRANSLATE_NOOP("WButton", "Reset All"), "reset_all", "reset_all", nullptr},
    {QT_TRANSLATE_NOOP("WButton", "Custom"), "", "", nullptr},
};

QString setName(const char *name)
{
    return QCoreApplication::translate(ImageSetContext, name);
}

// Where a built-in image name points. Order matters: "green_led_off" before
// "led_off", "reset_all" before "set_all".
enum class Folder { Accent, Skin, Images };

struct ImageName
{
    const char *contains;
    Folder folder;
    const char *file;
};

const ImageName ImageNames[] = {
    {"mute_on", Folder::Accent, "mute_on.png"},
    {"mute_off", Folder::Skin, "mute_off.png"},
    {"green_led_off", Folder::Images, "ledOffGreen.png"},
    {"led_off", Folder::Images, "ledOffRed.png"},
    {"led_on", Folder::Images, "ledOn.png"},
    {"red_led", Folder::Images, "ledRed.png"},
    {"reset_all", Folder::Skin, "resetAll.png"},
    {"set_all", Folder::Skin, "setAll.png"},
    {"setup_button", Folder::Skin, "menu.png"},
    {"connection_indicator_off", Folder::Skin, "indicator_red.png"},
    {"connection_indicator_on", Folder::Skin, "indicator_grn.png"},
    {"connection_indicator_partial", Folder::Skin, "indicator_ylw.png"},
};

const QLatin1String SkinsFolder("../images/skins/");
const QLatin1String AccentFolder("../images/skins/Accent/");

template <size_t N>
int indexOf(const char *const (&names)[N], const QString &text)
{
    for (size_t i = 0; i < N; ++i) {
        if (text == QLatin1String(names[i]))
            return int(i);
    }
    return -1;
}

// The file name without folder and extension; the whole text when it holds
// no folder.
QString baseName(const QString &text)
{
    if (text.indexOf(QLatin1Char('/'), 1) < 0)
        return text;
    const QString file = text.mid(text.lastIndexOf(QLatin1Char('/')) + 1);
    const int dot = file.lastIndexOf(QLatin1Char('.'));
    return dot < 0 ? QString() : file.left(dot);
}

// The position of the letter in the comma-separated list; -1 when absent.
int letterIndex(const QStringList &letters, const char *letter)
{
    return int(letters.indexOf(QLatin1String(letter)));
}

} // namespace

WButton::WButton(QQuickItem *pParent)
    : WWidget(pParent)
    , m_bChecked(0)
    , m_bCheckedAtPress(0)
    , m_channel(QStringLiteral("1"))
    , m_nButtonType(Mute)
    , m_nLastValue(0)
    , m_nOnIndex(-1)
    , m_nOffIndex(-1)
    , m_nToggleIndex(-1)
    , m_nPulseIndex(-1)
    , m_nAction(Alternating)
    , m_nCurrentTab(0)
    , m_nIndex1ForQuery(-1)
    , m_bCheckedBeforePulse(0)
{
    m_pulseTimer.setInterval(PulseTime);
    m_pulseTimer.setSingleShot(true);
    connect(&m_pulseTimer, &QTimer::timeout, this, &WButton::onPulseTimerTimeout);
    m_holdTimer.setInterval(HoldTime);
    m_holdTimer.setSingleShot(true);
}

WButton::~WButton() = default;

void WButton::initWidget(QObject *)
{
}

void WButton::destroy()
{
}

void WButton::setCanvasItem(QQuickItem *)
{
}

bool WButton::hasTitle() const
{
    return true;
}

DPropDialog *WButton::createPropertiesDialog(QWidget *pParent)
{
    return WWidget::createPropertiesDialog(pParent);
}

void WButton::setLabelText(const QString &text)
{
    setWidgetProperty("text", text);
    setWidgetProperty("hasText", true);
}

// ---------------------------------------------------------------- binding

void WButton::setNode(HNode *pNode)
{
    WWidget::setNode(pNode);
    if (pNode)
        connect(pNode, &HNode::labelChangedByReload, this, &WButton::onLabelChangedByReload, Qt::UniqueConnection);
}

void WButton::unbindNode()
{
    if (m_pNode)
        disconnect(m_pNode, &HNode::labelChangedByReload, this, &WButton::onLabelChangedByReload);
}

void WButton::setTransform(TTransform *pTransform)
{
    if (m_pTransform && m_pTransform != pTransform)
        disconnect(m_pTransform, &TTransform::replyValueReady, this, &WButton::updateFromTransform);
    WWidget::setTransform(pTransform);
    if (pTransform)
        connect(pTransform, &TTransform::replyValueReady, this, &WButton::updateFromTransform, Qt::UniqueConnection);
}

void WButton::setupFromParameter(CAttributes *pAttributes)
{
    if (!pAttributes) {
        attachModel(model());
        return;
    }
    if ((m_nButtonType == LogicChannel || m_nButtonType == LogicSet || m_nButtonType == LogicReset)
        && !m_channel.isEmpty()) {
        pAttributes->setIndex2(channelNumber());
        if (m_nButtonType == LogicChannel && m_pTransform && m_nIndex1ForQuery > 0)
            m_pTransform->setIndexes(m_nIndex1ForQuery, -1, 1);
    }
    const QStringList letters = pAttributes->set().split(QLatin1Char(','));
    m_nOnIndex = letterIndex(letters, "O");
    m_nOffIndex = letterIndex(letters, "F");
    m_nToggleIndex = letterIndex(letters, "T");
    m_nPulseIndex = letterIndex(letters, "P");
    attachModel(model());
}

void WButton::setAction(const QString &text)
{
    const int action = indexOf(ActionNames, text);
    if (action < 0) {
        setWidgetProperty("isSequence", false);
        setWidgetProperty("isSetupButton", false);
        return;
    }
    m_nAction = action;
    updateActionProperties();
    if (m_nAction == ShowConnectionStatus)
        setWidgetProperty("isTristateButton", true);
}

void WButton::updateActionProperties()
{
    setWidgetProperty("isSequence", m_nAction == Sequence || m_nAction == SendOnThenOff);
    setWidgetProperty("isSetupButton", m_nAction == ShowSetupMenu);
}

QString WButton::actionName() const
{
    const int action = (m_nAction >= Sequence && m_nAction <= ShowConnectionStatus) ? m_nAction : Alternating;
    return QLatin1String(ActionNames[action]);
}

void WButton::setButtonType(const QString &text)
{
    const int type = indexOf(ButtonTypeNames, text);
    m_nButtonType = type < 0 ? Mute : type;
    if ((m_nButtonType == LogicSet || m_nButtonType == LogicReset) && m_pNode)
        m_channel = QString::number(m_pNode->logicCount() + (m_nButtonType == LogicSet ? 1 : 2));
}

QString WButton::buttonTypeName() const
{
    const int type = (m_nButtonType >= Mute && m_nButtonType <= ConnectionIndicator) ? m_nButtonType : Mute;
    return QLatin1String(ButtonTypeNames[type]);
}

int WButton::channelNumber() const
{
    bool ok = false;
    const int number = m_channel.toInt(&ok, 10);
    if (!ok) {
        qCWarning(lcWidgets).noquote() << "m_channel is not convertable to int. Value is: " + m_channel;
        return 0;
    }
    return number;
}

// ---------------------------------------------------------------- press and release

bool WButton::canSend() const
{
    return m_pWidget && m_pTransform && m_pProtocol && m_bOutputEnabled;
}

void WButton::setChecked(unsigned char checked)
{
    m_bChecked = checked;
    setWidgetProperty("checked", m_bChecked != 0);
}

void WButton::sendByte(unsigned char value)
{
    m_pTransform->setValue(value);
    m_pProtocol->sendValue(m_pTransform);
}

void WButton::outputClicked(bool)
{
}

void WButton::outputPressed()
{
    if (m_nAction == NoAction || m_nAction == ShowSetupMenu || m_nAction == ShowConnectionStatus || !canSend())
        return;
    m_bCheckedAtPress = m_bChecked;
    m_holdTimer.start();
    const unsigned char previous = m_bChecked;
    setChecked(m_nAction == SendOnThenOff ? 1 : (m_bChecked ^ 1));
    unsigned char value = m_bChecked;
    switch (m_nAction) {
    case Toggle:
        value = (unsigned char)(m_nToggleIndex);
        break;
    case Pulse:
        value = (unsigned char)(m_nPulseIndex);
        // A second press inside the pulse does not lengthen it; the pulse
        // ends in the state it began from.
        if (!m_pulseTimer.isActive()) {
            m_bCheckedBeforePulse = previous;
            m_pulseTimer.start();
        }
        break;
    case SendOnThenOff:
        value = 1;
        m_nLastValue = value;
        break;
    default:
        m_nLastValue = value;
        break;
    }
    sendByte(value);
}

// Only a sequence and a momentary button send on release; the others have
// nothing to send, and would otherwise put a stray byte on the wire.
void WButton::outputReleased()
{
    if (!m_pWidget)
        return;
    m_holdTimer.start();
    if ((m_nAction != Sequence && m_nAction != SendOnThenOff) || !canSend())
        return;
    if (m_nAction == Sequence) {
        setChecked(m_nLastValue ^ 1);
    } else if (m_nButtonType != LogicChannel || m_bCheckedAtPress != 0) {
        setChecked(0);
    }
    sendByte(m_nAction == Sequence ? m_bChecked : 0);
}

void WButton::onPulseTimerTimeout()
{
    setChecked(m_bCheckedBeforePulse);
}

// Replies inside the hold time are the device's echo of an older state.
void WButton::updateFromTransform()
{
    if (!m_pWidget || !m_pTransform || m_holdTimer.isActive())
        return;
    m_bOutputEnabled = false;
    unsigned char reply = 0;
    m_pTransform->replyValue(reply);
    setChecked(reply);
    m_bOutputEnabled = true;
}

// ---------------------------------------------------------------- connection indicator

void WButton::attachModel(MModel *pModel)
{
    if (m_nAction != ShowConnectionStatus || !pModel)
        return;
    if (MModel *pOwn = model())
        connect(pOwn, &MModel::changedStatusIndicator, this, &WButton::onChangedStatusIndicator, Qt::UniqueConnection);
    onChangedStatusIndicator();
}

void WButton::onChangedStatusIndicator()
{
    if (!m_pWidget || m_nAction != ShowConnectionStatus || !model())
        return;
    const QString image = MModel::indicatorImage();
    bool partial = false;
    if (image.contains(QLatin1String("grn"))) {
        m_bChecked = 1;
    } else {
        m_bChecked = 0;
        partial = image.contains(QLatin1String("ylw"));
    }
    setWidgetProperty("isPartialStateActive", partial);
    setWidgetProperty("checked", m_bChecked != 0);
}

// ---------------------------------------------------------------- images

QString WButton::resolveImageName(const QString &name) const
{
    QString path = name;
    for (const ImageName &entry : ImageNames) {
        if (!name.contains(QLatin1String(entry.contains)))
            continue;
        const MModel *pModel = model();
        if (entry.folder == Folder::Images)
            path = QStringLiteral("../images/") + QLatin1String(entry.file);
        else if (!pModel)
            path.clear();
        else if (entry.folder == Folder::Accent)
            path = AccentFolder + pModel->accentName() + QLatin1Char('/') + QLatin1String(entry.file);
        else
            path = SkinsFolder + pModel->skinName() + QLatin1Char('/') + QLatin1String(entry.file);
        break;
    }
    if (!path.isEmpty())
        UArchive::instance()->fileUrl(path);
    return path;
}

void WButton::setImageByName(const char *property, const QString &name)
{
    setWidgetProperty(property, resolveImageName(name));
    setWidgetProperty("hasImage", true);
}

void WButton::deriveImageSet()
{
    const QString on = baseName(m_sOnImage);
    const QString off = baseName(m_sOffImage);
    const QString partial = baseName(m_sPartialImage);
    const char *name = "Custom";
    if (on == QLatin1String("mute_on") && off == QLatin1String("mute_off"))
        name = "Mute/Unmute";
    else if (on == QLatin1String("led_on") && off == QLatin1String("led_off"))
        name = "Green LED";
    else if (off == QLatin1String("setup_button"))
        name = "Setup Icon";
    else if (off == QLatin1String("connection_indicator_off") && on == QLatin1String("connection_indicator_on")
             && partial == QLatin1String("connection_indicator_partial"))
        name = "Connection Status Icon";
    else if (off == QLatin1String("set_all"))
        name = "Set All";
    else if (off == QLatin1String("reset_all"))
        name = "Reset All";
    m_sImageSet = setName(name);
}

void WButton::applyImageSet()
{
    for (const ImageSet &set : ImageSets) {
        if (m_sImageSet != setName(set.name))
            continue;
        setImageByName("onImage", QLatin1String(set.on));
        setImageByName("offImage", QLatin1String(set.off));
        if (set.partial)
            setImageByName("partialImage", QLatin1String(set.partial));
        return;
    }
}

QString WButton::reskinImagePath(const QString &path) const
{
    const MModel *pModel = model();
    if (!pModel)
        return path;
    const QString file = path.mid(path.lastIndexOf(QLatin1Char('/')));
    if (path.contains(AccentFolder))
        return AccentFolder + pModel->accentName() + file;
    if (path.contains(SkinsFolder))
        return SkinsFolder + pModel->skinName() + file;
    return path;
}

void WButton::reloadImages()
{
    if (!model())
        return;
    for (const char *property : {"onImage", "offImage", "partialImage"}) {
        const QString path = widgetProperty(property).toString();
        if (path.isEmpty())
            continue;
        const QString moved = reskinImagePath(path);
        if (moved != path)
            setWidgetProperty(property, moved);
    }
}

// ---------------------------------------------------------------- texts

void WButton::onLabelChangedByReload(const QString &oldLabel, const QString &newLabel)
{
    if (!m_pWidget || !widgetProperty("hasText").toBool())
        return;
    for (const char *property : {"onText", "offText"}) {
        const QString text = widgetProperty(property).toString();
        if (text.startsWith(oldLabel))
            setWidgetProperty(property, newLabel + text.mid(oldLabel.size()));
    }
}

QString WButton::substituteText(const QString &source, bool onText) const
{
    QString text = source;
    if (m_pControl)
        text.replace(QLatin1String("*LABEL*"), m_pControl->nodeName());
    text.replace(QLatin1String("*Channel*"), QStringLiteral("Ch") + m_channel);
    if (!m_pNode)
        return text;
    if (m_pNode->teleconInputs() > 0)
        m_pNode->substituteLabel(text, false);
    if (m_pNode->title().startsWith(QLatin1String("AMM")) && text.startsWith(QLatin1String("Mic"))) {
        const QStringList words = text.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        bool ok = false;
        const int number = words.size() >= 2 ? words.at(1).toInt(&ok, 10) : 0;
        const bool known = ok && number >= 1 && number <= m_pNode->inputLabels().size();
        text = (known ? m_pNode->inputLabelAt(number - 1) : QString())
               + (onText ? QStringLiteral(" UNMUTE") : QStringLiteral(" MUTE"));
    }
    return text;
}

// A logic block counts its channels as its logic count, a logic input or
// output as its action count; a block that gives neither offers eight.
int WButton::channelCount() const
{
    if (m_pNode && m_pNode->logicCount() > 0)
        return m_pNode->logicCount();
    if (m_pNode && m_pNode->actionCount() > 0)
        return m_pNode->actionCount();
    return DefaultChannelCount;
}

void WButton::changeChannel(const QString &channel)
{
    const QString oldMark = QStringLiteral("Ch") + m_channel;
    m_channel = channel;
    if (m_pWidget && widgetProperty("hasText").toBool()) {
        const QString newMark = QStringLiteral("Ch") + m_channel;
        for (const char *property : {"onText", "offText"}) {
            const QString text = widgetProperty(property).toString();
            if (text.contains(oldMark))
                setWidgetProperty(property, QString(text).replace(oldMark, newMark));
        }
    }
    if (m_pTransform && m_pTransform->attributes())
        m_pTransform->attributes()->setIndex2(UNumbers::toInt(m_channel));
}

// ---------------------------------------------------------------- settings

QString WButton::archivedImagePath(XmlWriter *pWriter, const QString &path)
{
    const QString file = localImageFile(path);
    if (!file.isEmpty())
        pWriter->archiveFilePath(file, QStringLiteral("image"));
    return path;
}

bool WButton::save(XmlWriter *pWriter)
{
    if (!pWriter || !m_pWidget)
        return false;
    saveStart(pWriter);
    writeButtonElements(pWriter);
    pWriter->writeEndElement(m_sType);
    return true;
}

void WButton::writeButtonElements(XmlWriter *pWriter)
{
    if (widgetProperty("hasText").toBool()) {
        pWriter->writeTextElement(QStringLiteral("ontext"), widgetProperty("onText").toString());
        pWriter->writeTextElement(QStringLiteral("offtext"), widgetProperty("offText").toString());
        const QString partial = widgetProperty("partialText").toString();
        if (!partial.isEmpty())
            pWriter->writeTextElement(QStringLiteral("partialText"), partial);
    }
    if (widgetProperty("hasImage").toBool()) {
        pWriter->writeTextElement(QStringLiteral("onimage"),
                                  archivedImagePath(pWriter, widgetProperty("onImage").toString()));
        pWriter->writeTextElement(QStringLiteral("offimage"),
                                  archivedImagePath(pWriter, widgetProperty("offImage").toString()));
        const QString partial = widgetProperty("partialImage").toString();
        if (!partial.isEmpty())
            pWriter->writeTextElement(QStringLiteral("partialImage"), archivedImagePath(pWriter, partial));
        pWriter->writeTextElement(QStringLiteral("imagesize"),
                                  QString::number(widgetProperty("imageSize").toDouble()));
    }
    pWriter->writeIntElement(QStringLiteral("hasBorder"), widgetProperty("hasBorder").toBool() ? 1 : 0);
    pWriter->writeTextElement(QStringLiteral("action"), actionName());
    pWriter->writeTextElement(QStringLiteral("buttonType"), buttonTypeName());
    pWriter->writeTextElement(QStringLiteral("channel"), m_channel);
    pWriter->writeTextElement(QStringLiteral("imageSet"), m_sImageSet);
    pWriter->writeIntElement(QStringLiteral("index1ForQuery"), m_nIndex1ForQuery);
}

bool WButton::processElement(const QString &name, const QString &text)
{
    if (!m_pWidget)
        return false;
    if (processRect(name, text) || processIdLink(name, text))
        return true;
    return processButtonElement(name, text);
}

bool WButton::processButtonElement(const QString &name, const QString &text)
{
    if (name == QLatin1String("action")) {
        setAction(text);
    } else if (name == QLatin1String("buttonType")) {
        setButtonType(text);
    } else if (name == QLatin1String("title")) {
        setWidgetProperty("onText", text);
        setWidgetProperty("offText", text);
        setWidgetProperty("hasText", true);
    } else if (name == QLatin1String("channel")) {
        m_channel = text;
    } else if (name == QLatin1String("ontext") || name == QLatin1String("offtext")) {
        const bool on = name == QLatin1String("ontext");
        setWidgetProperty(on ? "onText" : "offText", substituteText(text, on));
        setWidgetProperty("hasText", true);
    } else if (name == QLatin1String("partialText")) {
        setWidgetProperty("partialText", text);
        setWidgetProperty("hasText", true);
    } else if (name == QLatin1String("onimage")) {
        setImageByName("onImage", text);
        m_sOnImage = text;
        deriveImageSet();
    } else if (name == QLatin1String("offimage")) {
        setImageByName("offImage", text);
        m_sOffImage = text;
        deriveImageSet();
    } else if (name == QLatin1String("partialImage")) {
        setImageByName("partialImage", text);
        m_sPartialImage = text;
        deriveImageSet();
    } else if (name == QLatin1String("imageSet")) {
        m_sImageSet = text;
    } else if (name == QLatin1String("imagesize")) {
        setWidgetProperty("imageSize", text.toFloat());
    } else if (name == QLatin1String("hasBorder")) {
        setWidgetProperty("hasBorder", UNumbers::toInt(text) != 0);
    } else if (name == QLatin1String("index1ForQuery")) {
        m_nIndex1ForQuery = UNumbers::toInt(text);
    } else {
        return false;
    }
    return true;
}

// ---------------------------------------------------------------- property ids

QString WButton::contentMode() const
{
    const bool text = widgetProperty("hasText").toBool();
    const bool image = widgetProperty("hasImage").toBool();
    if (text && image)
        return QStringLiteral("Text+Image");
    if (text)
        return QStringLiteral("Text");
    if (image)
        return QStringLiteral("Image");
    return QString();
}

void WButton::setContentMode(const QString &text)
{
    const bool showText = text == QLatin1String("Text") || text == QLatin1String("Text+Image");
    const bool showImage = text == QLatin1String("Image") || text == QLatin1String("Text+Image");
    if (!showText && !showImage)
        return;
    setWidgetProperty("hasText", showText);
    setWidgetProperty("hasImage", showImage);
    if (showImage)
        applyImageSet();
}

QVariant WButton::propertyValue(WidgetPropertyId::Type id) const
{
    switch (id) {
    case WidgetPropertyId::TextOn:
        return widgetProperty("onText").toString();
    case WidgetPropertyId::TextOff:
        return widgetProperty("offText").toString();
    case WidgetPropertyId::ButtonMode:
        return contentMode();
    case WidgetPropertyId::ImageOn:
        return widgetProperty("onImage").toString();
    case WidgetPropertyId::ImageOff:
        return widgetProperty("offImage").toString();
    case WidgetPropertyId::HasChannels:
        return m_nButtonType == LogicChannel;
    case WidgetPropertyId::Channel:
        return m_channel;
    case WidgetPropertyId::ButtonChoiceFlag:
        return m_nToggleIndex > 1;
    case WidgetPropertyId::ShowPulse:
        return m_nPulseIndex > 1;
    case WidgetPropertyId::ButtonAction:
        return m_nAction;
    case WidgetPropertyId::CurrentTab:
        return m_nCurrentTab;
    case WidgetPropertyId::ChannelCount:
        return channelCount();
    case WidgetPropertyId::ShowTurnOnOrOff:
        return m_nOffIndex >= 0 && m_nOnIndex >= 0;
    case WidgetPropertyId::ImageSetCategory:
        return m_nButtonType;
    case WidgetPropertyId::ImageSet:
        return m_sImageSet;
    case WidgetPropertyId::ImagePartial:
        return widgetProperty("partialImage").toString();
    case WidgetPropertyId::TextPartial:
        return widgetProperty("partialText").toString();
    default:
        return WWidget::propertyValue(id);
    }
}

void WButton::setPropertyValue(WidgetPropertyId::Type id, const QVariant &value)
{
    switch (id) {
    case WidgetPropertyId::TextOn:
        setWidgetProperty("onText", value.toString());
        break;
    case WidgetPropertyId::TextOff:
        setWidgetProperty("offText", value.toString());
        break;
    case WidgetPropertyId::TextPartial:
        setWidgetProperty("partialText", value.toString());
        break;
    case WidgetPropertyId::ButtonMode:
        setContentMode(value.toString());
        break;
    case WidgetPropertyId::ImageOn:
        setWidgetProperty("onImage", localFileUrl(value.toString()));
        break;
    case WidgetPropertyId::ImageOff:
        setWidgetProperty("offImage", localFileUrl(value.toString()));
        break;
    case WidgetPropertyId::ImagePartial:
        if (!value.toString().isEmpty())
            setWidgetProperty("partialImage", localFileUrl(value.toString()));
        break;
    case WidgetPropertyId::Channel:
        changeChannel(value.toString());
        break;
    case WidgetPropertyId::ButtonAction:
        m_nAction = value.toInt();
        updateActionProperties();
        break;
    case WidgetPropertyId::CurrentTab:
        m_nCurrentTab = value.toInt();
        break;
    case WidgetPropertyId::ImageSet:
        m_sImageSet = value.toString();
        applyImageSet();
        break;
    case WidgetPropertyId::HasChannels:
    case WidgetPropertyId::ButtonChoiceFlag:
    case WidgetPropertyId::ShowPulse:
    case WidgetPropertyId::ChannelCount:
    case WidgetPropertyId::ShowTurnOnOrOff:
    case WidgetPropertyId::ImageSetCategory:
        break;
    default:
        WWidget::setPropertyValue(id, value);
        break;
    }
    if (m_nButtonType == ConnectionIndicator)
        onChangedStatusIndicator();
}
