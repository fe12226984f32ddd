#pragma once

#include <QPoint>
#include <QString>
#include <QVariantMap>

#include <memory>

class CComposite;
class CControl;
class DPropDialog;
class KMainController;
class KPropertiesController;
class MModel;
class QQuickView;
class QStandardItem;
class QTemporaryDir;
class VModel;
class WWidget;
struct DesignFixture;

// The editor built as main() builds it, in edit mode, with its window shown:
// controls reach the first panel as a user places them (graphics by name,
// design controls dragged from the project tree of an imported design), and
// the canvas is worked with real mouse events on its window. The settings
// are emptied and message boxes answered with their first button.
class EditorFixture
{
public:
    // The settings are emptied, then given these keys (such as "Level" or
    // "Meter", which choose the templates of placed controls).
    explicit EditorFixture(const QVariantMap &settings = {});
    ~EditorFixture();

    // Shown and exposed, with a first panel.
    bool isReady() const;

    MModel *model() const { return m_pModel.get(); }
    KMainController *main() const { return m_pMain; }
    QQuickView *view() const;
    CComposite *panel() const;
    KPropertiesController *properties() const;
    // The page the Properties tab shows; null for none.
    DPropDialog *page() const;
    // Brings the Properties tab to the front with a click on it.
    bool showPropertiesTab();

    // A graphic control of that tree text ("Frame", "Label", ...) dropped at x, y.
    CControl *drop(const QString &text, int x, int y);
    // Imports the design (once per fixture) and drops the first control item
    // of that text from the project tree; "Parent/Text" looks under the
    // first item of the parent's text only.
    CControl *dropFromDesign(const QString &text, int x, int y, const DesignFixture &design);
    CControl *dropFromDesign(const QString &text, int x, int y);

    // Picks the skin in the canvas setup dialog from the Setup menu's action.
    bool setSkin(const QString &skin);

    // Depth first below pParent: the first tree item of that text that drags as a control.
    static QStandardItem *controlItem(VModel *pModel, QStandardItem *pParent, const QString &text);
    // The window point at those fractions of a widget's item.
    static QPoint windowPoint(const WWidget *pWidget, qreal fx, qreal fy);
    // The window point at those fractions of a control's bounds.
    QPoint controlPoint(const CControl *pControl, qreal fx, qreal fy) const;
    void click(const QPoint &point);
    // Selects the control with a click and drags its right and bottom
    // handles until it has about that size (within the grid).
    void resize(CControl *pControl, const QSizeF &size);
    // Press, moves in equal steps, release: one gesture of the pointer.
    void drag(const QPoint &from, const QPoint &by, int steps = 5);

private:
    std::unique_ptr<QTemporaryDir> m_pDir;
    std::unique_ptr<MModel> m_pModel;
    KMainController *m_pMain = nullptr;
    bool m_bDesignLoaded = false;
};
