#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>

class WWidgetFactory;

// The process-wide object through which the panel document reaches the
// widget factory. It also hands out element ids from a counter seeded with
// the time, so ids are unique within a run and differ from run to run.
class WDelegate
{
public:
    // The delegate, created on the first call (again after a deletion).
    static WDelegate *instance();
    virtual ~WDelegate();

    // The next element id.
    qint32 nextId();

    WWidgetFactory *factory() const { return m_pFactory; }
    void setFactory(WWidgetFactory *pFactory) { m_pFactory = pFactory; }
    // Path of the file from which controls are being read.
    const QString &sourceFile() const { return m_sSourceFile; }
    void setSourceFile(const QString &path) { m_sSourceFile = path; }
    // Scale at which new widgets are built.
    float scale() const { return m_fScale; }
    void setScale(float scale) { m_fScale = scale; }
    float aspect() const { return m_fAspect; }
    void setAspect(float aspect) { m_fAspect = aspect; }
    // The editor's main window, over which the widgets' dialogs open; null
    // before start-up gives it and after the window is gone.
    QWidget *mainWindow() const { return m_pMainWindow; }
    void setMainWindow(QWidget *pWindow) { m_pMainWindow = pWindow; }

private:
    WDelegate();

    WWidgetFactory *m_pFactory;
    QString m_sSourceFile;
    qint64 m_nNextId;
    float m_fScale;
    float m_fAspect;
    QPointer<QWidget> m_pMainWindow;
};
