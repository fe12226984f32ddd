#pragma once

#include "model/CAttributes.h"

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QObject>
#include <QPointF>
#include <QPointer>
#include <QRectF>
#include <QString>

class CComposite;
class DPropDialog;
class HNode;
class MModel;
class QQuickItem;
class QStandardItem;
class QTreeView;
class QWidget;
class TTransform;
class WWidget;
class XmlWriter;

// 0 normal, 1 selected.
using ControlMode = quint32;

// An element of the panel document: a control placed on a panel, or (through
// CComposite) a panel, a scene or the document root. It ties the widgets that
// draw it to the hardware node it operates, its binding attributes and the
// value transform it shares with the controls bound to the same value.
class CControl : public QObject
{
    Q_OBJECT

public:
    static constexpr ControlMode ModeNormal = 0;
    static constexpr ControlMode ModeSelected = 1;
    static constexpr int DefaultMinimumSize = 15;

    CControl();
    ~CControl() override;

    // ---- operations a composite forwards to its children
    virtual void initialize();
    virtual void clearWidgets();
    virtual bool writeXml(XmlWriter *pWriter);
    virtual bool requestState();
    virtual QRectF bounds() const;
    virtual void setVisible(bool visible);
    virtual void setScale(float factor, float size, bool flag);
    virtual void moveBy(const QPointF &offset);
    virtual bool centerHorizontally(const QString &type, float canvasWidth);
    virtual void linkTransform(int phase);
    virtual WWidget *widgetById(quint32 id) const;
    virtual WWidget *findWidget(const QString &type) const;
    virtual CControl *findByName(const QString &name);
    virtual CControl *findById(qint32 id);
    virtual bool contains(const CControl *pElement) const;
    virtual void addChild(CControl *pElement);
    virtual void removeChild(CControl *pElement, bool destroy);
    virtual void clear();
    virtual bool isNameUnique(const QString &name, const CControl *pExcept) const;
    virtual CControl *currentChildIn(const QString &collection) const;
    virtual bool selectChild(const QString &collection, const QString &name);
    virtual bool findByPath(QString &path);
    virtual int boundCount() const;
    virtual CControl *createControlForNode(HNode *pHardwareRoot, HNode *pNode, const QString &name,
                                           const QPointF &position);
    virtual CControl *addFromXml(HNode *pHardwareRoot, const QByteArray &xml);
    virtual CControl *createFromGraphics(const QString &name, const QPointF &position);
    virtual CControl *createPanelLink(CControl *pTarget, const QPointF &position);
    virtual void buildTree(QStandardItem *pItem, QTreeView *pView);
    virtual QString title() const;
    virtual void setMode(ControlMode mode);
    virtual bool collectSelected(CComposite *pTarget);
    virtual DPropDialog *createPropertiesDialog(QWidget *pParent);
    virtual void replaceLinkPrefix(const QString &oldPrefix, const QString &newPrefix);
    virtual void setParentItem(QQuickItem *pItem);
    virtual void setSelected(bool selected);
    virtual void reloadImages();
    virtual void markProcessorInUse();
    virtual QString path(const CControl *pTarget) const;
    virtual void dump() const;
    virtual void setNode(HNode *pNode);
    virtual void setContextObject(MModel *pModel);

