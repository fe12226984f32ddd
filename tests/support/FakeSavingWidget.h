#pragma once

#include "widgets/WWidget.h"

// A base widget that writes itself as the real kinds do: its common
// settings inside an element named by its type, so that a control copied
// to the clipboard or saved reads back with the same geometry.
class FakeSavingWidget : public WWidget
{
    Q_OBJECT

public:
    using WWidget::WWidget;

    bool save(XmlWriter *pWriter) override;
};
