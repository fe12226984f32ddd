#pragma once

#include <QLoggingCategory>

// One category per source folder. Debug output is off unless a rule enables it,
// e.g. QT_LOGGING_RULES="vvb.protocols.debug=true"; warnings always show.
// Protocol traffic goes to the log file, never here by default.
Q_DECLARE_LOGGING_CATEGORY(lcCommands)
Q_DECLARE_LOGGING_CATEGORY(lcControllers)
Q_DECLARE_LOGGING_CATEGORY(lcDialogs)
Q_DECLARE_LOGGING_CATEGORY(lcHardware)
Q_DECLARE_LOGGING_CATEGORY(lcInterfaces)
Q_DECLARE_LOGGING_CATEGORY(lcModel)
Q_DECLARE_LOGGING_CATEGORY(lcProtocols)
Q_DECLARE_LOGGING_CATEGORY(lcTransforms)
Q_DECLARE_LOGGING_CATEGORY(lcUtility)
Q_DECLARE_LOGGING_CATEGORY(lcViews)
Q_DECLARE_LOGGING_CATEGORY(lcWidgets)
Q_DECLARE_LOGGING_CATEGORY(lcXml)
