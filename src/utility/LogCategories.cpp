#include "utility/LogCategories.h"

Q_LOGGING_CATEGORY(lcCommands, "vvb.commands", QtInfoMsg)
Q_LOGGING_CATEGORY(lcControllers, "vvb.controllers", QtInfoMsg)
Q_LOGGING_CATEGORY(lcDialogs, "vvb.dialogs", QtInfoMsg)
Q_LOGGING_CATEGORY(lcHardware, "vvb.hardware", QtInfoMsg)
Q_LOGGING_CATEGORY(lcInterfaces, "vvb.interfaces", QtInfoMsg)
Q_LOGGING_CATEGORY(lcModel, "vvb.model", QtInfoMsg)
Q_LOGGING_CATEGORY(lcProtocols, "vvb.protocols", QtInfoMsg)
Q_LOGGING_CATEGORY(lcTransforms, "vvb.transforms", QtInfoMsg)
Q_LOGGING_CATEGORY(lcUtility, "vvb.utility", QtInfoMsg)
Q_LOGGING_CATEGORY(lcViews, "vvb.views", QtInfoMsg)
Q_LOGGING_CATEGORY(lcWidgets, "vvb.widgets", QtInfoMsg)
Q_LOGGING_CATEGORY(lcXml, "vvb.xml", QtInfoMsg)
