#pragma once

#include <QStringList>

class QWidget;

// The texts of labels, buttons and combo boxes under the root that do not fit
// their widget at its current size, each as "text: has < needs" (a combo box
// by its name, needing room for its widest item). Word-wrapped labels are left
// out; so are widgets not shown with the root.
QStringList clippedTexts(const QWidget *pRoot);

// The named widgets under the root that the widgets they lie in, up to the
// window, do not show whole: cut at the edge of the form, the pane or the
// window, so part of them cannot be seen or reached. Each as
// "name: WxH shows wxh"; widgets not shown with the root are left out.
QStringList cutOffWidgets(const QWidget *pRoot);
