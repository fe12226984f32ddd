#include "dialogs/DCanvasDialog.h"
#include "dialogs/DCustomDevicesEditDialog.h"
#include "dialogs/DDownloadDialog.h"
#include "dialogs/DExitPinDialog.h"
#include "dialogs/DIPAddressChangeDialog.h"
#include "dialogs/DPanelSetupDialog.h"
#include "dialogs/DParameterSetDialog.h"
#include "dialogs/DSliderPropertiesDialog.h"
#include "dialogs/DTemplateDialog.h"
#include "dialogs/DUndoListDialog.h"
#include "dialogs/DVMPReloadWarningDialog.h"
#include "support/ClippedTexts.h"
#include "support/TestMain.h"

#include <QtTest>

#include <functional>
#include <memory>

using DialogMaker = std::function<QWidget *()>;
Q_DECLARE_METATYPE(DialogMaker)

// Every caption of the set-up dialogs has room for its text with the fonts
// in use, as shown on opening.
class TestDialogTexts : public QObject
{
    Q_OBJECT

private slots:
    void captionsFit_data()
    {
        QTest::addColumn<DialogMaker>("make");
        QTest::newRow("canvas") << DialogMaker([] { return new DCanvasDialog; });
        QTest::newRow("custom devices, metric") << DialogMaker([] { return new DCustomDevicesEditDialog(nullptr, true); });
        QTest::newRow("custom devices, inches") << DialogMaker([] { return new DCustomDevicesEditDialog(nullptr, false); });
        QTest::newRow("download") << DialogMaker([] { return new DDownloadDialog; });
        QTest::newRow("exit pin") << DialogMaker([] { return new DExitPinDialog(QStringLiteral("1234")); });
        QTest::newRow("ip address") << DialogMaker([] { return new DIPAddressChangeDialog; });
        QTest::newRow("panel set-up") << DialogMaker([] { return new DPanelSetupDialog; });
        QTest::newRow("parameter set") << DialogMaker([] { return new DParameterSetDialog; });
        QTest::newRow("slider properties") << DialogMaker([] { return new DSliderPropertiesDialog; });
        QTest::newRow("template") << DialogMaker([] { return new DTemplateDialog; });
        QTest::newRow("undo list") << DialogMaker([] { return new DUndoListDialog; });
        QTest::newRow("design reload warning") << DialogMaker([] { return new DVMPReloadWarningDialog; });
    }

    void captionsFit()
    {
        QFETCH(DialogMaker, make);
        std::unique_ptr<QWidget> pDialog(make());
        pDialog->show();
        QVERIFY(QTest::qWaitForWindowExposed(pDialog.get()));
        const QStringList clipped = clippedTexts(pDialog.get());
        QVERIFY2(clipped.isEmpty(), qPrintable(clipped.join(QStringLiteral("; "))));
    }
};

VVB_TEST_MAIN(TestDialogTexts)
#include "tst_dialogtexts.moc"
