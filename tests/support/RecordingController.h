#pragma once

#include "controllers/KController.h"

#include <QStringList>

#include <functional>

// A controller with a chosen id that writes what reaches it into a shared log:
// "init <label>", "notify <label> <event in hex>" and "delete <label>".
// Hooks let a test act inside initialize or notify (attach more controllers,
// delete one).
class RecordingController : public KController
{
    Q_OBJECT

public:
    RecordingController(const QString &label, int id, QStringList *pLog, MModel *pModel = nullptr);
    ~RecordingController() override;

    void initialize() override;
    void notify(int event) override;
    int controllerId() const override { return m_nId; }

    const QString &label() const { return m_sLabel; }

    std::function<void(RecordingController *)> onInitialize;
    std::function<void(RecordingController *, int)> onNotify;

private:
    void log(const QString &line);

    QString m_sLabel;
    int m_nId;
    QStringList *m_pLog;
};
