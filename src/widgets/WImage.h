#pragma once

#include "widgets/WWidget.h"

// Widget of "image": a picture placed on a panel with its own rectangle
// (background mode negative) or filling the panel as its background in one of
// the fill modes of a Qt Quick image. Leaving placed mode records the placed
// rectangle, which a background saves as its own and which comes back when the
// image is placed again. The picture travels in the project archive.
class WImage : public WWidget
{
    Q_OBJECT

public:
    // Nothing recorded.
    static constexpr int NoRecord = -999;
    static constexpr int PlacedMode = -1;
    // The decoded width the property page offers, and the one a new image uses.
    static constexpr int MinCachedWidth = 64;
    static constexpr int MaxCachedWidth = 4096;
    static constexpr int DefaultCachedWidth = 2048;
    static constexpr double MinOpacity = 0.01;
    static constexpr QLatin1String DefaultImage{"../images/default.png"};

    explicit WImage(QQuickItem *pParent = nullptr);
    ~WImage() override;

    void initWidget(QObject *pItem) override;
    void destroy() override;
    void setupFromParameter(CAttributes *pAttributes) override;
    void setCanvasItem(QQuickItem *pItem) override;
    bool save(XmlWriter *pWriter) override;
    bool processElement(const QString &name, const QString &text) override;
    QRectF geometry() const override;
    bool hasTitle() const override;
    DPropDialog *createPropertiesDialog(QWidget *pParent) override;
    QVariant propertyValue(WidgetPropertyId::Type id) const override;
    void setPropertyValue(WidgetPropertyId::Type id, const QVariant &value) override;

    // Sets the QML property to the path, or to the archived copy of its file.
    void setImagePath(const char *name, const QString &path);
    void setBackgroundMode(int mode);
    void setOpacity(double value);
    void setMaxCachedWidth(int width);
    int backgroundMode() const;
    bool isBackground() const { return backgroundMode() >= 0; }
    // The placed rectangle kept while the image is a background; empty when none.
    QRect recordedRect() const;

    // Picture rules shared with the image meter.
    // The URL of the archived copy of a file the open archive holds; built-in
    // images ("../images/...") and other texts come back unchanged.
    static QString archivedUrl(const QString &path);
    // Registers the local file behind an image URL with the archive being written.
    static void archiveImage(XmlWriter *pWriter, const QString &path);
    // An opacity within MinOpacity and 1; a value that is no number gives MinOpacity.
    static double boundedOpacity(double value);

protected:
    QRectF savedGeometry() const override;

private:
    void clearRecord();

    int m_nSavedX;
    int m_nSavedY;
    int m_nSavedWidth;
    int m_nSavedHeight;
};
