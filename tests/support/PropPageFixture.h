#pragma once

#include "controllers/KPropertiesController.h"
#include "dialogs/DPropDialog.h"
#include "support/WidgetFixture.h"

#include <QPointer>
#include <QModelIndex>
#include <QString>
#include <QVariant>
#include <QWidget>

#include <memory>

class BCommand;
class KTabController;
class CControl;
class WWidget;

// The Properties tab of a shown window, driven by its real controller and
// laid out in the tab pane as wide as the editor's, over
// the panel of a widget fixture that it makes part of the model's document.
// A widget is selected as a click would select it; the tab then shows its
// page, and every edit, undo or redo shows a fresh page, as in the editor.
// Fields are worked through the form: text typed and confirmed, an item
// picked, a box ticked, a button clicked. Commands go through the real
// processor; its histories are emptied before and after.
class PropPageFixture
{
public:
    using Settings = WidgetFixture::Settings;

    // Over a widget fixture of its own.
    PropPageFixture();
    // Over the panel of a fixture that built and bound its widgets already
    // (FaderFixture, BoundWidgetFixture); that fixture must outlive this one.
    explicit PropPageFixture(WidgetFixture &fx);
    ~PropPageFixture();

    WidgetFixture &fx() { return m_fx; }
    MModel *model() { return m_fx.model(); }

    // A control of the type on the panel with one widget of the kind read
    // from the settings; null when the kind is unknown.
    WWidget *addWidget(const QString &controlType, const QString &widgetType, const Settings &settings = {},
                       const QString &name = QStringLiteral("Control"));

    // Selects the widget's control alone and returns the page the tab shows
    // (null when its kind has none); open(nullptr) empties the selection.
    DPropDialog *open(WWidget *pWidget);
    // Adds the widget's control to the selection, as a Shift-click does.
    void selectAlso(WWidget *pWidget);
    // The page on show now (null for none).
    DPropDialog *page() const;
    QWidget *pageWidget() const;
    KPropertiesController *properties() const { return m_pProperties; }
    QWidget *window() const { return m_pWindow.get(); }

    // A field of the page on show by object name; null when it has none.
    template <class T> T *field(const QString &name) const
    {
        QWidget *pPage = pageWidget();
        return pPage ? pPage->findChild<T *>(name) : nullptr;
    }

    // ---- working the form of the page on show; false when the field is
    // missing, disabled or cannot take the value
    // Replaces a line edit's text and confirms it with Return.
    bool type(const QString &name, const QString &text);
    // Picks the item of that text in a combo box.
    bool pick(const QString &name, const QString &text);
    // Ticks (or clears) a check box or a radio button with a click.
    bool tick(const QString &name, bool checked = true);
    // Clicks a push button.
    bool click(const QString &name);
    // Sets a spin box's value and confirms it with Return.
    bool spin(const QString &name, int value);
    // Shows the tab of that index.
    bool showTab(const QString &name, int index);
    // One of the above by name, for tables: "type", "pick", "tick",
    // "untick", "click", "spin" (input as number), "tab" (input as index),
    // "colour" (click, and the colour chooser answers the input colour) or
    // "image" (click, and the image chooser answers the input path).
    bool work(const QString &action, const QString &name, const QString &input);
    // Works the field on the page of the widget, then checks that the
    // widget's property reads `after` as text, that exactly one undo entry
    // was filed, reading "Edit: " and the value before, and that undoing it
    // brings the value before back. Empty when all held, else what failed.
    QString roundTrip(WWidget *pWidget, const QString &action, const QString &name, const QString &input, int id,
                      const QString &after);

    // The text a field shows (line edit, combo box, label, spin box).
    QString shown(const QString &name) const;
    bool isEnabled(const QString &name) const;
    // Not hidden by the page (a field on a tab that is not on top counts as shown).
    bool isVisible(const QString &name) const;

    // ---- history
    // A collection of empty panels added to the model's panel document.
    void addCollection(const QString &name, const QStringList &panels);
    // The row of that panel (or, with no panel, of that collection) in a panel tree.
    static QModelIndex panelIndex(const QAbstractItemModel *pModel, const QString &collection,
                                  const QString &panel);
    // Runs the panel chooser the path button opens: picks that panel and answers.
    bool choosePanel(const QString &collection, const QString &panel, int answer, QString *pPreselected = nullptr);

    static int undoCount();
    static int redoCount();
    // The undo-list text of the newest undoable command, empty for none.
    static QString undoText(int fromNewest = 0);
    static void undo();
    static void redo();
    // Deferred deletions (replaced pages, removed controls) done now.
    static void flush();

private:
    void attach();

    std::unique_ptr<WidgetFixture> m_pOwnFx;
    WidgetFixture &m_fx;
    std::unique_ptr<QWidget> m_pWindow;
    KTabController *m_pTabs = nullptr;
    QPointer<KPropertiesController> m_pProperties;
    // Borrows the fixture's panel, so the document reaches its controls.
    CComposite *m_pScene = nullptr;
};
