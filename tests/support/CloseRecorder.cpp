#include "support/CloseRecorder.h"

#include <QCloseEvent>

void CloseRecorder::closeEvent(QCloseEvent *pEvent)
{
    ++m_nCloses;
    pEvent->ignore();
}
