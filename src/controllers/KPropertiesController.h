#pragma once

#include "controllers/KController.h"

#include <QPointer>

#include <memory>

class CComposite;
class QLabel;
class VProperties;

// Shows, in the "Properties" tab, the page of the single selected control
// under a caption with its title; empty for none or several.
class KPropertiesController : public KController
{
    Q_OBJECT

public:
    static constexpr int CaptionHeight = 20;

    KPropertiesController(QWidget *pParent, MModel *pModel);
    ~KPropertiesController() override;

    int controllerId() const override;
    void initialize() override;
    void layout(const QRect &area) override;
    void notify(int event) override;
    void clear() override;
    void build() override;
    void setFilePath(const QString &path) override;

    VProperties *propertiesView() const;
    QLabel *caption() const;

private:
    void showSelection();
    // The selection of the panel document: emptied and filled again; the page
    // it gives under the parent and its title.
    bool collectSelection();
    QWidget *selectionPage(QWidget *pParent);
    QString selectionTitle() const;

    QPointer<VProperties> m_pPropertiesView;
    QPointer<QLabel> m_pCaption;
    // Borrows the selected controls while the pane is refreshed; owns none.
    std::unique_ptr<CComposite> m_pSelection;
};
