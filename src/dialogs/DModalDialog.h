#pragma once

#include <QDialog>

#include <functional>

// Base of the modal dialogs whose outcome the caller reads back from the
// dialog object: a tool window without the help button, run
// application-modal. Subclasses record the user's decision in the status:
// their pass() sets Passed, their fail() Failed. Tests install a responder
// that answers in place of the user.
class DModalDialog : public QDialog
{
    Q_OBJECT

public:
    static constexpr int StatusFailed = 0;
    static constexpr int StatusPassed = 1;
    static constexpr int StatusUndecided = 2;

    // Gets the dialog shown and prepared, as the user would see it; may work
    // its widgets and buttons. A dialog it left open is then accepted for 1
    // and rejected for any other answer.
    using Responder = std::function<int(DModalDialog *)>;

    explicit DModalDialog(QWidget *parent = nullptr);
    ~DModalDialog() override;

    // Shows the dialog application-modal, prepares it, brings it to the front
    // and runs it; true exactly when it was accepted.
    virtual bool runModal();
    // Fills the widgets from the values the caller stored and connects them;
    // nothing in the base.
    virtual void prepare();

    int status() const { return m_nStatus; }

    // Replaces the user for every later runModal; an empty one restores it.
    static void setResponder(const Responder &responder);

protected:
    void setStatus(int status) { m_nStatus = status; }

private:
    int m_nStatus;
};
