#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

class CControl;
class IInterface;
class KComposite;
class KController;
class PFileProtocol;

// The application model: owns the open project, the root of the controller
// tree and the services. Only what other areas call is here yet.
class MModel : public QObject
{
    Q_OBJECT

public:
    explicit MModel(QObject *parent = nullptr);
    ~MModel() override;

    // ---- controller tree
    void addController(KController *pController);
    void removeController(KController *pController);
    KController *findController(int id) const;
    void notifyControllers(int event);

    // ---- panel document, as the commands re-select what they act on
    CControl *currentPanel() const;
    void setCurrentPanel(CControl *pPanel);
    bool selectScene(const QString &name);
    CControl *currentChildIn(const QString &collection) const;
    bool isModified() const { return m_bModified; }
    void setModified(bool modified) { m_bModified = modified; }

    // ---- polling: false after a value went out, so value requests pause until the next tick
    void setPollPending(bool pending);
    bool isPollPending() const { return m_bPollEnabled; }

    // The receive wait of a file transfer: returns when the peer closed the connection.
    void doDownloadDialog(PFileProtocol *pProtocol, IInterface *pInterface);

private:
    KComposite *m_pControllers;
    QPointer<CControl> m_pCurrentPanel;
    bool m_bModified;
    bool m_bPollEnabled;
};
