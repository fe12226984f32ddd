// Registered when the library loads, so that in the editor, each test and benchmark
// a plain QSettings and the cache folder are the editor's own.
#include <QCoreApplication>

namespace {

void setApplicationIdentity()
{
    QCoreApplication::setOrganizationName(QStringLiteral("Harlo"));
    QCoreApplication::setApplicationName(QStringLiteral("Velmora Viviza builder ") + QStringLiteral("3.0"));
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(setApplicationIdentity)
