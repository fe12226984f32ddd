#pragma once

#include <QDialog>

#include <functional>

// Base of the modal dialogs: run application-modal, 1 when accepted.
// Tests install a responder that answers in place of the user.
class DModalDialog : public QDialog
{
    Q_OBJECT

public:
    // Gets the dialog as the user would see it; returns 1 to press OK
    // (accept) or 0 to cancel.
    using Responder = std::function<int(DModalDialog *)>;

    explicit DModalDialog(QWidget *parent = nullptr);
    ~DModalDialog() override;

    // 1 when the user accepted, else 0.
    int runModal();

    // Replaces the user for every later runModal; an empty one restores it.
    static void setResponder(const Responder &responder);
};
