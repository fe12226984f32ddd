#pragma once

#include "dialogs/DModalDialog.h"

#include <QString>

class QListWidgetItem;
class Ui_DTemplateDialog;

// "Select a Template": lists the entries of a folder by name, without the
// extension, names that begin with a letter first. The caller stores the
// folder (ending in "/") and the extension (with its point), runs the
// dialog and, when it was accepted, reads the chosen path from folder().
class DTemplateDialog : public DModalDialog
{
    Q_OBJECT

public:
    explicit DTemplateDialog(QWidget *parent = nullptr);
    ~DTemplateDialog() override;

    // The panel templates beside the program: its folder + "/templates/".
    static QString templatesFolder();
    static QString templateExtension();

    void setFolder(const QString &folder) { m_sFolder = folder; }
    // The folder; after OK the full path of the chosen template.
    const QString &folder() const { return m_sFolder; }
    void setExtension(const QString &extension) { m_sExtension = extension; }
    const QString &extension() const { return m_sExtension; }
    const QString &chosenName() const { return m_sName; }

    void prepare() override;

public slots:
    void pass();
    void fail();
    void itemDoubleClicked(QListWidgetItem *item);
    void itemClicked(QListWidgetItem *item);

private:
    void selectItem(const QListWidgetItem *item);

    Ui_DTemplateDialog *m_pUi;
    QString m_sFolder;
    QString m_sName;
    QString m_sExtension;
};
