#pragma once

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QList>
#include <QPair>
#include <QPointer>
#include <QVariant>
#include <QWidget>

#include <memory>

class BEditPropCommand;
class QColor;
class QLabel;
class WWidget;

// Base of the property pages: a plain widget bound for its lifetime to one
// canvas widget, whose every accepted change becomes one undoable property
// edit at once. It fills and connects the fields that many forms share,
// found by object name (a form without one simply lacks it). A page fills
// its fields and then connects them on its first show only, so filling
// submits nothing and each change reaches its slot once. The widget is
// guarded: once it is gone (cut, deleted, an undone drop) the page shows
// empty values and submits nothing.
class DPropDialog : public QWidget
{
    Q_OBJECT

public:
    DPropDialog(QWidget *pParent, WWidget *pWidget);
    ~DPropDialog() override;

    WWidget *widget() const;

    // The bound widget's value of the id; an empty text without a widget.
    QVariant propertyValue(int id) const;
    static QVariant propertyValueOf(const WWidget *pWidget, int id);
    // Position and size may be typed only for a control placed on the panel
    // itself, not one held by a drop site.
    bool isGeometryEditable() const;

    // Submits one change of the bound (or another) widget as an undoable
    // edit; an unchanged value is dropped by the command, a missing widget
    // submits nothing.
    void pushPropertyEdit(int id, const QVariant &value);
    void pushPropertyEditFor(WWidget *pWidget, int id, const QVariant &value);
    // Fills the command the caller made with the id and value and runs it.
    static void runPropertyEdit(int id, const QVariant &value, std::unique_ptr<BEditPropCommand> pCommand);

    // Fillers of the shared fields; each does nothing when its field is missing.
    void loadGeometry();
    void loadAlign();
    void loadBorderWidth();
    void loadBorder();
    void loadColorSwatches();

    // The path the user picks, remembering its folder under "Path/Images";
    // the current path when the user cancels.
    static QString chooseImageFile(QWidget *pPage, const QString &currentPath);

public slots:
    void xPosChanged();
    void yPosChanged();
    void widthChanged();
    void heightChanged();
    void alignChanged(const QString &align);
    void fieldColorSet();
    void borderColorSet();
    void borderWidthChanged(const QString &scale);
    void borderSet(int state);

protected:
    // True exactly once, on the page's first show.
    bool takeFirstShow();
    // Connects the shared fields the form has to the slots above.
    void connectSharedFields();
    // Asks for a colour starting at the id's value and submits it; false
    // when the user cancelled or kept the colour, so nothing was submitted.
    bool chooseColorFor(int id);
    // Asks for an image starting at the id's path, submits a different one
    // and shows the widget's path in the field afterwards.
    void chooseImageFor(int id, QLineEdit *pPathField);
    // Asks for a panel, preselecting the one the link path names, submits its
    // path and shows the widget's path in the field afterwards.
    void choosePanelFor(QLineEdit *pPathField);
    // Mode "Text" enables the caption field and disables the image fields;
    // any other mode does the reverse.
    static void applyTextOrImage(const QString &mode, QWidget *pTextField, const QList<QWidget *> &imageFields);

    // ---- pages that show a caption or images (command button, text link,
    // panel link): the form's m_pModeEdit, m_pTextEdit and "..." buttons
    // One read-only path field and the property it shows.
    struct PathField
    {
        QLineEdit *pEdit;
        int id;
    };
    // Fills position and size, the mode, the border, the caption and the path
    // fields, in this order; returns the mode text.
    QString fillTextOrImage(QComboBox *pModeEdit, QLineEdit *pTextEdit, const QList<PathField> &paths);
    // Connects the shared fields, the mode and the caption to the page's
    // modeChanged and textChanged, and each "..." button to its chooser.
    template <class Page>
    void connectTextOrImage(Page *pPage, const QList<QPair<QAbstractButton *, void (Page::*)()>> &choosers)
    {
        connectSharedFields();
        connect(pPage->m_pModeEdit, &QComboBox::currentTextChanged, pPage, &Page::modeChanged);
        connect(pPage->m_pTextEdit, &QLineEdit::editingFinished, pPage, &Page::textChanged);
        for (const auto &chooser : choosers)
            connect(chooser.first, &QAbstractButton::pressed, pPage, chooser.second);
    }
    // Shows the colour as the label's background.
    static void paintSwatch(QLabel *pSwatch, const QColor &color);
    // The descendant of that class and name; null when the form has none.
    template <class T> T *field(const char *name) const
    {
        return findChild<T *>(QLatin1String(name));
    }

private:
    void pushLineEdit(int id);

    QPointer<WWidget> m_pWidget;
    bool m_bShown;
};
