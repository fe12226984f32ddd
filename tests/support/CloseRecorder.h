#pragma once

#include <QWidget>

// A window that counts the requests to close it and refuses them.
class CloseRecorder : public QWidget
{
public:
    int m_nCloses = 0;

protected:
    void closeEvent(QCloseEvent *pEvent) override;
};
