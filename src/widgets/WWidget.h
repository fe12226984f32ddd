#pragma once

#include "widgets/WidgetPropertyId.h"

#include <QPointer>
#include <QQuickItem>
#include <QRectF>
#include <QString>
#include <QVariant>

class BCommand;
class CAttributes;
class CControl;
class DPropDialog;
class HNode;
class MModel;
class PProtocol;
class QWidget;
class TTransform;
class XmlWriter;

// Native half of a control shown on a panel. It lives inside its kind's QML
// file (object name "widget") and drives that file's root item only through
// named QML properties; QML reports user actions through the output slots.
// The root item owns the widget; the widget owns only its selection overlay.
class WWidget : public QQuickItem
{
    Q_OBJECT

public:
    explicit WWidget(QQuickItem *pParent = nullptr);
    ~WWidget() override;

public slots:
    virtual void outputValue(int value);
    virtual void outputChecked(bool state);
    virtual void outputCurrentIndex(int index);
    virtual void outputCurrentText(const QString &text);
    virtual void onTextChanged();
    QString getToolTip(bool hover);
    virtual void onOnlineStateChanged(bool online);
    // The selection overlay was clicked with these keyboard modifiers.
    void select(int keys);

public:
    virtual void initWidget(QObject *pItem);
    virtual void destroy();
    virtual void setupFromParameter(CAttributes *pAttributes);
    virtual void refresh();
    virtual void setCanvasItem(QQuickItem *pItem);
    virtual bool save(XmlWriter *pWriter);
    virtual bool processElement(const QString &name, const QString &text);
    virtual void scaleGeometry(qreal factor, bool both);
    virtual void moveBy(const QPointF &offset);
    virtual void fitToRect(const QRectF &rect);
    virtual void refitToRect(const QRectF &oldRect, const QRectF &newRect);
    virtual void reshape(const QPointF &point, int index, int state);
    virtual void updateFromTransform();
    // Whether the node's parameter of that name may be dropped on the widget.
    virtual bool canAcceptDrop(HNode *pNode, const QString &parameterName);
    virtual void setLabelText(const QString &text);
    virtual void setChildControl(CControl *pControl);
    virtual CControl *childControl() const;
    virtual void setControl(CControl *pControl);
    virtual void setNode(HNode *pNode);
    virtual void setTransform(TTransform *pTransform);
    virtual void setWidgetVisible(bool visible);
    virtual void setLinkTarget(CControl *pTarget);
    virtual QRectF geometry() const;
    virtual bool isType(const QString &type) const;
    // A command text handed over by a command button; no kind acts on one.
    virtual void executeCommand(const QString &command);
    virtual bool hasAttributes() const;
    virtual void storeAttributes(CAttributes *pAttributes);
    virtual bool hasTitle() const;
    virtual DPropDialog *createPropertiesDialog(QWidget *pParent);
    virtual QVariant propertyValue(WidgetPropertyId::Type id) const;
    virtual void setPropertyValue(WidgetPropertyId::Type id, const QVariant &value);
    virtual void setVis(bool vis);
    virtual void replaceLinkPrefix(const QString &oldPrefix, const QString &newPrefix);
    virtual void reloadImages();
    virtual void dump() const;
    virtual void attachModel(MModel *pModel);
    virtual void unbindNode();
    // Resize the whole control (these hide QQuickItem's setters on purpose:
    // the widget's own item is placed by its control, not directly).
    virtual void setWidth(qreal width);
    virtual void setHeight(qreal height);
    virtual void linkValue(WWidget *pSource);

    // ---- bindings
    void setWidget(QObject *pItem);
    QObject *widget() const { return m_pWidget; }
    const QString &typeName() const { return m_sType; }
    void setTypeName(const QString &type) { m_sType = type; }
    quint32 widgetId() const { return m_nId; }
    void setId(quint32 id) { m_nId = id; }
    quint32 link() const { return m_nLink; }
    void setLinkedWidget(WWidget *pWidget);
    WWidget *linkedWidget() const { return m_pLinkedWidget; }
    void setProtocol(PProtocol *pProtocol);
    PProtocol *protocol() const;
    TTransform *transform() const;
    HNode *node() const;
    CControl *control() const;
    MModel *model() const;

