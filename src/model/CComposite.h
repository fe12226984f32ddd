#pragma once

#include "model/CControl.h"

#include <QList>
#include <QPersistentModelIndex>
#include <QTimer>

#include <functional>

class CCanvas;
class MProject;
class XControlHandler;
class XRecordedDocument;
class XmlHandler;

// 0 none, 1 complete, 2 template, 3 custom (panels only).
using PanelType = qint32;

// A panel-document element that holds others: the document root ("Scenes"),
// a scene ("Panels") or a panel ("Controls"). It forwards the element
// operations to its children, keeps a current child, and lets the shown panel
// poll its controls one at a time. With the not-owner switch set it only
// lists elements (a command's selection) and never adopts or destroys them.
class CComposite : public CControl
{
    Q_OBJECT

public:
    static constexpr PanelType PanelNone = 0;
    static constexpr PanelType PanelComplete = 1;
    static constexpr PanelType PanelTemplate = 2;
    static constexpr PanelType PanelCustom = 3;
    // Interval between two controls of a state-request pass, in milliseconds.
    static constexpr int StateRequestInterval = 5;

    CComposite();
    ~CComposite() override;

    void initialize() override;
    void clearWidgets() override;
    bool writeXml(XmlWriter *pWriter) override;
    bool requestState() override;
    QRectF bounds() const override;
    void setVisible(bool visible) override;
    void setScale(float factor, float size, bool flag) override;
    void moveBy(const QPointF &offset) override;
    bool centerHorizontally(const QString &type, float canvasWidth) override;
    void linkTransform(int phase) override;
    WWidget *widgetById(quint32 id) const override;
    WWidget *findWidget(const QString &type) const override;
    // The "bounds" widget that marks a panel's extent: a dialer's own bounds
    // only mark the dialer.
    const WWidget *panelBoundsWidget() const;
    CControl *findByName(const QString &name) override;
    CControl *findById(qint32 id) override;
    bool contains(const CControl *pElement) const override;
    void addChild(CControl *pElement) override;
    void removeChild(CControl *pElement, bool destroy) override;
    void clear() override;
    bool isNameUnique(const QString &name, const CControl *pExcept) const override;
    CControl *currentChildIn(const QString &collection) const override;
    bool selectChild(const QString &collection, const QString &name) override;
    bool findByPath(QString &path) override;
    int boundCount() const override;
    void buildTree(QStandardItem *pItem, QTreeView *pView) override;
    QString title() const override;
    void setMode(ControlMode mode) override;
    bool collectSelected(CComposite *pTarget) override;
    DPropDialog *createPropertiesDialog(QWidget *pParent) override;
    void replaceLinkPrefix(const QString &oldPrefix, const QString &newPrefix) override;
    void setParentItem(QQuickItem *pItem) override;
    void setSelected(bool selected) override;
    void reloadImages() override;
    void markProcessorInUse() override;
    QString path(const CControl *pTarget) const override;
    void dump() const override;
    void setContextObject(MModel *pModel) override;
    CControl *createControlForNode(HNode *pHardwareRoot, HNode *pNode, const QString &name,
                                   const QPointF &position) override;
    CControl *addFromXml(HNode *pHardwareRoot, const QByteArray &xml) override;
    CControl *createFromGraphics(const QString &name, const QPointF &position) override;
    CControl *createPanelLink(CControl *pTarget, const QPointF &position) override;

