#pragma once

#include "widgets/WWidget.h"

// Widget of "frame" (a filled, optionally bordered rectangle behind a
// control's other widgets) and "bounds" (an invisible rectangle that marks a
// control's extent and cannot be selected). It only maps its colour and
// border settings between the project file, the property page and QML.
class WFrame : public WWidget
{
    Q_OBJECT

public:
    explicit WFrame(QQuickItem *pParent = nullptr);
    ~WFrame() override;

    void initWidget(QObject *pItem) override;
    void destroy() override;
    void setCanvasItem(QQuickItem *pItem) override;
    bool save(XmlWriter *pWriter) override;
    bool processElement(const QString &name, const QString &text) override;
    DPropDialog *createPropertiesDialog(QWidget *pParent) override;
};
