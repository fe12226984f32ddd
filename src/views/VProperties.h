#pragma once

#include <QFrame>
#include <QPointer>

// The frame in the "Properties" tab that shows the page of the selected control.
class VProperties : public QFrame
{
    Q_OBJECT

public:
    explicit VProperties(QWidget *pParent);
    ~VProperties() override;

    // The page on show goes later, by the event loop; a null page shows none.
    void setWidget(QWidget *pPage);
    QWidget *widget() const { return m_pWidget; }

private:
    // Guarded: a page may go with its widget before it is replaced.
    QPointer<QWidget> m_pWidget;
};
