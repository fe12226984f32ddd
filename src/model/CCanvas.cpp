#include "model/CCanvas.h"

#include "dialogs/DCanvasDialog.h"
#include "model/MModel.h"
#include "utility/LogCategories.h"
#include "utility/SkinFiles.h"
#include "utility/UNumbers.h"
#include "views/VModeManager.h"
#include "xml/XmlWriter.h"

#include <QDebug>
#include <QFile>
#include <QQuickView>
#include <QScreen>
#include <QSettings>
#include <QStringList>
#include <QUrl>

#include <cmath>

namespace {

const char *const DesktopFile = ":/qml/QmlDesktop.qml";
const char *const SkinListFile = ":/skins/SkinList.txt";


// Truncates towards zero; anything that is not a usable pixel count gives 0.
int toPixels(float value)
{
    if (!qIsFinite(value) || value < 0.0f || double(value) >= 2147483647.0)
        return 0;
    return int(value);
}

float settingFloat(const QSettings &settings, const QString &key, float fallback)
{
    const QVariant value = settings.value(key);
    return value.isValid() ? UNumbers::finiteFloat(value.toString()) : fallback;
}

} // namespace

CCanvas::CCanvas()
    : m_fSize(DefaultSize)
    , m_fAspect(DefaultAspect)
    , m_uOrientation(Portrait)
    , m_nWidth(200)
    , m_nHeight(300)
    , m_bHorizCenter(true)
    , m_sSkin(QStringLiteral("Light"))
    , m_sAccent(QStringLiteral("Blue"))
    , m_pModel(nullptr)
    , m_fSavedSize(DefaultSize)
    , m_fSavedAspect(DefaultAspect)
    , m_bMultiplyScaleFactor(true)
    , m_bListedDevice(false)
{
}

CCanvas::~CCanvas() = default;

void CCanvas::reset()
{
    resetDevice();
    loadSettings();
    modelResetCanvas();
    modelReloadCanvas();
    computePixelSize();
}

void CCanvas::resetDevice()
{
    m_fSize = DefaultSize;
    m_fAspect = DefaultAspect;
    m_uOrientation = Portrait;
    m_bHorizCenter = true;
    m_sDeviceName.clear();
    m_bMultiplyScaleFactor = true;
    m_sSavedDeviceName.clear();
    m_bListedDevice = false;
}

void CCanvas::setSize(float inches)
{
    m_fSavedSize = m_fSize;
    m_fSize = inches;
}

float CCanvas::setAspect(float aspect)
{
    const float previous = m_fAspect;
    m_fSavedAspect = m_fAspect;
    m_fAspect = aspect;
    return previous;
}

void CCanvas::setDeviceName(const QString &name)
{
    m_sSavedDeviceName = m_sDeviceName;
    m_sDeviceName = name;
}

void CCanvas::loadSkinList(const QString &skinName)
{
    QStringList skins;
    if (!SkinFiles::readLines(QString::fromLatin1(SkinListFile), &skins) || skins.isEmpty())
        return;
    m_sSkin = skins.contains(skinName) ? skinName : skins.first();
}

QString CCanvas::qmlProperty(const QString &name) const
{
    QObject *root = qmlRoot();
    return root ? root->property(name.toLatin1().constData()).toString() : QString();
}

void CCanvas::setQmlProperty(const QString &name, const QVariant &value)
{
    if (QObject *root = qmlRoot())
        root->setProperty(name.toLatin1().constData(), value);
}

bool CCanvas::writeXml(XmlWriter *writer) const
{
    if (!writer)
        return false;
    writer->writeStartElement(QStringLiteral("Canvas"));
    writer->writeStartElementNamed(QStringLiteral("Property"), QStringLiteral("attributes"));
    writer->writeTextElement(QStringLiteral("device"), m_sDeviceName);
    writer->writeTextElement(QStringLiteral("skin"), m_sSkin);
    writer->writeTextElement(QStringLiteral("accent"), m_sAccent);
    writer->writeFloatElement(QStringLiteral("size"), m_fSize);
    writer->writeFloatElement(QStringLiteral("aspect"), m_fAspect);
    writer->writeTextElement(QStringLiteral("topRow"), qmlProperty(QStringLiteral("topRow")));
    writer->writeTextElement(QStringLiteral("bottomRow"), qmlProperty(QStringLiteral("bottomRow")));
    writer->writeIntElement(QStringLiteral("orientation"), qint32(m_uOrientation));
    writer->writeTextElement(QStringLiteral("text"), m_sText);
    writer->writeIntElement(QStringLiteral("horizcenter"), m_bHorizCenter ? 1 : 0);
    writer->writeIntElement(QStringLiteral("multiplyScaleFactor"), m_bMultiplyScaleFactor ? 1 : 0);
    writer->writeEndElement(QStringLiteral("Property"));
    writer->writeEndElement(QStringLiteral("Canvas"));
    return true;
}

