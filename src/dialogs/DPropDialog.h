#pragma once

#include <QPointer>
#include <QWidget>

class WWidget;

// Base of the property pages: a plain widget bound to one canvas widget for
// its lifetime. The pages' forms come with their own kinds.
class DPropDialog : public QWidget
{
    Q_OBJECT

public:
    DPropDialog(QWidget *pParent, WWidget *pWidget);
    ~DPropDialog() override;

    WWidget *widget() const;

private:
    QPointer<WWidget> m_pWidget;
};
