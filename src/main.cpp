#include "controllers/KMainController.h"
#include "model/MModel.h"

#include <QApplication>
#include <QQuickStyle>

int main(int argc, char *argv[])
{
    // Time, area and operation on every diagnostic line; debug lines only for enabled areas.
    qSetMessagePattern(QStringLiteral("%{time h:mm:ss.zzz} %{if-category}%{category} %{endif}%{function}: %{message}"));
    QApplication application(argc, argv);
    QQuickStyle::setStyle(QStringLiteral("Basic"));
    // Lives until the event loop has returned; it deletes the controllers.
    MModel model;
    auto *pMainController = new KMainController;
    pMainController->setModel(&model);
    pMainController->setApplication(&application);
    model.addController(pMainController);
    return application.exec();
}
