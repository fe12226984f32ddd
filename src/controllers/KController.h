#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>

class KComposite;
class MModel;
class QAction;
class QMouseEvent;
class QRect;

// Base of every controller of the editor. Controllers never hold pointers to
// one another: they find each other by controller id through the model's
// controller tree and learn about edits through broadcast notifications.
// Every operation has a neutral default; the pane controllers override what
// they need.
class KController : public QObject
{
    Q_OBJECT

public:
    KController();
    KController(QWidget *pParent, MModel *pModel);
    ~KController() override;

    virtual void initialize();
    virtual void rebuild();
    // area is in the parent widget's coordinates, edges inclusive as QRect keeps them.
    virtual void layout(const QRect &area);
    virtual void setEditMode(bool on);
    virtual void clear();
    virtual void build();
    virtual void setFilePath(const QString &path);
    virtual void notify(int event);
    virtual void mouseDoubleClick(QMouseEvent *pEvent);
    virtual void addController(KController *pChild);
    // Deletes the controller with that id; true when one was deleted.
    virtual bool deleteController(int id);
    // Takes the controller out of the tree; true when it was found.
    virtual bool removeController(KController *pController);
    virtual KController *findController(int id);
    virtual int controllerId() const;
    virtual void setModel(MModel *pModel);
    virtual KController *self();
    virtual QAction *action(int actionId);

    // Another controller of the model's tree by id; null without a model.
    KController *lookupController(int id) const;

    MModel *model() const { return m_pModel; }
    QWidget *parentWidget() const { return m_pParentWidget; }
    KComposite *parentComposite() const { return m_pParentComposite; }
    void setParentComposite(KComposite *pComposite) { m_pParentComposite = pComposite; }

protected:
    MModel *m_pModel;
    QPointer<QWidget> m_pParentWidget;
    KComposite *m_pParentComposite;

private:
    Q_DISABLE_COPY(KController)
};
