#pragma once

class DPropDialog;
class QWidget;
class WWidget;

// Which property page a widget kind gets: one row per kind. A kind without a
// row of its own gets the page of its nearest base kind that has one; the
// plain widget, the drop site and the text entry get none.
namespace DPropPageFactory {

// A new page bound to the widget, a child of the parent, owned by the
// caller; null for none.
DPropDialog *createPage(WWidget *pWidget, QWidget *pParent);

} // namespace DPropPageFactory
