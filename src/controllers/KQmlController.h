#pragma once

#include "controllers/KController.h"

#include <QPointer>

class QQmlEngine;
class QQuickView;
class VQmlFrame;
class QSplitter;

// Hosts the QML canvas view in a splitter beside the tab pane, lays it out
// and re-creates it when a project is reset.
class KQmlController : public KController
{
    Q_OBJECT

public:
    // The minimum size of the canvas view's container.
    static constexpr int MinimumViewSize = 200;

    KQmlController(QWidget *pParent, MModel *pModel);
    ~KQmlController() override;

    int controllerId() const override;
    void initialize() override;
    void rebuild() override;
    void layout(const QRect &area) override;
    void notify(int event) override;

    void createView(bool first);
    void destroyView();

    QQuickView *view() const;
    QSplitter *splitter() const;

private:
    VQmlFrame *createFrame(bool first);
    void bindFrame();

    // Shared by every view the controller makes: a rebuilt view reuses the
    // compiled QML instead of tearing down and rebuilding the whole engine.
    QPointer<QQmlEngine> m_pEngine;
    QPointer<VQmlFrame> m_pQmlFrame;
    QPointer<QSplitter> m_pSplitter;
};
