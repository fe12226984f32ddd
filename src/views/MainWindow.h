#pragma once

#include <QMainWindow>
#include <QTranslator>

class KController;
class KMainController;
class QMenuBar;
class QToolBar;
class Ui_MainWindow;

// The editor's only top-level window: menu bar, one tool bar and a central
// widget in which the controllers place the tab pane and the canvas. It
// installs the built-in English translation and hands resizes and closes to
// the main controller.
class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    // Resource path of the built-in translation.
    static const char *const TranslationFile;

    MainWindow();
    ~MainWindow() override;

    // Kept only when it is a main controller.
    void setController(KController *pController);
    KMainController *controller() const { return m_pController; }

    QMenuBar *menuBarWidget() const;
    QToolBar *toolBarWidget() const;
    const QTranslator &translator() const { return m_translator; }

    // Has the canvas controller look at a changed selection or panel set.
    void notifyQmlController();

public slots:
    void resetQMLFocus();

protected:
    void resizeEvent(QResizeEvent *pEvent) override;
    void closeEvent(QCloseEvent *pEvent) override;

private:
    Ui_MainWindow *ui;
    KMainController *m_pController;
    QTranslator m_translator;
};
