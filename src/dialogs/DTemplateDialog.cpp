#include "dialogs/DTemplateDialog.h"

#include "ui_DTemplateDialog.h"

#include <QCoreApplication>
#include <QDir>

namespace {

// Shorter names are "." and ".." or too short to tell templates apart.
constexpr int ShortestListedName = 5;

} // namespace

DTemplateDialog::DTemplateDialog(QWidget *parent)
    : DModalDialog(parent)
    , m_pUi(new Ui_DTemplateDialog)
{
    m_pUi->setupUi(this);
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
}

DTemplateDialog::~DTemplateDialog()
{
    delete m_pUi;
}

QString DTemplateDialog::templatesFolder()
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/templates/");
}

QString DTemplateDialog::templateExtension()
{
    return QStringLiteral(".tpl");
}

void DTemplateDialog::prepare()
{
    QListWidget *pList = m_pUi->m_pFileList;
    pList->clear();
    QStringList others;
    const QStringList entries = QDir(m_sFolder).entryList();
    for (QString name : entries) {
        if (!m_sExtension.isEmpty())
            name.remove(m_sExtension, Qt::CaseSensitive);
        if (name.size() < ShortestListedName)
            continue;
        if (name.at(0).isLetter())
            pList->addItem(name);
        else
            others.append(name);
    }
    pList->sortItems(Qt::AscendingOrder);
    others.sort(Qt::CaseSensitive);
    pList->addItems(others);

    pList->setCurrentRow(0);
    if (QListWidgetItem *pFirst = pList->item(0)) {
        pFirst->setSelected(true);
        selectItem(pFirst);
    }

    connect(this, &QDialog::accepted, this, &DTemplateDialog::pass, Qt::UniqueConnection);
    connect(this, &QDialog::rejected, this, &DTemplateDialog::fail, Qt::UniqueConnection);
    connect(pList, &QListWidget::itemDoubleClicked, this, &DTemplateDialog::itemDoubleClicked,
            Qt::UniqueConnection);
    connect(pList, &QListWidget::itemClicked, this, &DTemplateDialog::itemClicked, Qt::UniqueConnection);
    setWindowTitle(QStringLiteral("Select a Template"));
    setStatus(StatusUndecided);
}

void DTemplateDialog::selectItem(const QListWidgetItem *item)
{
    m_sName = item->text();
}

void DTemplateDialog::itemClicked(QListWidgetItem *item)
{
    if (item)
        selectItem(item);
}

void DTemplateDialog::itemDoubleClicked(QListWidgetItem *item)
{
    if (item)
        selectItem(item);
    accept();
}

void DTemplateDialog::pass()
{
    m_sFolder = m_sFolder + m_sName + m_sExtension;
    setStatus(StatusPassed);
}

void DTemplateDialog::fail()
{
    setStatus(StatusFailed);
}
