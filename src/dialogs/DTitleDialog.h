#pragma once

#include "dialogs/DModalDialog.h"

#include <QPointer>
#include <QString>

class CControl;
class Ui_DTitleDialog;

// "Title": edits the name of one collection or panel. A name that another
// child of the same parent already has, or an empty one, is refused with a
// warning after the dialog closed; the title then keeps the old name.
class DTitleDialog : public DModalDialog
{
    Q_OBJECT

public:
    DTitleDialog(QWidget *parent, CControl *control);
    ~DTitleDialog() override;

    // The caller stores the current name before the run and reads it after.
    void setTitle(const QString &title) { m_sTitle = title; }
    const QString &title() const { return m_sTitle; }

    void prepare() override;

public slots:
    void pass();
    void fail();

private:
    Ui_DTitleDialog *m_pUi;
    QString m_sTitle;
    QPointer<CControl> m_pControl;
};
