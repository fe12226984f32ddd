#include "controllers/KPropertiesController.h"

#include "controllers/ControllerId.h"
#include "controllers/NotifyEventId.h"
#include "dialogs/DPropDialog.h"
#include "model/CComposite.h"
#include "model/MModel.h"
#include "views/VProperties.h"

#include <QLabel>

KPropertiesController::KPropertiesController(QWidget *pParent, MModel *pModel)
    : KController(pParent, pModel)
    , m_pPropertiesView(new VProperties(pParent))
    , m_pCaption(new QLabel(pParent))
    , m_pSelection(std::make_unique<CComposite>())
{
    m_pSelection->setNotOwner(true);
}

KPropertiesController::~KPropertiesController()
{
    delete m_pPropertiesView;
    delete m_pCaption;
    m_pSelection->clear();
}

int KPropertiesController::controllerId() const
{
    return ControllerId::Properties;
}

VProperties *KPropertiesController::propertiesView() const
{
    return m_pPropertiesView;
}

QLabel *KPropertiesController::caption() const
{
    return m_pCaption;
}

void KPropertiesController::initialize()
{
    m_pSelection->setNotOwner(true);
    if (m_pCaption)
        m_pCaption->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
}

void KPropertiesController::layout(const QRect &area)
{
    if (m_pCaption) {
        m_pCaption->move(area.topLeft());
        m_pCaption->resize(area.width(), CaptionHeight);
    }
    if (m_pPropertiesView) {
        m_pPropertiesView->move(area.topLeft() + QPoint(0, CaptionHeight));
        m_pPropertiesView->resize(area.width(), area.height() - CaptionHeight);
    }
}

void KPropertiesController::notify(int event)
{
    if (event != NotifyEventId::SelectionChanged && event != NotifyEventId::GeometryEdited)
        return;
    if (m_pModel)
        showSelection();
}

void KPropertiesController::showSelection()
{
    if (!m_pPropertiesView || !m_pCaption)
        return;
    if (collectSelection()) {
        m_pPropertiesView->setWidget(selectionPage(m_pPropertiesView));
        const QString title = selectionTitle();
        m_pCaption->setText(title);
        m_pCaption->setToolTip(title);
    } else {
        m_pPropertiesView->setWidget(nullptr);
        m_pCaption->setText(QString());
    }
    // No borrowed control is kept past this refresh.
    m_pSelection->clear();
}

void KPropertiesController::clear()
{
}

void KPropertiesController::build()
{
    clear();
}

void KPropertiesController::setFilePath(const QString &)
{
}

// ---------------------------------------------------------------- selection

bool KPropertiesController::collectSelection()
{
    m_pSelection->clear();
    return m_pModel && m_pModel->collectSelection(m_pSelection.get());
}

// A page exists only for exactly one selected control.
QWidget *KPropertiesController::selectionPage(QWidget *pParent)
{
    return m_pSelection->createPropertiesDialog(pParent);
}

QString KPropertiesController::selectionTitle() const
{
    return m_pSelection->title();
}
