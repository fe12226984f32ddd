#pragma once

#include <QStringList>

class QWidget;

// The texts of labels and buttons under the root that do
// not fit their widget at its current size, each as "text: has < needs".
// Word-wrapped labels are left out; so are widgets not shown with the root.
QStringList clippedTexts(const QWidget *pRoot);
