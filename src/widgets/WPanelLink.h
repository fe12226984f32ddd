#pragma once

#include "widgets/WLabel.h"

#include <QTimer>

// Widget of "panellink": a text or an image that, when tapped, shows another
// panel of the project. It keeps the target's path from the document root
// ("..\Scene\Panel") and follows it a moment after the click, so a double
// tap jumps once. A renamed panel rewrites the paths that lead to it.
class WPanelLink : public WLabel
{
    Q_OBJECT

public:
    // Milliseconds between the click and the jump.
    static constexpr int JumpDelay = 5;

    explicit WPanelLink(QQuickItem *pParent = nullptr);
    ~WPanelLink() override;

    void initWidget(QObject *pItem) override;
    void destroy() override;
    void setCanvasItem(QQuickItem *pItem) override;
    bool save(XmlWriter *pWriter) override;
    bool processElement(const QString &name, const QString &text) override;
    void updateFromTransform() override;
    void setTransform(TTransform *pTransform) override;
    void setLinkTarget(CControl *pTarget) override;
    bool hasTitle() const override;
    DPropDialog *createPropertiesDialog(QWidget *pParent) override;
    QVariant propertyValue(WidgetPropertyId::Type id) const override;
    void setPropertyValue(WidgetPropertyId::Type id, const QVariant &value) override;
    // Rewrites a path that leads to the renamed panel or below it.
    void replaceLinkPrefix(const QString &oldPrefix, const QString &newPrefix) override;

    const QString &linkPath() const { return m_sLinkPath; }
    int keepImageInBounds() const { return m_nKeepImageInBounds; }
    // The single-shot timer between a click and the jump.
    const QTimer &jumpTimer() const { return m_jumpTimer; }

public slots:
    // A click on the link: the jump follows after the delay.
    void selectPanel();
    void onJumpTimerTimeout();

private:
    void applyImage(const QString &path);
    QString imageModeName() const;
    QString buttonModeName() const;

    QString m_sLinkPath;
    qint32 m_nKeepImageInBounds;
    QTimer m_jumpTimer;
};