void CCanvas::setProperty(const QString &name, const QString &text)
{
    if (name == QLatin1String("size")) {
        m_fSize = UNumbers::finiteFloat(text);
    } else if (name == QLatin1String("device")) {
        // A skin and accent later in the file override these.
        m_sDeviceName = text;
        loadSkinList(QStringLiteral("Light"));
        m_sAccent = QStringLiteral("Blue");
    } else if (name == QLatin1String("skin")) {
        loadSkinList(text);
    } else if (name == QLatin1String("accent")) {
        m_sAccent = text;
    } else if (name == QLatin1String("aspect")) {
        m_fAspect = UNumbers::finiteFloat(text);
    } else if (name == QLatin1String("orientation")) {
        bool ok = false;
        const int orientation = text.toInt(&ok, 10);
        m_uOrientation = ok ? quint32(orientation) : 0;
    } else if (name == QLatin1String("text")) {
        m_sText = text;
    } else if (name == QLatin1String("horizcenter")) {
        bool ok = false;
        m_bHorizCenter = text.toInt(&ok, 10) != 0 && ok;
    } else if (name == QLatin1String("topRow") || name == QLatin1String("bottomRow")) {
        setQmlProperty(name, text);
    } else if (name == QLatin1String("multiplyScaleFactor")) {
        // Its presence alone sets the flag.
        m_bMultiplyScaleFactor = true;
    }
}

void CCanvas::onPropertyChanged(const QString &name)
{
    if (name != QLatin1String("orientation"))
        return;
    applySkin();
    modelReloadCanvas();
    computePixelSize();
}

void CCanvas::applySkin()
{
    modelApplySkin();
}

void CCanvas::notifyChanged()
{
}

bool CCanvas::loadDesktop(QQuickView *view)
{
    if (!view)
        return false;
    setView(view);
    const QString path = QString::fromLatin1(DesktopFile);
    if (!QFile::exists(path)) {
        qCDebug(lcModel) << QStringLiteral("File at ") + path + QStringLiteral(" does not exist.");
        return false;
    }
    view->setSource(QUrl(QStringLiteral("qrc") + path));
    return true;
}

void CCanvas::setView(QQuickView *view)
{
    m_pView = view;
    computePixelSize();
}

float CCanvas::logicalDpi() const
{
    if (!m_pView)
        return 0.0f;
    const QScreen *screen = m_pView->screen();
    return screen ? float(screen->logicalDotsPerInch()) : 72.0f;
}

void CCanvas::emitReloadCanvas()
{
    modelReloadCanvas();
}

bool CCanvas::runSetupDialog()
{
    DCanvasDialog dialog;
    dialog.setCanvas(this);
    dialog.initialize();
    if (!dialog.runModal())
        return false;
    updateScaleFlag();
    modelReloadCanvas();
    computePixelSize();
    applySkin();
    saveSettings();
    return true;
}

void CCanvas::saveSettings() const
{
    saveSetting(QStringLiteral("Canvas/size"), m_fSize);
    saveSetting(QStringLiteral("Canvas/aspect"), m_fAspect);
    saveSetting(QStringLiteral("Canvas/orientation"), m_uOrientation);
    saveSetting(QStringLiteral("Canvas/device"), m_sDeviceName);
}

void CCanvas::saveSetting(const QString &key, const QVariant &value) const
{
    QSettings settings;
    settings.setValue(key, value.toString());
}

void CCanvas::loadSettings()
{
    QSettings settings;
    m_fSize = settingFloat(settings, QStringLiteral("Canvas/size"), DefaultSize);
    m_fAspect = settingFloat(settings, QStringLiteral("Canvas/aspect"), DefaultAspect);
    m_uOrientation = settings.value(QStringLiteral("Canvas/orientation"), Portrait).toUInt();
    m_sDeviceName = settings.value(QStringLiteral("Canvas/device"), QStringLiteral("User Defined")).toString();
}

int CCanvas::computePixelSize()
{
    int shortPixels = 0;
    int longPixels = 0;
    // A zero, negative or non-finite size or aspect gives an empty canvas.
    if (UNumbers::isPositive(m_fSize) && UNumbers::isPositive(m_fAspect)) {
        const double dpi = logicalDpi();
        const float sizeSquared = m_fSize * m_fSize;
        const float aspectSquared = m_fAspect * m_fAspect;
        const float shortSide = float(std::sqrt(sizeSquared / (aspectSquared + 1.0)) * dpi);
        const float longSide = m_fAspect * shortSide;
        shortPixels = toPixels(shortSide);
        longPixels = toPixels(longSide);
    }
    if (isPortrait()) {
        m_nWidth = shortPixels;
        m_nHeight = longPixels;
    } else {
        m_nWidth = longPixels;
        m_nHeight = shortPixels;
    }
    return m_nHeight;
}

void CCanvas::updateScaleFlag()
{
    if (m_sSavedDeviceName == m_sDeviceName)
        m_bMultiplyScaleFactor = m_fSavedSize != m_fSize || m_fSavedAspect != m_fAspect;
    else
        m_bMultiplyScaleFactor = m_bListedDevice;
}

// ---- Links to the application model and the QML canvas root.
// The root is the object the desktop QML registered as "QmlCanvas".

QObject *CCanvas::qmlRoot() const
{
    return VModeManager::instance()->canvasRoot();
}

void CCanvas::modelResetCanvas()
{
    if (m_pModel)
        emit m_pModel->resetCanvas();
}

void CCanvas::modelReloadCanvas()
{
    if (m_pModel)
        emit m_pModel->reloadCanvas();
}

void CCanvas::modelApplySkin()
{
    if (!m_pModel)
        return;
    m_pModel->applySkin(m_sSkin);
    m_pModel->applySkin(m_sAccent);
    m_pModel->reloadImages();
}
