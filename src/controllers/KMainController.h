#pragma once

#include "controllers/KController.h"

// The main controller: owns the main window and the editor's actions and
// builds the rest of the editor. Others reach its actions only by ActionId,
// through action() and the two setters below; until the window and its
// actions exist, action() answers null and the setters change nothing.
class KMainController : public KController
{
    Q_OBJECT

public:
    KMainController();
    ~KMainController() override;

    int controllerId() const override;

    // Change the action with that ActionId when there is one.
    void setActionEnabled(int actionId, bool enabled);
    void setActionChecked(int actionId, bool checked);
};
