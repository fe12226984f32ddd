#pragma once

#include "widgets/WWidget.h"

// Widget of "label": text on a panel, free or the label of the bound node,
// with optional bold, italic and underline faces, alignment, colour,
// rotation, scale and three switches the panel application reads. The text
// element's "*LABEL*" becomes the node's label, and a node renamed by a new
// import renames the text. Optional settings are written back only when they
// were given (read or edited), which the markers record.
class WLabel : public WWidget
{
    Q_OBJECT

public:
    // Markers of the optional settings given explicitly.
    static constexpr quint32 MarkBold = 0x01;
    static constexpr quint32 MarkItalic = 0x02;
    static constexpr quint32 MarkUnderline = 0x04;
    static constexpr quint32 MarkRotation = 0x08;
    static constexpr quint32 MarkScale = 0x10;
    static constexpr quint32 MarkEdit = 0x20;
    static constexpr quint32 MarkAutosize = 0x40;
    static constexpr quint32 MarkSelect = 0x80;

    // QML "horizontalAlignment" values.
    static constexpr int AlignLeft = 1;
    static constexpr int AlignRight = 2;
    static constexpr int AlignCenter = 4;

    explicit WLabel(QQuickItem *pParent = nullptr);
    ~WLabel() override;

    void initWidget(QObject *pItem) override;
    void destroy() override;
    void setCanvasItem(QQuickItem *pItem) override;
    bool save(XmlWriter *pWriter) override;
    bool processElement(const QString &name, const QString &text) override;
    // Shows the text as rich text.
    void setLabelText(const QString &text) override;
    void setNode(HNode *pNode) override;
    DPropDialog *createPropertiesDialog(QWidget *pParent) override;
    QVariant propertyValue(WidgetPropertyId::Type id) const override;
    void setPropertyValue(WidgetPropertyId::Type id, const QVariant &value) override;
    void unbindNode() override;

    // The shown text without the face wrappers the markers record.
    QString plainText() const;
    quint32 markers() const { return m_nMarkers; }
    bool isMarked(quint32 marker) const { return (m_nMarkers & marker) != 0; }

public slots:
    void properties();
    // Has the parent item repaint.
    void redraw(QQuickItem *pParent);
    void onLabelChangedByReload(const QString &oldLabel, const QString &newLabel);

protected:
    // The common reading of a label and a panel link.
    bool processLabelElement(const QString &name, const QString &text);
    void applyFace(const QString &face);
    void applyAlignment(const QString &text);
    void applyScale(const QString &text);
    // "face" elements: bold or else italic, then underline.
    void writeFaces(XmlWriter *pWriter) const;
    void writeScale(XmlWriter *pWriter) const;
    QString alignmentName() const;
    QString scaleText() const;

    quint32 m_nMarkers;

private:
    QString replaceLabelMark(const QString &text) const;
    void applySwitch(const QString &name, const QString &text);
};
