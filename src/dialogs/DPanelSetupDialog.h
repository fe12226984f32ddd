#pragma once

#include "dialogs/DModalDialog.h"
#include "model/CControl.h"
#include "model/MModel.h"

#include <QPointer>
#include <QString>

class CComposite;
class QModelIndex;
class QStandardItemModel;
class Ui_DPanelSetupDialog;

// "Layout": edits the collections of the panel document and their panels.
// Every structural edit goes to the live document at once and shows on the
// canvas; only the site name waits for OK. At most six collections and six
// panels per collection: the add buttons are disabled at the limit.
class DPanelSetupDialog : public DModalDialog
{
    Q_OBJECT

public:
    static constexpr int MaxChildren = 6;

    explicit DPanelSetupDialog(QWidget *parent = nullptr);
    ~DPanelSetupDialog() override;

    void setModel(MModel *pModel) { m_pModel = pModel; }
    MModel *model() const { return m_pModel; }
    CControl *currentControl() const { return m_pCurrent; }
    // Where the templates of new panels are listed, ending in "/"; the
    // folder beside the program unless set.
    void setTemplateFolder(const QString &folder) { m_sTemplateFolder = folder; }
    const QString &templateFolder() const { return m_sTemplateFolder; }
    // Whether an edit reached the document; a cancelled run keeps them all.
    bool hasChangedStructure() const { return m_bStructureChanged; }

    void prepare() override;

public slots:
    void pass();
    void fail();
    void treeClicked(const QModelIndex &index);
    void treeDoubleClicked(const QModelIndex &index);
    void treeExpanded(const QModelIndex &index);
    void treeCollapsed(const QModelIndex &index);
    void treeEntered(const QModelIndex &index);
    void addScene();
    void deleteScene();
    void addPanel();
    void deletePanel();
    void moveUp();
    void moveDown();
    void editTitle();

private:
    void refreshTree(CControl *pCurrent);
    void updateButtons(const QString &kind);
    CControl *controlAt(const QModelIndex &index) const;
    void showCurrentScene();
    void showCurrentPanel();
    void loadHeader();
    bool canAddSibling() const;
    void addPanelFromFile(const QString &path, CControl *pCollection);
    void addFirstPanel(CControl *pCollection);
    CComposite *targetCollection() const;
    QString chooseTemplate();
    void renameScene();
    void renamePanel();
    void rename(bool panel);
    void editTitleOfKind(const QString &kind);
    QString pathOf(CControl *pControl) const;
    void moveCurrent(int offset);
    void makeCurrent(const QModelIndex &index);

    Ui_DPanelSetupDialog *m_pUi;
    QPointer<MModel> m_pModel;
    QPointer<CControl> m_pCurrent;
    QStandardItemModel *m_pItemModel;
    QString m_sTemplateFolder;
    bool m_bStructureChanged = false;
};
