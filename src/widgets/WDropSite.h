#pragma once

#include "widgets/WWidget.h"

#include <QPointer>

// Widget of "dropsite": a place on a panel that holds at most one control of
// a fixed control type (a fader place in a panel template). It checks a
// dropped parameter's type, asks before replacing what it holds, and moves
// its control along with itself. The held control belongs to the panel; the
// site only points at it and forgets it when it goes. While it holds a
// control, the site's id is that control's id.
class WDropSite : public WWidget
{
    Q_OBJECT

public:
    explicit WDropSite(QQuickItem *pParent = nullptr);
    ~WDropSite() override;

    void initWidget(QObject *pItem) override;
    void destroy() override;
    void setupFromParameter(CAttributes *pAttributes) override;
    void setCanvasItem(QQuickItem *pItem) override;
    bool save(XmlWriter *pWriter) override;
    bool processElement(const QString &name, const QString &text) override;
    // Moves the held control too.
    void moveBy(const QPointF &offset) override;
    // Refuses a parameter of another type with a message; an occupied site
    // asks whether to overwrite.
    bool canAcceptDrop(HNode *pNode, const QString &parameterName) override;
    // Holds the control; null releases the one held.
    void setChildControl(CControl *pControl) override;
    CControl *childControl() const override;
    void dump() const override;
    virtual bool hasChildControl() const;

    const QString &siteTitle() const { return m_sTitle; }
    const QString &controlType() const { return m_sControlType; }
    Q_INVOKABLE QString getControlType() const;

public slots:
    // Releases the held control: it leaves its panel without being
    // destroyed, for whoever released it to keep, and the site is empty again.
    void deleteChild();
    void properties();
    // The held control's title while the pointer is over the site.
    QString getToolTip(bool clear);

private:
    void showLabel(const QString &text);

    QString m_sTitle;
    QString m_sControlType;
    QPointer<CControl> m_pChildControl;
};
