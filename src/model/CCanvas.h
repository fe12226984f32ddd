#pragma once

#include <QPointer>
#include <QQuickView>
#include <QString>
#include <QVariant>

class MModel;
class QObject;
class XmlWriter;

// The target device of the project (name, diagonal, aspect, orientation),
// the skin and accent of the panel frame, the canvas text, and the canvas
// size in pixels derived from the device and the screen showing the editor.
class CCanvas
{
public:
    static constexpr float DefaultSize = 6.0f;
    static constexpr float DefaultAspect = 16.0f / 9.0f;
    static constexpr quint32 Portrait = 1;

    CCanvas();
    virtual ~CCanvas();

    // Default device, then the remembered one, then the canvas signals and
    // the pixel size.
    void reset();
    void resetDevice();

    // Setters of the setup dialog; each keeps the previous value as saved.
    void setSize(float inches);
    float setAspect(float aspect);
    void setDeviceName(const QString &name);
    // The named skin when the skin list holds it, else the first listed one;
    // unchanged when the list cannot be read.
    void loadSkinList(const QString &skinName);

    // Properties of the QML canvas root ("topRow", "bottomRow").
    QString qmlProperty(const QString &name) const;
    void setQmlProperty(const QString &name, const QVariant &value);

    // The "Canvas" element of the project file; false only without a writer.
    bool writeXml(XmlWriter *writer) const;
    // One setting of the "Canvas" element read back.
    void setProperty(const QString &name, const QString &text);
    // A setting element of the "Canvas" section has ended.
    void onPropertyChanged(const QString &name);

    void applySkin();
    void notifyChanged();
    // Keeps the view and loads the canvas frame into it; false for a null
    // view or a missing frame file.
    bool loadDesktop(QQuickView *view);
    // The view whose screen gives the pixel density, without loading anything.
    void setView(QQuickView *view);
    QQuickView *view() const { return m_pView; }
    // Logical DPI of the view's screen; 0 without a view, 72 without a screen.
    float logicalDpi() const;
    void emitReloadCanvas();

    // Runs the setup dialog; when accepted, applies and remembers the device.
    bool runSetupDialog();

    void saveSettings() const;
    void saveSetting(const QString &key, const QVariant &value) const;
    void loadSettings();

    // Recomputes width and height from the device and the DPI; returns the height.
    int computePixelSize();
    void updateScaleFlag();

    const QString &deviceName() const { return m_sDeviceName; }
    float size() const { return m_fSize; }
    float aspect() const { return m_fAspect; }
    quint32 orientation() const { return m_uOrientation; }
    void setOrientation(quint32 orientation) { m_uOrientation = orientation; }
    bool isPortrait() const { return m_uOrientation == Portrait; }
    int width() const { return m_nWidth; }
    int height() const { return m_nHeight; }
    bool isHorizCenter() const { return m_bHorizCenter; }
    void setHorizCenter(bool center) { m_bHorizCenter = center; }
    const QString &skin() const { return m_sSkin; }
    const QString &accent() const { return m_sAccent; }
    void setAccent(const QString &accent) { m_sAccent = accent; }
    const QString &text() const { return m_sText; }
    void setText(const QString &text) { m_sText = text; }
    MModel *model() const { return m_pModel; }
    void setModel(MModel *model) { m_pModel = model; }
    const QString &savedDeviceName() const { return m_sSavedDeviceName; }
    float savedSize() const { return m_fSavedSize; }
    float savedAspect() const { return m_fSavedAspect; }
    bool isMultiplyScaleFactor() const { return m_bMultiplyScaleFactor; }
    bool isListedDevice() const { return m_bListedDevice; }
    void setListedDevice(bool listed) { m_bListedDevice = listed; }

private:
    QObject *qmlRoot() const;
    void modelResetCanvas();
    void modelReloadCanvas();
    void modelApplySkin();

    QString m_sDeviceName;
    float m_fSize;
    float m_fAspect;
    quint32 m_uOrientation;
    int m_nWidth;
    int m_nHeight;
    bool m_bHorizCenter;
    QString m_sSkin;
    QString m_sAccent;
    QString m_sText;
    MModel *m_pModel;
    QString m_sSavedDeviceName;
    float m_fSavedSize;
    float m_fSavedAspect;
    bool m_bMultiplyScaleFactor;
    bool m_bListedDevice;
    // Guarded: the canvas controller re-creates its view.
    QPointer<QQuickView> m_pView;
};
