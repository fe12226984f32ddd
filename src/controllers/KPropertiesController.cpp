#include "controllers/KPropertiesController.h"

#include "controllers/ControllerId.h"
#include "controllers/NotifyEventId.h"
#include "views/VProperties.h"

#include <QLabel>

KPropertiesController::KPropertiesController(QWidget *pParent, MModel *pModel)
    : KController(pParent, pModel)
    , m_pPropertiesView(new VProperties(pParent))
    , m_pCaption(new QLabel(pParent))
{
}

KPropertiesController::~KPropertiesController()
{
    delete m_pPropertiesView;
    delete m_pCaption;
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
// The panel document's selection collection plugs in here: a borrowing
// composite that MModel::collectSelection fills, whose createPropertiesDialog
// and title answer for exactly one selected control. Until it does, nothing
// is ever selected.

bool KPropertiesController::collectSelection()
{
    return false;
}

QWidget *KPropertiesController::selectionPage(QWidget *)
{
    return nullptr;
}

QString KPropertiesController::selectionTitle() const
{
    return QString();
}