    // ---- fractional geometry inside the control's rectangle
    double xFract() const { return m_dXFract; }
    double yFract() const { return m_dYFract; }
    double widthFract() const { return m_dWidthFract; }
    double heightFract() const { return m_dHeightFract; }
    // Places the widget inside its control's rectangle (a fader laying out its companions).
    void setFractions(double x, double y, double width, double height);

    // ---- output guard
    bool isUpdating() const { return m_bUpdating; }
    void setUpdating(bool updating) { m_bUpdating = updating; }
    bool isOutputEnabled() const { return m_bOutputEnabled; }
    void setOutputEnabled(bool enabled) { m_bOutputEnabled = enabled; }
    // Whether an output slot may send now: not while a device value is being
    // written into QML, only with a transform and a protocol, only while enabled.
    bool isOutputAllowed() const;

    // ---- QML item access
    void setWidgetParentItem(QQuickItem *pItem);
    void setSelected(bool selected);
    void clearSelection();
    QObject *selection() const { return m_pSelection; }
    void setText(const QString &text);
    QString text() const;
    QVariant widgetProperty(const char *name) const;
    void setWidgetProperty(const char *name, const QVariant &value);
    void setColorProperty(const char *name, const QString &text);
    QString colorPropertyName(const char *name) const;
    static QString localFileUrl(const QString &text);
    void setWidgetRect(const QRectF &rect);
    QRectF widgetRect() const;

    // ---- geometry through the control
    qreal controlX() const;
    qreal controlY() const;
    qreal controlWidth() const;
    qreal controlHeight() const;
    void setX(qreal x);
    void setY(qreal y);

    // ---- common readers (each true when it handled the element)
    bool processRect(const QString &name, const QString &text);
    bool processIdLink(const QString &name, const QString &text);
    bool processFract(const QString &name, const QString &text);

    QString title() const;
    void dumpInfo() const;

protected:
    // A link path that leads into the renamed item follows its new name:
    // equal to the old path, or continuing it with the path separator, so
    // renaming "Panel" leaves a link to "Panel 2". Nothing for an empty old
    // path. True when the path changed.
    static bool followRenamedPath(QString &path, const QString &oldPrefix, const QString &newPrefix);
    // The file an image path names on this machine, as the archive must
    // store it; empty for built-in images (resources, paths relative to the
    // QML files) and remote addresses.
    static QString localImageFile(const QString &path);

    // Writes the start element named by the type, the common settings, and
    // returns whether a writer was given; kinds add theirs and close it.
    bool saveStart(XmlWriter *pWriter);
    // The rectangle the common settings write; the shown one unless a kind keeps another.
    virtual QRectF savedGeometry() const;
    void resizeControl(const QRectF &rect);
    void markSliderLabel();
    void runSelectTool(int keys);

    QPointer<QObject> m_pWidget;
    QString m_sType;
    double m_dXFract;
    double m_dYFract;
    double m_dWidthFract;
    double m_dHeightFract;
    quint32 m_nId;
    quint32 m_nLink;
    bool m_bUpdating;
    bool m_bOutputEnabled;
    QPointer<WWidget> m_pLinkedWidget;
    QPointer<TTransform> m_pTransform;
    QPointer<PProtocol> m_pProtocol;
    QPointer<HNode> m_pNode;
    QPointer<CControl> m_pControl;
    QPointer<QObject> m_pSelection;
    // On a widget that cannot be selected itself and whose QML takes no
    // edit-mode presses of its own ("takesEditPresses"): an undecorated
    // overlay that takes presses for its control in edit mode, so that what
    // is drawn on top is what a click selects.
    QPointer<QObject> m_pPressCatcher;
};
