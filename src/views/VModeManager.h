#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

// Knows the QML canvas root and the modal QML object open on the canvas, so
// that the editor can close that object before it opens a dialog of its own.
// Both are held weakly: every canvas rebuild destroys them. One per process;
// the model deletes it at shutdown.
class VModeManager
{
public:
    static VModeManager *instance();
    ~VModeManager();

    // Registration by the names QML uses: "QmlCanvas" and "ModalObject"
    // (case-sensitive); false for any other name. A null object unregisters.
    bool registerObject(const QString &name, QObject *pObject);

    QObject *canvasRoot() const { return m_pCanvas; }
    void setCanvasRoot(QObject *pCanvas) { m_pCanvas = pCanvas; }
    QObject *modalObject() const { return m_pModalObject; }
    void setModalObject(QObject *pObject) { m_pModalObject = pObject; }

    // Asks the modal QML object, if any, to close by setting its "cancel".
    void cancelMode();

private:
    VModeManager() = default;
    Q_DISABLE_COPY(VModeManager)

    QPointer<QObject> m_pCanvas;
    QPointer<QObject> m_pModalObject;

    static VModeManager *s_pInstance;
};