    // ---- reading elements from XML in the project-file vocabulary
    // Reads a project file or a template into this composite (which needs a
    // model): the hardware root resolves the nodes the XML names, the node
    // (when given) is bound to every control read, a non-empty section reads
    // only the controls of that name. The project information, the canvas and
    // the file version take the file's sections when given. A file that
    // cannot be opened or parsed adds nothing; the new elements are then
    // initialised and linked. True when the file was read. A document given
    // is the file already parsed: its events are read instead.
    bool readElements(HNode *pHardwareRoot, HNode *pNode, const QString &path, const QString &section,
                      MProject *pProject = nullptr, CCanvas *pCanvas = nullptr,
                      QString *pFileVersion = nullptr, const XRecordedDocument *pDocument = nullptr,
                      QStringList *pRefusedImages = nullptr);
    // Opening a project: stores the model, reads the whole file and hands the
    // model to every element.
    bool loadFromFile(const QString &path, HNode *pHardwareRoot, HNode *pNode, MModel *pModel,
                      MProject *pProject = nullptr, CCanvas *pCanvas = nullptr,
                      QString *pFileVersion = nullptr, const XRecordedDocument *pDocument = nullptr,
                      QStringList *pRefusedImages = nullptr);
    // Controls in the clipboard format; every control added, in order, none
    // when the text does not parse.
    QList<CControl *> addControlsFromXml(HNode *pHardwareRoot, const QByteArray &xml);
    // A paste onto this composite: the widgets are built at scale 1, and every
    // pasted control is selected and bound to the model.
    QList<CControl *> pasteControls(HNode *pHardwareRoot, const QByteArray &xml, MModel *pModel);
    // File base name of the graphics template of a tool-box name; empty for none.
    static QString graphicsTemplateName(const QString &displayName);
    // The template path of a node's control, in the variant the settings
    // "Level" and "Meter" choose; the control name may change with it.
    static QString controlTemplatePath(const HNode *pNode, QString &name);

    // ---- children
    int childCount() const { return int(m_children.size()); }
    CControl *childAt(int index) const;
    int indexOf(const CControl *pElement) const;
    // addChild at a position; one outside the list appends.
    void insertChild(int index, CControl *pElement);
    const QList<CControl *> &children() const { return m_children; }
    int currentIndex() const { return m_current; }
    // An index outside the list is refused.
    bool setCurrentIndex(int index);
    int lastRemoved() const { return m_lastRemoved; }
    bool moveChild(CControl *pElement, int offset);
    void moveChildrenTo(const CComposite *pSelection, int index);
    // Gives the children a new order; refused unless `order` holds exactly
    // the present children. The current child stays current.
    bool reorderChildren(const QList<CControl *> &order);
    void childPositions(const CComposite *pSelection, QList<int> &positions) const;
    void childBounds(QList<QRectF> &rects) const;
    bool isNotOwner() const { return m_bNotOwner != 0; }
    void setNotOwner(bool notOwner) { m_bNotOwner = notOwner ? 1 : 0; }

    // ---- project tree
    void buildTreeItems(QStandardItem *pItem);
    bool isExpanded() const { return m_bExpanded; }
    void setExpanded(bool expanded) { m_bExpanded = expanded; }
    QModelIndex treeIndex() const { return m_treeIndex; }
    QString treeIcon() const;

    // ---- panels
    PanelType panelType() const { return m_panelType; }
    QString panelTypeName() const;
    void setPanelType(const QString &text);
    QString titleText() const;
    void setTitle(const QString &text);
    void scaleToScreen(float size, bool flag);
    void centerContent(float canvasWidth);
    QRectF contentBounds() const;

    // Index of the next child of the state-request pass.
    int pollIndex() const { return m_pollIndex; }

private slots:
    void onGetStateTimerTimeout();
    void onRemovingNode(HNode *pNode) override;

private:
    bool requestChildState();
    CControl *titleLabel() const;
    // Runs the parse into a scratch composite shaped like this one and, when
    // it succeeds, adopts what it read; the adopted elements.
    bool readWith(XControlHandler &handler, const std::function<bool(XmlHandler *)> &parse,
                  QList<CControl *> *pAdopted);
    CControl *placeLastAdded(int countBefore, const QPointF &position);

    QList<CControl *> m_children;
    qint32 m_current;
    qint32 m_bNotOwner;
    PanelType m_panelType;
    qint32 m_pollIndex;
    QTimer m_stateTimer;
    bool m_bExpanded;
    QPersistentModelIndex m_treeIndex;
    qint32 m_lastRemoved;
};
