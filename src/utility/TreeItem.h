#pragma once

#include <Qt>

// What every row of the project tree carries. The nodes and panels that build
// the rows, the tree's item model and the drag and drop code must agree on it.
namespace TreeItem {

// Where a row keeps the handle of the node or panel it stands for.
constexpr int HandleRole = Qt::UserRole + 1;

// Kind bits beyond Qt's own item flags.
constexpr int ParameterKind = 0x0400;
constexpr int PanelKind = 0x0800;
constexpr int LinkKind = 0x1000;
constexpr int KindMask = ParameterKind | PanelKind | LinkKind;

// A plain row: selectable, checkable and enabled.
constexpr int RowFlags = int(Qt::ItemIsSelectable) | int(Qt::ItemIsUserCheckable) | int(Qt::ItemIsEnabled);
// Rows that can be dragged onto a panel: a parameter and a link to a panel.
constexpr int ParameterFlags = ParameterKind | RowFlags | int(Qt::ItemIsDragEnabled);
constexpr int LinkFlags = LinkKind | RowFlags | int(Qt::ItemIsDragEnabled);

} // namespace TreeItem
