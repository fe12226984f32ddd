#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

class CControl;
class KComposite;
class KController;

// The application model: owns the open project, the root of the controller
// tree and the services. Only what the editor shell calls is here yet.
class MModel : public QObject
{
    Q_OBJECT

public:
    MModel();
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

private:
    KComposite *m_pControllers;
    QPointer<CControl> m_pCurrentPanel;
    bool m_bModified;
};