    // ---- fields
    HNode *node() const;
    CComposite *parentComposite() const;
    void setParentComposite(CComposite *pParent);
    MModel *model() const { return m_pModel; }
    const QString &name() const { return m_name; }
    void setName(const QString &name) { m_name = name; }
    const QString &type() const { return m_type; }
    void setType(const QString &type) { m_type = type; }
    const QString &kind() const { return m_kind; }
    qint32 id() const { return m_id; }
    void setId(qint32 id) { m_id = id; }
    CControl *dropSite() const { return m_pDropSite; }
    void setDropSite(CControl *pDropSite) { m_pDropSite = pDropSite; }
    CAttributes &attributes() { return m_attributes; }
    const CAttributes &attributes() const { return m_attributes; }
    TTransform *transform() const;
    // Entries of widgets whose QML item is gone read as null.
    const QList<QPointer<WWidget>> &widgets() const { return m_widgets; }
    ControlMode mode() const { return m_mode; }
    bool isPollActive() const { return m_bPollActive; }
    void setPollActive(bool active) { m_bPollActive = active; }
    int minWidth() const { return m_minWidth; }
    int minHeight() const { return m_minHeight; }
    // While set, saveLayout stores nothing (a widget reading its own geometry).
    bool isLayoutLocked() const { return m_bLayoutLocked; }
    void setLayoutLocked(bool locked) { m_bLayoutLocked = locked; }
    // Set by a fader turned to 90 degrees.
    bool isHorizontal() const { return m_bHorizontal; }
    void setHorizontal(bool horizontal) { m_bHorizontal = horizontal; }
    // Whether this control currently counts in its transform's use count.
    bool holdsTransformUse() const { return m_bHoldsTransformUse; }

    // ---- element operations
    CControl *root();
    QString nodeName() const;
    void setKind(const QString &kind);
    bool setAttribute(const QString &element, const QString &name, const QString &value);
    void updateFractionDigits();
    bool createPrototype(const QString &type, const QString &elementName, const QString &elementText);
    void finishWidget(const QString &type);
    void discardPrototype();
    void attachTransform();
    void detachTransform();
    void addTransformUse();
    void bindWidgets();
    void growMinimumSize(int width, int height);
    void fitToRect(QRectF &rect);
    void setWidgetsGeometry(const QRectF &rect);
    void resizeWidgets(const QPointF &point, int index, int state);
    void moveWidgetsBy(const QPointF &offset);
    void attachModel(MModel *pModel);
    void storeSelectedAttributes();
    bool hasSelectedWidget() const;
    void enableDrop(bool enable);
    void saveLayout();
    void loadLayout(QRectF &rect);

public slots:
    virtual void onRemovingNode(HNode *pNode);

protected:
    // Consumes this element's own step of a path; see findByPath.
    bool consumePathStep(QString &path);
    void dumpOwn() const;
    // Lets go of the transform for good: the use, the registry entry and,
    // when no other control refers to it, the transform itself.
    void releaseTransform();

    QPointer<HNode> m_pNode;
    // Guarded: a control taken off its panel (an undone drop) outlives the
    // panel when the project is closed.
    QPointer<CComposite> m_pParent;
    MModel *m_pModel;
    QString m_name;
    QString m_type;
    QString m_kind;
    qint32 m_id;
    QPointer<CControl> m_pDropSite;
    QPointer<WWidget> m_pPrototype;
    CAttributes m_attributes;
    QPointer<TTransform> m_pTransform;
    QList<QPointer<WWidget>> m_widgets;
    // Settings of widgets whose kind this build cannot make, kept as read so
    // that a save writes them back unchanged, each before the widget it preceded.
    struct KeptWidget
    {
        QString type;
        int position = 0;
        QList<QPair<QString, QString>> fields;
    };
    QList<KeptWidget> m_keptWidgets;
    bool m_bKeeping = false;
    bool m_bPollActive;
    ControlMode m_mode;
    int m_minHeight;
    int m_minWidth;
    bool m_bLayoutLocked;
    bool m_bHorizontal;
    bool m_bHoldsTransformUse;
    // Whether this control is in the process-wide transform list.
    bool m_bListed;

private:
    void linkOwnWidgets();
    void linkWidgetsUnderParent();
    void giveChildControls();
    void bindProtocol();
    TTransform *findSharedTransform() const;
    bool needsOwnTransform() const;
    void takeTransformUse();
    bool releaseTransformUse();
    void repointTransform();
    bool isTransformReferencedElsewhere(const TTransform *pTransform) const;
    static QList<CControl *> listedUsers(const TTransform *pTransform);
    void emitSelectionSignals(ControlMode mode);
    static bool isTemplatePanel(const CComposite *pComposite);
};
